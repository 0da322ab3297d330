#include <gtest/gtest.h>

#include <string>

#include "support/cli_runner.h"

namespace quill {
namespace {

const std::string kBook = "'" + std::string(QUILLMERE_TEST_DATA) + "/xlsx/many_cells.xlsx'";

struct RefusedCase {
  const char* arguments;
  const char* message;
};

TEST(CompareContentsOption, MistakesAreOneLineWithExitCodeTwo) {
  const RefusedCase cases[] = {
      {"compare B B --compare notes,bogus",
       "quillmere-cli compare: --compare does not take \"bogus\"; expected notes, names, "
       "hidden, merged, formats, macros or all, separated by commas\n"},
      {"compare B B --compare all --sheet1 1",
       "quillmere-cli compare: --compare is for whole workbooks; leave out --sheet1, --sheet2 "
       "and --mode\n"},
      {"compare B B --compare all --compare notes",
       "quillmere-cli compare: --compare is given more than once\n"},
  };
  for (const RefusedCase& c : cases) {
    std::string arguments = c.arguments;
    for (std::size_t at; (at = arguments.find(" B")) != std::string::npos;)
      arguments.replace(at, 2, " " + kBook);
    const test::CliRun run = test::runCli(arguments);
    EXPECT_EQ(run.exitCode, 2) << c.arguments;
    EXPECT_EQ(run.output, c.message) << c.arguments;
  }
}

TEST(CompareContentsOption, EqualWorkbooksStayEqualAndTheCaptionNamesWhatWasCompared) {
  const test::CliRun run =
      test::runCli("compare " + kBook + " " + kBook + " --compare notes,macros --format text");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.output.find("Options: compare notes, macros\n"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find(", 0 differences\n"), std::string::npos) << run.output;
}

TEST(CompareContentsOption, CsvMakesRoomForContentsOnlyWhenAsked) {
  const std::string pair = "compare " + kBook + " " + kBook + " --format csv";
  EXPECT_NE(test::runCli(pair + " --compare all").output.find(",formula2,subject,detail,"),
            std::string::npos);
  EXPECT_EQ(test::runCli(pair).output.find("subject"), std::string::npos);
}

}  // namespace
}  // namespace quill
