#include "report/documents.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <regex>

#include "report/file_writer.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

using test::readFile;
using test::TemporaryFolder;

const DocumentTitle kTitle{"C:\\a.xls", "C:\\b.xls", "2026-12-07 15:30:00", ""};

TEST(Documents, ReportWrapsItsBody) {
  EXPECT_EQ(reportDocumentHead(kTitle) + "BODY" + std::string(reportDocumentTail()),
            "<html><head><meta charset=\"utf-8\"><title>Marrowfen Quillmere - Report</title><style "
            "type=\"text/css\">td {background-color : #EEEEEE}</style></head><body><h2>Comparison "
            "between <a href=\"file:///C:\\a.xls\">C:\\a.xls</a> and <a "
            "href=\"file:///C:\\b.xls\">C:\\b.xls</a></h2><h3>2026-12-07 15:30:00</h3><p><font "
            "size=+1></font></p><table>BODY</table></body></html>");
}

TEST(Documents, GridWrapsItsBody) {
  DocumentTitle title = kTitle;
  title.caption = "Rows 1 - 5";
  EXPECT_EQ(
      gridDocumentHead(title) + "BODY" + std::string(gridDocumentTail()),
      "<html><head><meta charset=\"utf-8\"><title>Marrowfen Quillmere - Differences Visualized "
      "Report</title><style type=\"text/css\">td.header {color:blue; "
      "background-color:#FFFFFF;border:0.2mm solid white;text-align:center} td.added "
      "{color:black;background-color:#3366FF;border:0.2mm solid white; text-align:center} "
      "td.removed {color:black;background-color:#FF6666;border:0.2mm solid white; "
      "text-align:center} td.formula {background-color:#CCEEEE;border:0.2mm solid white} "
      "td.comment {background-color:#EEEECC;border:0.2mm solid white} td.data "
      "{background-color:#EEEEEE;border:0.2mm solid white} a.nullhref {text-decoration:none; "
      "color#:000000;}</style><script for=window event=onload language=\"JScript\"> "
      "window.name=\"Visualized\";</script></head><body><h2>Comparison between <a "
      "href=\"file:///C:\\a.xls\">C:\\a.xls</a> and <a "
      "href=\"file:///C:\\b.xls\">C:\\b.xls</a></h2><h3>2026-12-07 15:30:00</h3><p><font "
      "size=+1>Rows 1 - 5</font></p>BODY</body></html>");
}

TEST(Documents, PathsWithMarkupAreEscaped) {
  DocumentTitle title{"/tmp/a&b <1>.xlsx", "/tmp/b.xlsx", "now", ""};
  const std::string head = reportDocumentHead(title);
  EXPECT_NE(
      head.find("<a href=\"file:////tmp/a%26b%20%3C1%3E.xlsx\">/tmp/a&amp;b &lt;1&gt;.xlsx</a>"),
      std::string::npos)
      << head;
}

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
