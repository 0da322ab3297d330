// Writing the document pair; what the documents hold is checked by the golden documents.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <regex>

#include "report/documents.h"
#include "report/file_writer.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::TemporaryFolder;

const DocumentTitle kTitle{"C:\\a.xls", "C:\\b.xls", "2026-12-07 15:30:00", ""};

TEST(Documents, NowIsLocalDateAndTime) {
  EXPECT_TRUE(
      std::regex_match(currentLocalTime(), std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")));
}

TEST(Documents, ASecondWriteReplacesTheFirstWhole) {
  TemporaryFolder folder;
  writeDocumentPair(folder.path(), kTitle, std::string(5000, 'x'), kTitle, std::string(5000, 'y'));
  writeDocumentPair(folder.path(), kTitle, "short", kTitle, "tiny");
  EXPECT_EQ(readFile(folder.path() / "report.htm"),
            reportDocumentHead(kTitle) + "short" + std::string(reportDocumentTail()));
  EXPECT_EQ(readFile(folder.path() / "visualized.htm"),
            gridDocumentHead(kTitle) + "tiny" + std::string(gridDocumentTail()));
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
