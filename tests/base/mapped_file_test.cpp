#include "base/mapped_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace quill {
namespace {

namespace fs = std::filesystem;

class MappedFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("quillmere-mapped-" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) +
         "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string write(const std::string& name, const std::string& bytes) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  fs::path folder_;
};

TEST_F(MappedFileTest, BytesStayAsMappedWhenTheFileIsDeletedOrReplaced) {
  const std::string bytes("a\0b<tr>", 7);
  const std::string path = write("doc.htm", bytes);
  const MappedFile mapped(path);
  EXPECT_EQ(mapped.bytes(), bytes);
  fs::remove(path);
  EXPECT_EQ(mapped.bytes(), bytes);
  // A new document put in place by a rename leaves the mapped one as it was.
  fs::rename(write("next.htm", "other bytes"), path);
  EXPECT_EQ(mapped.bytes(), bytes);
  EXPECT_EQ(MappedFile(path).bytes(), "other bytes");
  EXPECT_TRUE(MappedFile(write("empty.htm", "")).bytes().empty());
}

TEST_F(MappedFileTest, WhatCannotBeMappedIsNamedInTheError) {
  for (const std::string& path : {(folder_ / "missing.htm").string(), folder_.string()}) {
    try {
      MappedFile mapped(path);
      ADD_FAILURE() << path;
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()).find("\"" + path + "\": "), 0u) << error.what();
    }
  }
}

}  // namespace
}  // namespace quill
