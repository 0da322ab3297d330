#include "base/file_utils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quill {
namespace {

namespace fs = std::filesystem;

class FileUtilsTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("quillmere-file-utils-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
    file_ = (folder_ / "book.xls").string();
    std::ofstream(file_) << "x";
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }

  fs::path folder_;
  std::string file_;
};

TEST_F(FileUtilsTest, ExistenceAndFolderTests) {
  struct Case {
    std::string path;
    bool exists;
    bool folder;
  };
  for (const Case& c :
       {Case{"", false, false}, Case{"   ", false, false}, Case{file_, true, false},
        Case{folder_.string(), true, true}, Case{(folder_ / "missing.xls").string(), false, false},
        Case{(folder_ / "no" / "such.xls").string(), false, false},
        Case{file_ + "/inside", false, false}}) {
    EXPECT_EQ(fileExists(c.path), c.exists) << '"' << c.path << '"';
    EXPECT_EQ(isFolder(c.path), c.folder) << '"' << c.path << '"';
  }
}

TEST_F(FileUtilsTest, DeletingRemovesReadOnlyFilesAndLeavesTheRestSilently) {
  fs::permissions(file_, fs::perms::owner_read);
  deleteFile(file_);
  EXPECT_FALSE(fs::exists(file_));
  deleteFile(file_);
  deleteFile("");
  deleteFile(folder_.string());
  EXPECT_TRUE(fs::is_directory(folder_));
}

TEST_F(FileUtilsTest, DeletingByIdentityLeavesAFileRenamedOverThePath) {
  const auto first = fileIdentity(file_);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(fileIdentity((folder_ / "missing.xls").string()), std::nullopt);

  const std::string staged = (folder_ / "staged.xls").string();
  std::ofstream(staged) << "y";
  fs::rename(staged, file_);
  deleteFileIfSame(file_, *first);
  EXPECT_TRUE(fs::exists(file_));

  deleteFileIfSame(file_, *fileIdentity(file_));
  EXPECT_FALSE(fs::exists(file_));
}

}  // namespace
}  // namespace quill
