#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "support/temporary_folder.h"

namespace quill::cli {
namespace {

namespace fs = std::filesystem;

const std::string kKeyed = std::string(QUILLMERE_TEST_DATA) + "/keyed/";

// One run of quillmere-cli compare into a folder of its own.
class CompareRun {
 public:
  int run(const std::string& file1, const std::string& file2, std::vector<std::string> options) {
    std::vector<std::string> arguments = {"compare", file1, file2, "--out", folder_.string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return cli::run(arguments, out, err);
  }
  // Runs the program itself, so that a crash fails this test only; gives its exit code.
  int runProgram(const std::string& file1, const std::string& file2,
                 const std::vector<std::string>& options) {
    std::string command = "'" + std::string(QUILLMERE_CLI) + "' compare '" + file1 + "' '" + file2 +
                          "' --out '" + folder_.string() + "'";
    for (const std::string& option : options) command += " '" + option + "'";
    command += " 2>'" + (folder_ / "err").string() + "' >/dev/null";
    const int status = std::system(command.c_str());
    err << document("err");
    fs::remove(folder_ / "err");
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  std::string document(const char* name) const { return test::readFile(folder_ / name); }
  bool wroteNothing() const { return fs::is_empty(folder_); }

  std::ostringstream out, err;

 private:
  test::TemporaryFolder temporary_;
  const fs::path folder_ = temporary_.path();
};

TEST(CompareModes, EachModeRunsFromItsOptions) {
  struct Case {
    std::vector<std::string> options;
    std::string summary;
    std::string inGrid;
  };
  const std::vector<Case> cases = {
      {{}, "10 differences in 3 of 3 sheets\n", "<h3>Across</h3>"},
      {{"--sheet1", "2", "--range1", "$B$2:$C$4"},
       "2 differences in 1 of 1 sheet\n",
       "<h3>Stock</h3><table colls=2>"},
      {{"--sheet2", "2", "--mode", "rows", "--identifying", "a", "--ignore", "D"},
       "1 difference in 1 of 1 sheet\n",
       "Rows 1 - 4"},
      {{"--sheet1", "2", "--mode", "rows", "--range1", "$B:$C", "--start", "2", "--end", "3"},
       "1 difference in 1 of 1 sheet\n",
       "Start row: 2; end row: 3<br>"},
      {{"--sheet1", "3", "--mode", "columns", "--identifying", "1, 3"},
       "3 differences in 1 of 1 sheet\n",
       "Identifying rows: 1, 3<br>"},
  };
  for (const Case& c : cases) {
    CompareRun run;
    EXPECT_EQ(run.run(kKeyed + "keyed1.xlsx", kKeyed + "keyed2.xlsx", c.options), 1)
        << run.err.str();
    EXPECT_EQ(run.out.str(), c.summary);
    EXPECT_NE(run.document("visualized.htm").find(c.inGrid), std::string::npos) << c.inGrid;
    EXPECT_NE(run.document("report.htm").find("</table></body></html>"), std::string::npos);
  }
}

TEST(CompareModes, StartChecksAndWrongFieldsFailWithTheirMessageAndWriteNothing) {
  struct Case {
    std::vector<std::string> options;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"--sheet1", "2", "--mode", "rows", "--start", "10", "--end", "9"},
       "Start row must not be greater than end row."},
      {{"--sheet1", "3", "--mode", "columns", "--start", "C", "--end", "A"},
       "Start column must not be greater than end column."},
      {{"--sheet1", "2", "--mode", "rows", "--start", "abc"}, "Start row: \"abc\" is not valid"},
      {{"--sheet1", "3", "--mode", "columns", "--range1", "$A$1:$C$3"},
       "Rows to include: \"$A$1:$C$3\" is not valid; expected whole rows, such as $1:$20"},
      {{"--sheet1", "4", "--range1", "$A$1"}, "has no worksheet at position 4; it has 3"},
      {{"--mode", "rows"}, "--mode rows compares one worksheet of each file; add --sheet1"},
      {{"--mode", "diagonal"}, "--mode does not take \"diagonal\""},
      {{"--sheet1", "0"}, "--sheet1 does not take \"0\""},
      {{"--sheet2"}, "--sheet2 needs a value"},
  };
  for (const Case& c : cases) {
    CompareRun run;
    EXPECT_EQ(run.run(kKeyed + "keyed1.xlsx", kKeyed + "keyed2.xlsx", c.options), 2);
    EXPECT_NE(run.err.str().find(c.message), std::string::npos) << run.err.str();
    EXPECT_TRUE(run.wroteNothing()) << c.message;
  }
}

TEST(CompareModes, SampleWorkbooksRunInEveryMode) {
  const std::string samples = std::string(QUILLMERE_SAMPLES) + "/";
  if (!fs::exists(samples + "sample1.xls") || !fs::exists(samples + "sample2.xls"))
    GTEST_SKIP() << "Samples/sample1.xls and sample2.xls are not there yet";
  const std::vector<std::vector<std::string>> modes = {
      {},
      {"--sheet1", "1"},
      {"--sheet1", "1", "--mode", "rows", "--identifying", "A"},
      {"--sheet1", "1", "--mode", "columns", "--identifying", "1"},
  };
  for (const auto& options : modes) {
    CompareRun run;
    const int code = run.runProgram(samples + "sample1.xls", samples + "sample2.xls", options);
    EXPECT_TRUE(code == 0 || code == 1) << run.err.str();
    EXPECT_NE(run.document("report.htm").find("</table></body></html>"), std::string::npos);
    EXPECT_NE(run.document("visualized.htm").find("</body></html>"), std::string::npos);
  }
}

}  // namespace
}  // namespace quill::cli
