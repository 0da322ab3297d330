// What the outputs may replace: never a device, a pipe or a link's target outside the output
// folder, never a file of the compared trees; and what an interrupted run leaves behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::test::CliRun;
using quill::test::readFile;
using quill::test::runCli;
using quill::test::runCommandLine;
using quill::test::TemporaryFolder;

const fs::path kSamples = QUILLMERE_SAMPLES;
const std::string kPair =
    "'" + (kSamples / "sample1.xls").string() + "' '" + (kSamples / "sample2.xls").string() + "' ";

std::string quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

void placeSample(const std::string& sample, const fs::path& path) {
  fs::create_directories(path.parent_path());
  fs::copy_file(kSamples / sample, path);
}

bool isFifo(const fs::path& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

// The names in the folder tree that an unfinished write leaves: part files and staging folders.
std::vector<std::string> debrisIn(const fs::path& folder) {
  // Files come and go while the run writes; a walk that fails part way is simply retried.
  std::vector<std::string> found;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.ends_with(".part") || name.starts_with(".quillmere-")) found.push_back(name);
  }
  return found;
}

TEST(SpecialOutputs, APipeIsWrittenIntoAndStaysAPipe) {
  TemporaryFolder folder;
  const fs::path fifo = folder.path() / "stream";
  const fs::path link = folder.path() / "link-to-stream";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(fifo, link);
  for (const fs::path& output : {fifo, link}) {
    const fs::path got = folder.path() / "got";
    // The reader opens the pipe itself; the comparison's stream must reach it.
    const CliRun run = runCommandLine("cat " + quoted(fifo) + " > " + quoted(got) + " & '" +
                                      QUILLMERE_CLI "' compare " + kPair +
                                      "--format csv --output " + quoted(output) + "; wait");
    EXPECT_EQ(run.exitCode, 0) << output;
    EXPECT_TRUE(isFifo(fifo)) << output;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(readFile(got).starts_with("file1,")) << readFile(got);
  }
}

TEST(SpecialOutputs, DashAndTheDescriptorNamesWriteWhereTheShellPointsThem) {
  TemporaryFolder folder;
  const CliRun dash = runCli("compare " + kPair + "--format csv --output -", false);
  EXPECT_EQ(dash.exitCode, 1);
  EXPECT_TRUE(dash.output.starts_with("file1,")) << dash.output;
  EXPECT_FALSE(fs::exists("-"));
  // /dev/stdout appends where the redirection appends, and no summary joins the stream.
  const fs::path file = folder.path() / "appended.csv";
  std::ofstream(file) << "before\n";
  const CliRun appended = runCommandLine("'" QUILLMERE_CLI "' compare " + kPair +
                                         "--format csv --output /dev/stdout >> " + quoted(file));
  EXPECT_EQ(appended.exitCode, 1);
  const std::string text = readFile(file);
  EXPECT_TRUE(text.starts_with("before\nfile1,")) << text;
  EXPECT_EQ(text.find(" differences in "), std::string::npos) << text;
  // A process substitution is a pipe named /dev/fd/N.
  const CliRun substituted = runCommandLine(
      "bash -c \"'" QUILLMERE_CLI "' compare " + kPair + "--format csv --output >(cat > " +
      quoted(folder.path() / "sub.csv") + "); code=\\$?; wait; exit \\$code\"");
  EXPECT_EQ(substituted.exitCode, 1) << substituted.output;
  EXPECT_TRUE(readFile(folder.path() / "sub.csv").starts_with("file1,"));
}

TEST(SpecialOutputs, AFolderGivenAsOutputIsNamedAsOne) {
  TemporaryFolder folder;
  const CliRun run = runCli("compare " + kPair + "--format text --output " + quoted(folder.path()));
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.output, "quillmere-cli compare: Cannot write \"" + folder.path().string() +
                            "\": it is a folder; --output takes a file\n");
}

// Two trees a/ and b/ with one pair and its documents' link set up by the case.
class FolderOutputs : public ::testing::Test {
 protected:
  void SetUp() override {
    placeSample("sample1.xls", root() / "a/x.xls");
    placeSample("sample2.xls", root() / "b/x.xls");
    placeSample("sample2.xls", root() / "elsewhere.xls");
    original_ = readFile(root() / "a/x.xls");
  }
  const fs::path& root() const { return folder_.path(); }
  CliRun compare(const std::string& options) const {
    return runCli("compare " + quoted(root() / "a") + " " + quoted(root() / "b") + " " + options);
  }
  void expectTreesUnchanged() const {
    EXPECT_EQ(readFile(root() / "a/x.xls"), original_);
    EXPECT_EQ(readFile(root() / "elsewhere.xls"), readFile(kSamples / "sample2.xls"));
  }

 private:
  TemporaryFolder folder_;
  std::string original_;
};

TEST_F(FolderOutputs, AnOutputInsideATreeIsRefusedBeforeAnythingIsWritten) {
  const CliRun output = compare("--format text --output " + quoted(root() / "a/x.xls"));
  EXPECT_EQ(output.exitCode, 2);
  EXPECT_NE(output.output.find("--output \"" + (root() / "a/x.xls").string() +
                               "\" lies inside the compared folder"),
            std::string::npos)
      << output.output;
  const CliRun out = compare("--out " + quoted(root() / "b/reports"));
  EXPECT_EQ(out.exitCode, 2);
  EXPECT_NE(out.output.find("lies inside the compared folder"), std::string::npos) << out.output;
  EXPECT_FALSE(fs::exists(root() / "b/reports"));
  expectTreesUnchanged();
}

TEST_F(FolderOutputs, LinksLeadingOutOfTheOutputFolderAreReplacedNotWrittenThrough) {
  const fs::path out = root() / "out";
  fs::create_directories(out / "x.xls");
  fs::create_symlink(root() / "a/x.xls", out / "index.htm");
  fs::create_symlink(root() / "elsewhere.xls", out / "x.xls/report.htm");
  // A link to another place inside the output folder is written through.
  fs::create_symlink("kept.htm", out / "x.xls/visualized.htm");
  const CliRun run = compare("--out " + quoted(out));
  EXPECT_EQ(run.exitCode, 1) << run.output;
  expectTreesUnchanged();
  EXPECT_FALSE(fs::is_symlink(out / "index.htm"));
  EXPECT_NE(readFile(out / "index.htm").find("x.xls"), std::string::npos);
  EXPECT_FALSE(fs::is_symlink(out / "x.xls/report.htm"));
  EXPECT_TRUE(fs::is_symlink(out / "x.xls/visualized.htm"));
  EXPECT_TRUE(readFile(out / "x.xls/kept.htm").starts_with("<html>"));
}

TEST(Leftovers, PartFilesOfEndedProcessesAreRemovedByALaterRun) {
  TemporaryFolder folder;
  // A process that has ended: its id names no running process (ids are not reused at once).
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ::waitpid(ended, nullptr, 0);
  const fs::path stale = folder.path() / (".result.txt." + std::to_string(ended) + "-123.part");
  const fs::path running =
      folder.path() / (".result.txt." + std::to_string(::getpid()) + "-456.part");
  const fs::path other = folder.path() / ".notes.part";
  for (const fs::path& path : {stale, running, other}) std::ofstream(path) << "half";
  const CliRun run =
      runCli("compare " + kPair + "--format text --output " + quoted(folder.path() / "result.txt"));
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(running));
  EXPECT_TRUE(fs::exists(other));
}

// Writes a CSV file big enough that reading it takes a noticeable while.
void writeLargeCsv(const fs::path& path, int rows) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path);
  for (int row = 0; row < rows; ++row) out << row << ",text " << row << ",more " << row * 7 << '\n';
}

// Runs the command line in a child process, waits until a file the predicate looks for
// appears in the folder, and interrupts the child with the signal; returns the child's status.
int interruptWhenSeen(const std::string& command, const fs::path& folder, int signal) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::execl("/bin/sh", "sh", "-c", ("exec " + command + " >/dev/null 2>&1").c_str(), nullptr);
    ::_exit(127);
  }
  int status = 0;
  for (;;) {
    if (::waitpid(child, &status, WNOHANG) == child) return status;  // ended before it was seen
    if (!debrisIn(folder).empty()) break;
    ::usleep(1000);
  }
  ::kill(child, signal);
  ::waitpid(child, &status, 0);
  return status;
}

TEST(Leftovers, AnInterruptedOutputLeavesNoPartFile) {
  TemporaryFolder folder;
  writeLargeCsv(folder.path() / "one.csv", 300000);
  writeLargeCsv(folder.path() / "two.csv", 300000);
  const fs::path out = folder.path() / "out";
  fs::create_directories(out);
  const int status = interruptWhenSeen(
      "'" QUILLMERE_CLI "' compare " + quoted(folder.path() / "one.csv") + " " +
          quoted(folder.path() / "two.csv") + " --format text --output " + quoted(out / "r.txt"),
      out, SIGTERM);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(debrisIn(out), std::vector<std::string>{});
}

TEST(Leftovers, AnInterruptedFolderRunLeavesNoStagingFolder) {
  TemporaryFolder folder;
  for (const char* name : {"p1.csv", "p2.csv", "p3.csv", "p4.csv"}) {
    writeLargeCsv(folder.path() / "a" / name, 60000);
    writeLargeCsv(folder.path() / "b" / name, 60001);
  }
  const fs::path out = folder.path() / "out";
  const int status =
      interruptWhenSeen("'" QUILLMERE_CLI "' compare " + quoted(folder.path() / "a") + " " +
                            quoted(folder.path() / "b") + " --jobs 4 --out " + quoted(out),
                        out, SIGINT);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(debrisIn(out), std::vector<std::string>{});
}

}  // namespace
