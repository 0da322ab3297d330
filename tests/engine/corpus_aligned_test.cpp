// The aligned comparison over the shared corpus of real workbooks, hostile ones among them:
// a workbook aligned with itself differs nowhere, and with its neighbour in the corpus it
// completes with counts that agree with what the list would show.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/aligned_workbook.h"
#include "engine/counting_result.h"
#include "formats/workbook_file.h"
#include "result_transcript.h"
#include "sheet/workbook.h"
#include "support/corpus.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

// The corpus workbooks that open, in name order.
std::vector<std::unique_ptr<StoredWorkbook>> openedCorpus() {
  std::vector<fs::path> paths;
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus, error)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return char(std::tolower(ch)); });
    if (entry.is_regular_file() && (extension == ".xlsx" || extension == ".xls" ||
                                    extension == ".ods" || extension == ".xlsb"))
      paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<std::unique_ptr<StoredWorkbook>> books;
  for (const fs::path& path : paths) {
    try {
      books.push_back(readWorkbookFile(path.string()));
    } catch (const WorkbookError&) {
      // Refusing a damaged or protected workbook is the reader's business, tested there.
    }
  }
  return books;
}

// The differences an aligned comparison counts.
long alignedInto(ResultSink& sink, const Workbook& first, const Workbook& second) {
  CountingResult counted(sink);
  NoProgress progress;
  tellAlignedWorkbooks(counted, first, second, ComparisonOptions{}, progress);
  return counted.differences();
}

TEST(AlignedCorpus, EveryWorkbookAlignsWithItselfAndItsNeighbour) {
  SKIP_WITHOUT_CORPUS();
  const auto books = openedCorpus();
  ASSERT_FALSE(books.empty());
  for (std::size_t i = 0; i < books.size(); ++i) {
    ResultTranscript same;
    EXPECT_EQ(alignedInto(same, *books[i], *books[i]), 0) << i;
    ResultTranscript neighbour;
    EXPECT_GE(alignedInto(neighbour, *books[i], *books[(i + 1) % books.size()]), 0) << i;
    EXPECT_FALSE(neighbour.starting("table ").empty()) << i;
  }
}

}  // namespace
}  // namespace quill::test
