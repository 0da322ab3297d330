// Inputs that once crashed, hung, leaked or exhausted a reader under the fuzzers, kept in
// tests/data/fuzz/TARGET/ and opened under their target's extension as the fuzzer wrote them.
// Each is listed here with the outcome it must have, and every file of those folders must be
// listed, so that a missing or an unlisted input fails instead of passing unseen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "formats/workbook_file.h"
#include "support/temporary_folder.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

const fs::path kFuzzData = fs::path(QUILLMERE_TEST_DATA) / "fuzz";

// One kept input: its target folder, its file name, and the end of the one-line error it
// must give (empty: it must open).
struct KeptInput {
  const char* target;
  const char* file;
  const char* errorEnd;
};

const KeptInput kKeptInputs[] = {
    // An .xls shared-string cell beyond the last column once made its error message throw.
    {"ods", "xls-shared-label-past-last-column.ods",
     "names shared string 2206434179 but the table holds 0"},
    // A damaged compound directory whose root entry has siblings: the directory library
    // logged on stderr and lost memory reading it, so such a file is refused before it does.
    {"xls", "xls-leak-1", "its compound document is damaged (the root entry has siblings)"},
    {"xlsb", "compound-root-entry-with-siblings.xlsb",
     "its compound document is damaged (the root entry has siblings)"},
};

// The error of opening the input under its target's extension, "" when it opened; what the
// reading wrote on stderr goes to stderrText.
std::string openError(const KeptInput& input, std::string& stderrText) {
  test::TemporaryFolder folder;
  const fs::path named = folder.path() / (std::string("input.") + input.target);
  fs::copy_file(kFuzzData / input.target / input.file, named);
  std::string error;
  testing::internal::CaptureStderr();
  try {
    auto workbook = readWorkbookFile(named.string());
    for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
      const Area used = workbook->sheet(i).usedArea();
      (void)workbook->sheet(i).cellText(used.lastRow, used.lastColumn);
    }
  } catch (const WorkbookError& e) {
    error = e.what();
  }
  stderrText = testing::internal::GetCapturedStderr();
  return error;
}

TEST(FuzzRegression, EveryKeptInputGivesItsOutcomeInOneLineAndNothingOnStderr) {
  for (const KeptInput& input : kKeptInputs) {
    SCOPED_TRACE(std::string(input.target) + "/" + input.file);
    ASSERT_TRUE(fs::is_regular_file(kFuzzData / input.target / input.file));
    std::string stderrText;
    const std::string error = openError(input, stderrText);
    EXPECT_TRUE(error.ends_with(input.errorEnd)) << error;
    EXPECT_NE(error.find("input."), std::string::npos) << "the error names the file: " << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_EQ(stderrText, "");
  }
}

TEST(FuzzRegression, EveryFileOfTheFuzzFoldersIsListed) {
  std::set<std::string> listed, present;
  for (const KeptInput& input : kKeptInputs)
    listed.insert(std::string(input.target) + "/" + input.file);
  ASSERT_TRUE(fs::is_directory(kFuzzData)) << kFuzzData;
  for (const auto& entry : fs::recursive_directory_iterator(kFuzzData))
    if (entry.is_regular_file())
      present.insert(fs::relative(entry.path(), kFuzzData).generic_string());
  EXPECT_EQ(present, listed);
}

}  // namespace
}  // namespace quill
