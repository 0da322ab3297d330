// Writing the two documents where the folder refuses them: the error names the path and
// the reason, no partly written file or staging folder remains, and the documents of the
// earlier run stay.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "one_cell_result.h"
#include "report/documents.h"
#include "report/file_writer.h"
#include "report/html_result_writer.h"
#include "report/pending_file.h"
#include "support/small_tmpfs.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::SmallTmpfs;
using test::TemporaryFolder;

void writeOldPair(const fs::path& folder) {
  writeFileReplacing(folder / kReportFileName, {"old report"});
  writeFileReplacing(folder / kGridFileName, {"old grid"});
}

// The old pair is there unchanged, and nothing else is.
void expectOldPairAlone(const fs::path& folder) {
  EXPECT_EQ(readFile(folder / kReportFileName).substr(0, 40), "old report");
  EXPECT_EQ(readFile(folder / kGridFileName).substr(0, 40), "old grid");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"report.htm", "visualized.htm"}));
}

// The message of the WriteError that writing the pair into the folder throws.
std::string pairWriteError(const fs::path& folder, std::string_view body = "body") {
  try {
    test::writeOneCellPair(folder, body);
  } catch (const WriteError& e) {
    return e.what();
  }
  ADD_FAILURE() << "writing into " << folder << " succeeded";
  return "";
}

std::string expectedMessage(const fs::path& path, int error) {
  return "Cannot write \"" + path.string() + "\": " + std::strerror(error);
}

TEST(WriteFaults, AFileInPlaceOfTheFolderIsNamed) {
  struct Case {
    const char* fault;
    std::function<fs::path(const fs::path& folder)> breakFolder;  // the folder to write into
  };
  const Case cases[] = {
      {"a file in place of the folder",
       [](const fs::path& folder) {
         writeFileReplacing(folder / "out", {"a file"});
         return folder / "out";
       }},
      {"a file in place of a parent folder",
       [](const fs::path& folder) {
         writeFileReplacing(folder / "out", {"a file"});
         return folder / "out" / "inner";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    TemporaryFolder folder;
    const fs::path target = c.breakFolder(folder.path());
    EXPECT_EQ(pairWriteError(target), expectedMessage(target, ENOTDIR));
    EXPECT_EQ(readFile(folder.path() / "out"), "a file");
  }
}

TEST(WriteFaults, AFolderThatVanishedIsMadeAnew) {
  TemporaryFolder folder;
  fs::create_directory(folder.path() / "out");
  fs::remove(folder.path() / "out");
  test::writeOneCellPair(folder.path() / "out" / "inner", "new");
  EXPECT_NE(readFile(folder.path() / "out" / "inner" / kGridFileName).find("new"),
            std::string::npos);
}

TEST(WriteFaults, ReadOnlyFolderKeepsTheOldPair) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; see the tmpfs test";
  TemporaryFolder folder;
  writeOldPair(folder.path());
  fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(pairWriteError(folder.path()), expectedMessage(folder.path(), EACCES));
  fs::permissions(folder.path(), fs::perms::owner_all);
  expectOldPairAlone(folder.path());
}

TEST(WriteFaults, ReadOnlyFileSystemKeepsTheOldPair) {
  SmallTmpfs disk(1 << 20);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  writeOldPair(disk.path());
  ASSERT_TRUE(disk.makeReadOnly());
  EXPECT_EQ(pairWriteError(disk.path()), expectedMessage(disk.path(), EROFS));
  expectOldPairAlone(disk.path());
}

TEST(WriteFaults, FullDiskKeepsTheOldPairAndLeavesNoPart) {
  SmallTmpfs disk(64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  writeOldPair(disk.path());
  // The report alone fits; the grid beside it does not.
  const std::string body(40 * 1024, 'x');
  EXPECT_EQ(pairWriteError(disk.path(), body),
            expectedMessage(disk.path() / kGridFileName, ENOSPC));
  expectOldPairAlone(disk.path());
  test::writeOneCellPair(disk.path(), "small");
  EXPECT_NE(readFile(disk.path() / kReportFileName).find("small"), std::string::npos);
}

// A write call that takes the first bytes given and then fails as a full disk does.
WriteCallOverride::Call failAfter(std::size_t bytes) {
  return [bytes, taken = std::size_t(0)](int fd, const void* data,
                                         std::size_t size) mutable -> ssize_t {
    if (taken >= bytes) {
      errno = ENOSPC;
      return -1;
    }
    const ssize_t written = ::write(fd, data, std::min(size, bytes - taken));
    if (written > 0) taken += std::size_t(written);
    return written;
  };
}

TEST(WriteFaults, AWriteFailingAfterTheFirstBlockKeepsTheOldPair) {
  const std::string body(10000, 'x');
  TemporaryFolder sized;
  test::writeOneCellPair(sized.path(), body);
  const std::size_t reportSize = readFile(sized.path() / kReportFileName).size();
  const struct {
    std::size_t bytesTaken;
    std::string_view failingFile;
  } cases[] = {{4096, kReportFileName}, {reportSize + 4096, kGridFileName}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failingFile);
    TemporaryFolder folder;
    writeOldPair(folder.path());
    WriteCallOverride failing(failAfter(c.bytesTaken));
    EXPECT_EQ(pairWriteError(folder.path(), body),
              expectedMessage(folder.path() / c.failingFile, ENOSPC));
    expectOldPairAlone(folder.path());
  }
}

// Tells the writer a table of many long lines, more than its buffers hold.
void tellLongTable(ResultSink& sink) {
  sink.begin({"one.xlsx", "two.xlsx", "2026-12-07 10:00:00", ""});
  const ColumnPair column{1, 1};
  TableStart table;
  table.sheet1 = table.sheet2 = table.anchorSheet = "S";
  table.columns = {&column, 1};
  sink.beginTable(table);
  const std::string text(1000, 'x');
  CellPair cell;
  cell.column1 = cell.column2 = 1;
  cell.text1 = cell.text2 = text;
  for (long row = 1; row <= 500; ++row) sink.line({LineKind::Compared, row, row, 0, {&cell, 1}});
  sink.endTable();
}

TEST(WriteFaults, AFailurePartWayIsHeldUntilTheResultIsFinished) {
  TemporaryFolder folder;
  writeOldPair(folder.path());
  {
    HtmlResultWriter writer(folder.path());
    WriteCallOverride failing(failAfter(100000));
    EXPECT_NO_THROW(tellLongTable(writer));
    try {
      writer.finish();
      ADD_FAILURE() << "the documents were finished";
    } catch (const WriteError& e) {
      // The two documents are written on threads of their own against the one budget, so
      // either may be the one that meets the full disk.
      const std::string message = e.what();
      EXPECT_TRUE(message == expectedMessage(folder.path() / kGridFileName, ENOSPC) ||
                  message == expectedMessage(folder.path() / kReportFileName, ENOSPC))
          << message;
    }
  }
  expectOldPairAlone(folder.path());
}

TEST(WriteFaults, AWriterDroppedUnfinishedLeavesTheOldPairAndNoStagingFolder) {
  TemporaryFolder folder;
  writeOldPair(folder.path());
  {
    HtmlResultWriter writer(folder.path());
    tellLongTable(writer);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);
  }
  expectOldPairAlone(folder.path());
}

TEST(WriteFaults, AGridThatCannotBeReplacedPutsTheOldReportBack) {
  TemporaryFolder folder;
  writeFileReplacing(folder.path() / kReportFileName, {"old report"});
  fs::create_directory(folder.path() / kGridFileName);
  EXPECT_EQ(pairWriteError(folder.path()), expectedMessage(folder.path() / kGridFileName, EISDIR));
  EXPECT_EQ(readFile(folder.path() / kReportFileName), "old report");
  EXPECT_TRUE(fs::is_directory(folder.path() / kGridFileName));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);

  // With no report before, none is left behind either.
  fs::remove(folder.path() / kReportFileName);
  EXPECT_FALSE(pairWriteError(folder.path()).empty());
  EXPECT_FALSE(fs::exists(folder.path() / kReportFileName));
}

TEST(WriteFaults, MovingFinishedFilesIsAllOrNone) {
  TemporaryFolder folder;
  const fs::path staged = folder.path() / "staged", out = folder.path() / "out";
  fs::create_directories(staged);
  fs::create_directories(out / kGridFileName);  // a folder in the way of the second move
  writeFileReplacing(out / kReportFileName, {"old report"});
  writeFileReplacing(staged / kReportFileName, {"new report"});
  writeFileReplacing(staged / kGridFileName, {"new grid"});
  const std::vector<FileMove> moves = {{staged / kReportFileName, out / kReportFileName},
                                       {staged / kGridFileName, out / kGridFileName}};
  EXPECT_THROW(moveFilesTogether(moves), WriteError);
  EXPECT_EQ(readFile(out / kReportFileName), "old report");
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 2);

  fs::remove(out / kGridFileName);
  writeFileReplacing(staged / kReportFileName, {"new report"});
  moveFilesTogether(moves);
  EXPECT_EQ(readFile(out / kReportFileName), "new report");
  EXPECT_EQ(readFile(out / kGridFileName), "new grid");
  EXPECT_TRUE(fs::is_empty(staged));
}

TEST(WriteFaults, BothDocumentsReplaceTheOldPairTogether) {
  TemporaryFolder folder;
  writeOldPair(folder.path());
  test::writeOneCellPair(folder.path(), "new value");
  for (std::string_view name : {kReportFileName, kGridFileName})
    EXPECT_NE(readFile(folder.path() / name).find("new value"), std::string::npos) << name;
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace quill
