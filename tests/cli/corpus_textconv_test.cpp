#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "cli/listing_escapes.h"
#include "cli/text_dump.h"
#include "formats/workbook_file.h"
#include "support/corpus.h"

namespace {

namespace fs = std::filesystem;

// Every workbook of the corpus that opens dumps into a header for each worksheet followed by
// exactly one line for each of its rows up to the last in use, each empty or starting with a
// field, and no control character but the line ends.
TEST(CorpusTextconv, DumpsKeepEveryRowAtItsLine) {
  SKIP_WITHOUT_CORPUS();
  int dumped = 0;
  for (const auto& entry : fs::recursive_directory_iterator(quill::test::kCorpus)) {
    if (!entry.is_regular_file()) continue;
    std::unique_ptr<quill::StoredWorkbook> workbook;
    try {
      workbook = quill::readWorkbookFile(entry.path().string());
    } catch (const std::exception&) {
      continue;  // refusals are the readers' tests' concern
    }
    SCOPED_TRACE(entry.path().string());
    std::ostringstream out;
    quill::cli::writeTextDump(*workbook, out);
    const std::string dump = out.str();
    for (char ch : dump) ASSERT_FALSE((unsigned char)(ch) < 0x20 && ch != '\n');
    std::istringstream lines(dump);
    std::string line;
    for (std::size_t i = 1; i <= workbook->sheetCount(); ++i) {
      const quill::StoredSheet& sheet = workbook->storedSheet(i);
      ASSERT_TRUE(std::getline(lines, line));
      EXPECT_EQ(line, "Sheet: " + quill::cli::escapeForListing(sheet.name()));
      long rows = 0;
      for (; lines.peek() == '"' || lines.peek() == ',' || lines.peek() == '\n'; ++rows) {
        std::getline(lines, line);
        EXPECT_EQ(line.empty(), sheet.firstRowInUseFrom(rows + 1) != rows + 1) << line;
      }
      EXPECT_EQ(rows, sheet.cellCount() == 0 ? 0 : sheet.usedArea().lastRow) << sheet.name();
    }
    EXPECT_FALSE(std::getline(lines, line)) << "lines after the last sheet";
    ++dumped;
  }
  EXPECT_GT(dumped, 0);
}

}  // namespace
