// Writing the document pair; what the documents hold is checked by the golden documents.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <regex>

#include "one_cell_result.h"
#include "report/documents.h"
#include "report/file_writer.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::TemporaryFolder;
using test::writeOneCellPair;

TEST(Documents, NowIsLocalDateAndTime) {
  EXPECT_TRUE(
      std::regex_match(currentLocalTime(), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
}

TEST(Documents, ASecondWriteReplacesTheFirstWhole) {
  TemporaryFolder folder;
  writeOneCellPair(folder.path(), std::string(5000, 'x'));
  writeOneCellPair(folder.path(), "short");
  for (std::string_view name : {kReportFileName, kGridFileName}) {
    const std::string written = readFile(folder.path() / name);
    EXPECT_NE(written.find("short"), std::string::npos) << name;
    EXPECT_EQ(written.find("xxx"), std::string::npos) << name;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(FileWriter, AFailedWriteKeepsTheOldFileAndLeavesNoPart) {
  TemporaryFolder folder;
  const fs::path target = folder.path() / "visualized.htm";
  writeFileReplacing(target, {"old"});
  if (::geteuid() != 0) {
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(writeFileReplacing(target, {"new"}), WriteError);
    fs::permissions(folder.path(), fs::perms::owner_all);
  }
  EXPECT_THROW(writeFileReplacing(folder.path() / "missing" / "x.htm", {"new"}), WriteError);
  EXPECT_EQ(readFile(target), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(FileWriter, NamesThePathAndTheReason) {
  try {
    writeFileReplacing("/nonexistent-folder/report.htm", {"x"});
    FAIL();
  } catch (const WriteError& e) {
    EXPECT_STREQ(e.what(),
                 "Cannot write \"/nonexistent-folder/report.htm\": No such file or directory");
  }
}

}  // namespace
}  // namespace quill
