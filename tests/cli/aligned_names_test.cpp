// Worksheets paired by name under --align, seen from the command line: CSV files, whose only
// sheet is named after the file, pair whatever their names.
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

TEST(AlignedNames, CsvFilesOfOtherNamesAndTheSameContentAreTheSame) {
  TemporaryFolder folder;
  const fs::path one = folder.path() / "january.csv", two = folder.path() / "february.csv";
  for (const fs::path& path : {one, two}) std::ofstream(path) << "a,b\n1,2\n";
  const CliRun run =
      runCli("compare '" + one.string() + "' '" + two.string() + "' --align --format text");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("0 differences"), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("renamed"), std::string::npos) << run.output;
}

}  // namespace
