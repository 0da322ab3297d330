// Saving the finished pair of documents into a folder: all or nothing, through links, keeping
// modes, never over an input, and leaving no staging folder behind, even when interrupted.
#include "report/document_saving.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "report/documents.h"
#include "report/file_writer.h"
#include "report/pending_file.h"
#include "report/staging_folder.h"
#include "support/small_tmpfs.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::SmallTmpfs;
using test::TemporaryFolder;

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void writeOldPair(const fs::path& folder) {
  writeFileReplacing(folder / kReportFileName, {"old report"});
  writeFileReplacing(folder / kGridFileName, {"old grid"});
}

TEST(DocumentSaving, AFailureOnEitherDocumentKeepsTheOldPairAndNoStagingFolder) {
  // The first write call of the grid fails, as on a disk that fills up after the report.
  const std::string report(10000, 'r');
  for (const std::size_t taken : {std::size_t(0), report.size()}) {
    SCOPED_TRACE(taken);
    TemporaryFolder folder;
    writeOldPair(folder.path());
    std::size_t written = 0;
    WriteCallOverride failing([&](int fd, const void* data, std::size_t size) -> ssize_t {
      if (written + size > taken) {
        errno = ENOSPC;
        return -1;
      }
      written += size;
      return ::write(fd, data, size);
    });
    EXPECT_THROW(saveDocumentPair(folder.path(), report, "new grid", {}), WriteError);
    EXPECT_EQ(readFile(folder.path() / kReportFileName), "old report");
    EXPECT_EQ(readFile(folder.path() / kGridFileName), "old grid");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"report.htm", "visualized.htm"}));
  }
}

TEST(DocumentSaving, AFullDiskKeepsTheOldPair) {
  SmallTmpfs disk(64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  writeOldPair(disk.path());
  const std::string body(40 * 1024, 'x');
  EXPECT_THROW(saveDocumentPair(disk.path(), body, body, {}), WriteError);
  EXPECT_EQ(namesIn(disk.path()), (std::vector<std::string>{"report.htm", "visualized.htm"}));
  saveDocumentPair(disk.path(), "new report", "new grid", {});
  EXPECT_EQ(readFile(disk.path() / kReportFileName), "new report");
  EXPECT_EQ(readFile(disk.path() / kGridFileName), "new grid");
}

TEST(DocumentSaving, WritesThroughLinksAndKeepsEachOldMode) {
  TemporaryFolder folder;
  const fs::path out = folder.path() / "out", elsewhere = folder.path() / "elsewhere";
  fs::create_directories(out);
  fs::create_directories(elsewhere);
  writeFileReplacing(elsewhere / "kept.htm", {"old report"});
  fs::create_symlink("../elsewhere/kept.htm", out / kReportFileName);
  writeFileReplacing(out / kGridFileName, {"old grid"});
  fs::permissions(elsewhere / "kept.htm", fs::perms(0600));
  fs::permissions(out / kGridFileName, fs::perms(0640));

  saveDocumentPair(out, "new report", "new grid", {});
  EXPECT_TRUE(fs::is_symlink(out / kReportFileName));
  EXPECT_EQ(readFile(elsewhere / "kept.htm"), "new report");
  EXPECT_EQ(readFile(out / kGridFileName), "new grid");
  EXPECT_EQ(fs::status(elsewhere / "kept.htm").permissions(), fs::perms(0600));
  EXPECT_EQ(fs::status(out / kGridFileName).permissions(), fs::perms(0640));
  EXPECT_EQ(namesIn(elsewhere), (std::vector<std::string>{"kept.htm"}));
}

TEST(DocumentSaving, ALinkIntoAnotherFileSystemIsWrittenThrough) {
  SmallTmpfs disk(1 << 20);
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
  TemporaryFolder out;
  writeFileReplacing(disk.path() / "grid.htm", {"old grid"});
  fs::create_symlink(disk.path() / "grid.htm", out.path() / kGridFileName);
  saveDocumentPair(out.path(), "new report", "new grid", {});
  EXPECT_EQ(readFile(disk.path() / "grid.htm"), "new grid");
  EXPECT_TRUE(fs::is_symlink(out.path() / kGridFileName));
}

TEST(DocumentSaving, AFolderWhereADocumentWouldReplaceAnInputIsRefused) {
  TemporaryFolder folder;
  const fs::path input = folder.path() / "input.xlsx";
  writeFileReplacing(input, {"workbook"});
  struct Case {
    const char* how;
    // Puts the input, or a link to it, into the folder; gives the input's path as named.
    fs::path (*place)(const fs::path& folder, const fs::path& input);
  };
  const Case cases[] = {
      {"named report.htm",
       [](const fs::path& f, const fs::path& i) {
         fs::copy_file(i, f / kReportFileName);
         return f / kReportFileName;
       }},
      {"a link named visualized.htm",
       [](const fs::path& f, const fs::path& i) {
         fs::create_symlink(i, f / kGridFileName);
         return i;
       }},
      {"a hard link named report.htm",
       [](const fs::path& f, const fs::path& i) {
         fs::create_hard_link(i, f / kReportFileName);
         return i;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    TemporaryFolder out;
    const fs::path named = c.place(out.path(), input);
    const auto before = namesIn(out.path());
    EXPECT_THROW(saveDocumentPair(out.path(), "r", "g", {named}), WriteError);
    EXPECT_EQ(namesIn(out.path()), before);
    EXPECT_EQ(readFile(named), "workbook");
  }
  // An input that merely lies in the folder is no reason to refuse it.
  EXPECT_NO_THROW(refuseFolderHoldingInputs(folder.path(), {input}));
}

// The id of a process that has ended.
pid_t endedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

TEST(StagingFolders, ALaterRunRemovesTheFoldersOfEndedProcessesOnly) {
  TemporaryFolder folder;
  const fs::path dead = folder.path() / (".quillmere-" + std::to_string(endedProcess()) + "-a1");
  const fs::path live = folder.path() / (".quillmere-" + std::to_string(::getpid()) + "-b2");
  const fs::path foreign = folder.path() / ".quillmere-notes";
  for (const fs::path& f : {dead, live, foreign}) {
    fs::create_directories(f);
    writeFileReplacing(f / ".report.htm.1.part", {"part"});
  }
  {
    const StagingFolder staging(folder.path());
    EXPECT_TRUE(fs::is_directory(staging.path()));
  }
  EXPECT_EQ(namesIn(folder.path()),
            (std::vector<std::string>{live.filename().string(), foreign.filename().string()}));
}

TEST(StagingFolders, SigtermAndSigintRemoveTheLiveStagingFolder) {
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    TemporaryFolder folder;
    const pid_t child = ::fork();
    if (child == 0) {
      removeStagingOnSignals();
      const StagingFolder staging(folder.path());
      writeFileReplacing(staging.path() / kReportFileName, {"part"});
      ::raise(signal);
      ::_exit(3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
    EXPECT_TRUE(fs::is_empty(folder.path()));
  }
}

}  // namespace
}  // namespace quill
