// Pairs of workbooks whose cells hold the same values and which differ in one property
// besides them: comparing the property finds exactly that one difference, and the plain
// comparison of values finds none. The .xlsx pairs are written with openpyxl, the .xls and
// .ods pairs converted from them with Gnumeric's ssconvert, the .xlsb pairs built record by
// record; the macro pairs are corpus files against copies with one letter of a module's
// source changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "support/cli_runner.h"
#include "support/corpus.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

using test::CliRun;
using test::runCli;
using test::runCommandLine;

// Python run without writing compiled modules into the test data's folders.
constexpr const char* kPython = "PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3";
const std::string kData = QUILLMERE_TEST_DATA;

// One kind of pair: the file stem, the --compare value that looks at it, and the one item
// the comparison must find, with its JSON kind and, for formats, the property named.
struct PairCase {
  const char* stem;
  const char* compare;
  const char* kind;
  const char* detail;
};

constexpr PairCase kPairs[] = {
    {"note", "notes", "different note", ""},
    {"name", "names", "name changed", ""},
    {"hidden-sheet", "hidden", "sheet hidden", ""},
    {"hidden-row", "hidden", "row hidden", ""},
    {"hidden-column", "hidden", "column hidden", ""},
    {"merged", "merged", "merged range added", ""},
    {"number-format", "formats", "different format", "number format"},
    {"bold", "formats", "different format", "bold"},
    {"italic", "formats", "different format", "italic"},
    {"underline", "formats", "different format", "underline"},
    {"font-colour", "formats", "different format", "font colour"},
    {"fill", "formats", "different format", "fill"},
};

// Whether a format's pairs leave the kind out: the record-built .xlsb styles have italic and
// underline only together.
bool leftOut(const std::string& format, const std::string& stem) {
  return format == "xlsb" && (stem == "italic" || stem == "underline");
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// The pairs of every kind in every format the tools at hand can write, made once.
class ContentsPairs : public testing::TestWithParam<const char*> {
 protected:
  static void SetUpTestSuite() {
    folder_ = std::make_unique<test::TemporaryFolder>();
    const std::string dir = folder_->path().string();
    const CliRun binary = runCommandLine(std::string(kPython) + " '" + kData +
                                         "/write_xlsb_pairs.py' '" + dir + "' 2>&1");
    ASSERT_EQ(binary.exitCode, 0) << binary.output;
    if (runCommandLine(std::string(kPython) + " -c 'import openpyxl' 2>&1").exitCode != 0) return;
    const CliRun written = runCommandLine(std::string(kPython) + " '" + kData +
                                          "/contents/write_contents_pairs.py' '" + dir + "' 2>&1");
    ASSERT_EQ(written.exitCode, 0) << written.output;
    written_ = true;
    if (runCommandLine("command -v ssconvert >/dev/null").exitCode != 0) return;
    const CliRun converted =
        runCommandLine("cd '" + dir + "' && for f in *.xlsx; do for e in xls ods; do " +
                       "ssconvert \"$f\" \"${f%.xlsx}.$e\" >/dev/null 2>&1 || exit 1; done; done");
    ASSERT_EQ(converted.exitCode, 0) << "ssconvert failed";
    converted_ = true;
  }
  static void TearDownTestSuite() { folder_.reset(); }

  void SetUp() override {
    const std::string format = GetParam();
    if (format == "xlsb") return;
    if (!written_) GTEST_SKIP() << "/usr/bin/python3 with openpyxl is needed to write the pairs";
    if (format != "xlsx" && !converted_)
      GTEST_SKIP() << "Gnumeric's ssconvert is needed to convert the pairs to ." << GetParam();
  }

  // "compare" with the pair of one kind in this test's format, and the switches given.
  static std::string pair(const PairCase& c, const std::string& switches) {
    const std::string base = folder_->path().string() + "/" + c.stem;
    return "compare '" + base + "-1." + GetParam() + "' '" + base + "-2." + GetParam() + "' " +
           switches;
  }

 private:
  static inline std::unique_ptr<test::TemporaryFolder> folder_;
  static inline bool written_ = false;
  static inline bool converted_ = false;
};

TEST_P(ContentsPairs, ComparingTheKindFindsItsOneDifference) {
  for (const PairCase& c : kPairs) {
    if (leftOut(GetParam(), c.stem)) continue;
    const CliRun run = runCli(pair(c, std::string("--compare ") + c.compare + " --format json"));
    EXPECT_EQ(run.exitCode, 1) << c.stem << "\n" << run.output;
    EXPECT_EQ(occurrences(run.output, "\"kind\":"), 1u) << c.stem << "\n" << run.output;
    EXPECT_EQ(occurrences(run.output, std::string("\"kind\":\"") + c.kind + "\""), 1u)
        << c.stem << "\n"
        << run.output;
    if (*c.detail != '\0') {
      EXPECT_NE(run.output.find(std::string("\"detail\":\"") + c.detail + "\""), std::string::npos)
          << c.stem << "\n"
          << run.output;
    }
  }
}

TEST_P(ContentsPairs, ComparingAllFindsTheSameOneDifference) {
  for (const PairCase& c : kPairs) {
    if (leftOut(GetParam(), c.stem)) continue;
    const CliRun run = runCli(pair(c, "--compare all --format json"));
    EXPECT_EQ(occurrences(run.output, "\"kind\":"), 1u) << c.stem << "\n" << run.output;
    EXPECT_EQ(occurrences(run.output, std::string("\"kind\":\"") + c.kind + "\""), 1u)
        << c.stem << "\n"
        << run.output;
  }
}

TEST_P(ContentsPairs, ValuesAloneShowNoDifference) {
  for (const PairCase& c : kPairs) {
    if (leftOut(GetParam(), c.stem)) continue;
    const CliRun run = runCli(pair(c, "--format text"));
    EXPECT_EQ(run.exitCode, 0) << c.stem << "\n" << run.output;
    EXPECT_NE(run.output.find(", 0 differences\n"), std::string::npos) << c.stem << "\n"
                                                                       << run.output;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, ContentsPairs, testing::Values("xlsx", "xls", "ods", "xlsb"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param);
                         });

// The corpus workbooks with a macro project, one of each format that holds one.
constexpr const char* kMacroBooks[] = {"calamine/vba.xlsm", "calamine/issues.xlsb",
                                       "calamine/issues.xls"};

TEST(CorpusContentsPairs, AChangedMacroModuleIsTheOneDifference) {
  SKIP_WITHOUT_CORPUS();
  if (runCommandLine(std::string(kPython) + " -c 'import olefile' 2>&1").exitCode != 0)
    GTEST_SKIP() << "python3-olefile is needed to change the macro source";
  const test::TemporaryFolder folder;
  for (const char* book : kMacroBooks) {
    const fs::path original = test::kCorpus / book;
    const fs::path changed = folder.path() / ("changed" + original.extension().string());
    const CliRun made =
        runCommandLine("cd '" + kData + "/macros' && " + kPython + " change_macro_source.py '" +
                       original.string() + "' '" + changed.string() + "' 2>&1");
    ASSERT_EQ(made.exitCode, 0) << book << "\n" << made.output;
    const std::string files = "'" + original.string() + "' '" + changed.string() + "'";
    const CliRun macros = runCli("compare " + files + " --compare macros --format json");
    EXPECT_EQ(macros.exitCode, 1) << book << "\n" << macros.output;
    EXPECT_EQ(occurrences(macros.output, "\"kind\":"), 1u) << book << "\n" << macros.output;
    EXPECT_EQ(occurrences(macros.output, "\"kind\":\"macro module changed\""), 1u) << book << "\n"
                                                                                   << macros.output;
    // The module named is the one the script changed.
    EXPECT_NE(macros.output.find("\"subject\":\"" + made.output.substr(0, made.output.find('\n'))),
              std::string::npos)
        << book << "\n"
        << macros.output;
    const CliRun values = runCli("compare " + files + " --format text");
    EXPECT_EQ(values.exitCode, 0) << book << "\n" << values.output;
    EXPECT_NE(values.output.find(", 0 differences\n"), std::string::npos) << book << "\n"
                                                                          << values.output;
  }
}

}  // namespace
}  // namespace quill
