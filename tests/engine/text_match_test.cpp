// When two cell texts count as equal: exactly by default, and loosened by a numeric
// tolerance, by ignoring letter case and by joining runs of blanks, alone or together.
#include <gtest/gtest.h>

#include "engine/cell_difference.h"
#include "engine/comparison_options.h"
#include "engine/number_text.h"

namespace quill::test {
namespace {

struct MatchCase {
  std::string text1, text2;
  bool expected;
};

void expectMatches(const ComparisonOptions& options, const std::vector<MatchCase>& cases) {
  for (const MatchCase& c : cases) {
    EXPECT_EQ(textsMatch(options, c.text1, c.text2), c.expected)
        << '"' << c.text1 << "\" against \"" << c.text2 << '"';
    EXPECT_EQ(textsMatch(options, c.text2, c.text1), c.expected)
        << '"' << c.text2 << "\" against \"" << c.text1 << '"';
  }
}

TEST(TextsMatch, DefaultIsExact) {
  expectMatches({}, {{"", "", true},
                     {"abc", "abc", true},
                     {"abc", "ABC", false},
                     {"a b", "a  b", false},
                     {"1", "1.0", false},
                     {"0.3", "0.30000000000000004", false},
                     {"x", "", false}});
}

TEST(NumberInText, ReadsPlainAndScientificNumbersOnly) {
  const std::vector<std::pair<std::string, std::optional<double>>> cases = {
      {"12", 12},
      {"-2.5", -2.5},
      {"+3", 3},
      {"0.00001", 0.00001},
      {".5", 0.5},
      {"1E+15", 1e15},
      {"-1.5E-07", -1.5e-7},
      {"1e5", 1e5},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"1.", std::nullopt},
      {".", std::nullopt},
      {"1E", std::nullopt},
      {"1E+", std::nullopt},
      {"2026-12-07", std::nullopt},
      {"06:00:00", std::nullopt},
      {"5%", std::nullopt},
      {"1,000", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"0x1F", std::nullopt},
      {"1E+400", std::nullopt},
      {"--1", std::nullopt},
      {"True", std::nullopt},
      {"Error 2007", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(numberInText(text), expected) << text;
}

TEST(TextsMatch, AbsoluteToleranceComparesNumbersOnly) {
  ComparisonOptions options;
  options.absoluteTolerance = 0.01;
  expectMatches(options, {{"1", "1.01", true},
                          {"1", "1.02", false},
                          {"-0.005", "0.005", true},
                          {"1E+15", "1000000000000000", true},
                          {"1.0", "1", true},
                          {"2026-12-07", "2026-12-08", false},
                          {"abc", "abd", false},
                          {"1", "1a", false},
                          {"1", "", false},
                          {"06:00:00", "06:00:01", false}});
}

TEST(TextsMatch, RelativeToleranceScalesWithTheLargerMagnitude) {
  ComparisonOptions options;
  options.relativeTolerance = 1e-3;
  expectMatches(options, {{"1000", "1001", true},
                          {"1000", "1002", false},
                          {"0.001", "0.0010009", true},
                          {"0", "0.0000001", false},
                          {"-5", "5", false}});
}

TEST(TextsMatch, EitherToleranceSuffices) {
  ComparisonOptions options;
  options.absoluteTolerance = 0.5;
  options.relativeTolerance = 0.01;
  expectMatches(options, {{"0", "0.4", true}, {"1000", "1009", true}, {"10", "10.6", false}});
}

TEST(TextsMatch, IgnoreCaseFoldsLatinGreekAndCyrillicLetters) {
  ComparisonOptions options;
  options.ignoreCase = true;
  expectMatches(options, {{"Apple", "aPPLE", true},
                          {"ÄÖÜ É", "äöü é", true},
                          {"ŁÓDŹ", "łódź", true},
                          {"ĽUBICA", "ľubica", true},
                          {"Ÿ", "ÿ", true},
                          {"ΑΘΗΝΑ", "αθηνα", true},
                          {"МОСКВА ЁЖ", "москва ёж", true},
                          {"×", "÷", false},
                          {"straße", "STRASSE", false},
                          {"a b", "A  B", false},
                          {"apple", "apples", false},
                          {"\xC3", "\xE3", false},
                          {"\xC3\x84", "\xC3\xA4", true}});
}

TEST(TextsMatch, IgnoreSpacesJoinsRunsOfBlanks) {
  ComparisonOptions options;
  options.ignoreSpaces = true;
  expectMatches(options, {{"a  b", "a b", true},
                          {"a\tb", "a b", true},
                          {"a\xC2\xA0\t b", "a b", true},
                          {"a b", "ab", false},
                          {"a\tb\t", "a b ", true},
                          {"a\nb", "a b", false},
                          {"A b", "a b", false}});
}

TEST(TextsMatch, OptionsCombine) {
  ComparisonOptions options;
  options.ignoreCase = true;
  options.ignoreSpaces = true;
  options.absoluteTolerance = 0.1;
  expectMatches(options, {{"Total  Sum", "total sum", true},
                          {"1.05", "1", true},
                          {"1.2", "1", false},
                          {"N/A", "n/a", true},
                          {"Total Sum", "TotalSum", false}});
}

TEST(CellDifference, LooseEqualityDecidesTheKind) {
  ComparisonOptions options;
  options.ignoreCase = true;
  EXPECT_EQ(cellDifference(options, "A", "a"), DifferenceKind::None);
  EXPECT_EQ(cellDifference(options, "A", "b"), DifferenceKind::DifferentValue);
  EXPECT_EQ(cellDifference(options, "A", ""), DifferenceKind::MissingInSecond);
  EXPECT_EQ(cellDifference(options, "", "A"), DifferenceKind::MissingInFirst);
  options.formulas = true;
  EXPECT_EQ(cellDifference(options, "A", "a", "=B1", "=B2"), DifferenceKind::DifferentFormula);
}

TEST(CaptionWithOptions, NamesEachOptionInUse) {
  EXPECT_EQ(captionWithOptions("", {}), "");
  EXPECT_EQ(captionWithOptions("Compared areas: A and B", {}), "Compared areas: A and B");
  ComparisonOptions options;
  options.absoluteTolerance = 1e-9;
  options.relativeTolerance = 0.5;
  options.ignoreCase = true;
  options.ignoreSpaces = true;
  EXPECT_EQ(captionWithOptions("", options),
            "Options: numeric tolerance 1e-09; relative tolerance 0.5; ignore case; ignore spaces");
  ComparisonOptions others;
  others.formulas = true;
  others.align = true;
  others.matchKey = true;
  EXPECT_EQ(captionWithOptions("Compared areas: A and B", others),
            "Compared areas: A and B\nOptions: compare formulas; align inserted and deleted "
            "rows, columns and sheets; match by identifying columns or rows");
}

}  // namespace
}  // namespace quill::test
