#include "cli/password_options.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "support/cli_runner.h"
#include "support/corpus.h"
#include "support/temporary_folder.h"

namespace quill::cli {
namespace {

namespace fs = std::filesystem;

// Answers every question with the same line and counts the questions.
class CountingPrompt final : public PasswordPrompt {
 public:
  std::optional<std::string> ask(const std::string&) override {
    ++asked;
    return "typed";
  }
  int asked = 0;
};

TEST(CommandLinePasswordsTest, OptionsThenFilesThenEnvironmentThenPrompt) {
  test::TemporaryFolder folder;
  std::ofstream(folder.path() / "pw.txt") << "from file\r\nsecond line\n";
  ::setenv("QUILLMERE_PASSWORD1", "from environment 1", 1);
  ::setenv("QUILLMERE_PASSWORD2", "from environment 2", 1);
  PasswordArguments both;
  both.passwords[0] = "given";
  both.passwordFiles[0] = (folder.path() / "pw.txt").string();
  both.passwordFiles[1] = (folder.path() / "pw.txt").string();
  CountingPrompt prompt;
  CommandLinePasswords givenOnes(both, &prompt);
  EXPECT_EQ(givenOnes.password(1, "a.xlsx", 1), "given");
  EXPECT_EQ(givenOnes.password(2, "b.xlsx", 1), "from file");
  CommandLinePasswords environment({}, &prompt);
  EXPECT_EQ(environment.password(1, "a.xlsx", 1), "from environment 1");
  EXPECT_EQ(environment.password(2, "b.xlsx", 1), "from environment 2");
  ::unsetenv("QUILLMERE_PASSWORD1");
  ::unsetenv("QUILLMERE_PASSWORD2");
  EXPECT_EQ(prompt.asked, 0);

  CommandLinePasswords prompted({}, &prompt);
  EXPECT_EQ(prompted.password(1, "a.xlsx", 1), "typed");
  EXPECT_EQ(prompted.password(1, "a.xlsx", 1), "typed");
  EXPECT_EQ(prompted.password(2, "b.xlsx", 1), "typed");
  EXPECT_EQ(prompt.asked, 2);                                  // once for each file
  EXPECT_EQ(prompted.password(1, "a.xlsx", 2), std::nullopt);  // a wrong one is not asked again
  CommandLinePasswords none({}, nullptr);
  EXPECT_EQ(none.password(1, "a.xlsx", 1), std::nullopt);
}

TEST(CommandLinePasswordsTest, FolderRunsAskOnceForTheWholeRun) {
  CountingPrompt prompt;
  CommandLinePasswords passwords({}, &prompt, true);
  for (int file : {1, 2, 1, 2}) EXPECT_EQ(passwords.password(file, "x.xlsx", 1), "typed");
  EXPECT_EQ(prompt.asked, 1);
}

TEST(CommandLinePasswordsTest, UnreadablePasswordFileIsNamedWithoutContent) {
  PasswordArguments arguments;
  arguments.passwordFiles[1] = "/nonexistent/pw.txt";
  CommandLinePasswords passwords(arguments, nullptr);
  try {
    passwords.password(2, "b.xlsx", 1);
    ADD_FAILURE() << "an unreadable password file was taken";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("/nonexistent/pw.txt"), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("File #2"), std::string::npos);
  }
}

// Every byte the run left behind: its output and every file in its folder.
std::string everythingWritten(const test::CliRun& run, const fs::path& folder) {
  std::string all = run.output;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      all.append(std::istreambuf_iterator<char>(in), {});
    }
  return all;
}

TEST(PasswordCommandLineCorpusTest, PasswordsOpenTheFileAndAreNeverWrittenOut) {
  const fs::path book = test::kCorpus / "calamine" / "pass_protected.xlsx";
  if (!fs::exists(book)) GTEST_SKIP() << "the corpus is missing";
  test::TemporaryFolder folder;
  const std::string files = "'" + book.string() + "' '" + book.string() + "'";
  const std::string out = " --out '" + folder.path().string() + "'";
  std::ofstream(folder.path() / "pw.txt") << "123\n";

  const test::CliRun opened =
      test::runCli("compare " + files + out + " --password1 123 --password-file2 '" +
                   (folder.path() / "pw.txt").string() + "'");
  EXPECT_EQ(opened.exitCode, 0) << opened.output;
  const test::CliRun missingSecond =
      test::runCli("compare " + files + " --format text --password1 123 </dev/null", true);
  EXPECT_EQ(missingSecond.exitCode, 2);
  EXPECT_NE(missingSecond.output.find("no password was given for File #2"), std::string::npos)
      << missingSecond.output;
  const test::CliRun environment = test::runCommandLine(
      "QUILLMERE_PASSWORD1=123 QUILLMERE_PASSWORD2=123 '" + std::string(QUILLMERE_CLI) +
      "' compare " + files + " --format text </dev/null 2>&1");
  EXPECT_EQ(environment.exitCode, 0) << environment.output;

  const std::string secret = "Wr0ngSecret";
  const test::CliRun wrong = test::runCli("compare " + files + out + " --password1 " + secret +
                                          " --password2=" + secret + "2 </dev/null");
  EXPECT_EQ(wrong.exitCode, 2);
  EXPECT_NE(wrong.output.find("the password for File #1 is wrong"), std::string::npos)
      << wrong.output;
  EXPECT_NE(wrong.output.find("the password for File #2 is wrong"), std::string::npos)
      << wrong.output;
  EXPECT_EQ(everythingWritten(wrong, folder.path()).find(secret), std::string::npos);
  const test::CliRun empty = test::runCli("compare " + files + " --password1= --password2 123");
  EXPECT_NE(empty.output.find("the password given for File #1 is empty"), std::string::npos)
      << empty.output;
}

}  // namespace
}  // namespace quill::cli
