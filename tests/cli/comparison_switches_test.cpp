// The comparison options on the command line: each switch and tolerance lands in the
// request of a file comparison and in the options of a folder comparison.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/compare_options.h"
#include "cli/folder_options.h"

namespace quill::cli {
namespace {

struct SwitchCase {
  std::vector<std::string> arguments;
  ComparisonOptions expected;
};

ComparisonOptions with(void (*set)(ComparisonOptions&)) {
  ComparisonOptions options;
  set(options);
  return options;
}

void expectSameOptions(const ComparisonOptions& got, const ComparisonOptions& expected) {
  EXPECT_EQ(got.absoluteTolerance, expected.absoluteTolerance);
  EXPECT_EQ(got.relativeTolerance, expected.relativeTolerance);
  EXPECT_EQ(got.ignoreCase, expected.ignoreCase);
  EXPECT_EQ(got.ignoreSpaces, expected.ignoreSpaces);
  EXPECT_EQ(got.formulas, expected.formulas);
  EXPECT_EQ(got.align, expected.align);
  EXPECT_EQ(got.matchKey, expected.matchKey);
}

const std::vector<SwitchCase> kSharedCases = {
    {{}, {}},
    {{"--tolerance", "1e-9"}, with([](ComparisonOptions& o) { o.absoluteTolerance = 1e-9; })},
    {{"--tolerance=0.5"}, with([](ComparisonOptions& o) { o.absoluteTolerance = 0.5; })},
    {{"--relative-tolerance", "0.01"},
     with([](ComparisonOptions& o) { o.relativeTolerance = 0.01; })},
    {{"--tolerance", "0"}, {}},
    {{"--ignore-case"}, with([](ComparisonOptions& o) { o.ignoreCase = true; })},
    {{"--ignore-spaces"}, with([](ComparisonOptions& o) { o.ignoreSpaces = true; })},
    {{"--formulas"}, with([](ComparisonOptions& o) { o.formulas = true; })},
    {{"--align"}, with([](ComparisonOptions& o) { o.align = true; })},
    {{"--ignore-case", "--align", "--tolerance", "2", "--ignore-spaces", "--formulas"},
     with([](ComparisonOptions& o) {
       o.ignoreCase = o.align = o.ignoreSpaces = o.formulas = true;
       o.absoluteTolerance = 2;
     })},
};

TEST(ComparisonSwitches, FillTheRequestOfAFileComparison) {
  for (const SwitchCase& c : kSharedCases) {
    std::vector<std::string> arguments = {"a.xlsx", "b.xlsx"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    std::ostringstream err;
    const auto parsed = parseCompareArguments(arguments, err);
    ASSERT_TRUE(parsed) << err.str();
    expectSameOptions(parsed->request.options, c.expected);
  }
}

TEST(ComparisonSwitches, MatchKeyIsTakenInTheKeyedModes) {
  for (const char* mode : {"rows", "columns"}) {
    std::ostringstream err;
    const auto parsed = parseCompareArguments(
        {"a.xlsx", "b.xlsx", "--sheet1", "1", "--mode", mode, "--match=key"}, err);
    ASSERT_TRUE(parsed) << err.str();
    EXPECT_TRUE(parsed->request.options.matchKey) << mode;
  }
}

TEST(ComparisonSwitches, FillTheOptionsOfAFolderComparison) {
  for (const SwitchCase& c : kSharedCases) {
    std::vector<std::string> arguments = {"a", "b", "--jobs", "1"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    std::ostringstream err;
    const auto parsed = parseFolderArguments(arguments, err);
    ASSERT_TRUE(parsed) << err.str();
    expectSameOptions(parsed->options, c.expected);
  }
}

TEST(ComparisonSwitches, FolderComparisonRefusesBadTolerancesAndKeyMatching) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--tolerance", "-0.1"},
       "quillmere-cli compare: --tolerance does not take \"-0.1\"; expected a number of 0 or "
       "more, such as 0.001\n"},
      {{"--relative-tolerance=junk"},
       "quillmere-cli compare: --relative-tolerance does not take \"junk\"; expected a number "
       "of 0 or more, such as 0.001\n"},
      {{"--match", "key"},
       "quillmere-cli compare: --match is not used with folders: their workbooks are compared "
       "whole\n"},
  };
  for (const auto& [options, message] : cases) {
    std::vector<std::string> arguments = {"a", "b"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::ostringstream err;
    EXPECT_FALSE(parseFolderArguments(arguments, err));
    EXPECT_EQ(err.str(), message);
  }
}

}  // namespace
}  // namespace quill::cli
