// Leading and trailing spaces, trimmed as texts are read unless --exact-spaces is given:
// then "ABC " differs from "ABC", and every output shows the space.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/cli_runner.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using quill::test::CliRun;
using quill::test::runCli;
using quill::test::TemporaryFolder;

struct SpacesCase {
  std::string options;
  int exitCode;
  std::string shown;  // what the output holds
};

TEST(ExactSpaces, TrailingSpaceDiffersOnlyWhenAskedAndIsShown) {
  TemporaryFolder folder;
  const fs::path one = folder.path() / "one.csv", two = folder.path() / "two.csv";
  std::ofstream(one) << "id,code\n1,\"ABC \"\n";
  std::ofstream(two) << "id,code\n1,ABC\n";
  const std::vector<SpacesCase> cases = {
      {"--format text", 0, "0 differences"},
      {"--format text --exact-spaces", 1, "\"ABC \""},
      {"--format csv --exact-spaces", 1, "\"ABC \""},
      {"--format json --exact-spaces", 1, "\"ABC \""},
  };
  for (const SpacesCase& c : cases) {
    SCOPED_TRACE(c.options);
    const CliRun run =
        runCli("compare '" + one.string() + "' '" + two.string() + "' " + c.options + " --quiet");
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
    EXPECT_NE(run.output.find(c.shown), std::string::npos) << run.output;
  }
}

TEST(ExactSpaces, DocumentsShowEachEdgeSpace) {
  TemporaryFolder folder;
  const fs::path one = folder.path() / "one.csv", two = folder.path() / "two.csv";
  std::ofstream(one) << "\" ABC  \"\n";
  std::ofstream(two) << "ABC\n";
  const fs::path out = folder.path() / "out";
  const CliRun run = runCli("compare '" + one.string() + "' '" + two.string() + "' --out '" +
                            out.string() + "' --exact-spaces --quiet");
  EXPECT_EQ(run.exitCode, 1) << run.output;
  std::ifstream grid(out / "visualized.htm");
  const std::string markup((std::istreambuf_iterator<char>(grid)), {});
  EXPECT_NE(markup.find("\xE2\x90\xA3"
                        "ABC\xE2\x90\xA3\xE2\x90\xA3"),
            std::string::npos);
}

}  // namespace
