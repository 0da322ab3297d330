// A comparison whose documents cannot be written: the failure names the file and the
// reason, and the documents of the earlier comparison stay as they were.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "document_run.h"
#include "engine/range_comparison.h"
#include "engine/rows_comparison.h"
#include "engine/whole_workbook.h"
#include "report/file_writer.h"
#include "report/html_result_writer.h"
#include "report/pending_file.h"
#include "support/temporary_folder.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

// A write call that fails as a full disk does for the files whose name holds the text.
WriteCallOverride::Call fullDiskFor(std::string name) {
  return [name](int fd, const void* data, std::size_t size) -> ssize_t {
    char path[PATH_MAX] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    if (::readlink(link.c_str(), path, sizeof path - 1) > 0 &&
        std::string_view(path).find(name) != std::string_view::npos) {
      errno = ENOSPC;
      return -1;
    }
    return ::write(fd, data, size);
  };
}

// Runs a comparison and gives the text of the failure it reports or throws.
using FailingRun = std::string (*)(DocumentRun& run);

ComparisonContext contextOf(DocumentRun& run, ResultSink& documents) {
  return {run.request, run.session, documents, run.progress, run.errors, [] { return "NOW"; }};
}

std::string wholeWorkbook(DocumentRun& run) {
  HtmlResultWriter documents(run.folder);
  ComparisonContext context = contextOf(run, documents);
  run.outcome = compareWholeWorkbooks(context);
  EXPECT_FALSE(run.outcome.resultComplete);
  EXPECT_FALSE(run.session.isOpen());
  return run.errors.texts.empty() ? "" : run.errors.texts.front();
}

std::string rangeOrRows(DocumentRun& run) {
  try {
    HtmlResultWriter documents(run.folder);
    ComparisonContext context = contextOf(run, documents);
    if (run.request.mode == Mode::Rows)
      compareRows(context);
    else
      compareRange(context, "$A$1:$B$2", "$A$1:$B$2");
  } catch (const WriteError& e) {
    return e.what();
  }
  ADD_FAILURE() << "the comparison wrote its documents";
  return "";
}

TEST(ComparisonWriteFaults, AGridThatCannotBeWrittenKeepsTheEarlierPair) {
  const struct {
    const char* comparison;
    Mode mode;
    FailingRun run;
  } cases[] = {{"whole workbook", Mode::Range, wholeWorkbook},
               {"range", Mode::Range, rangeOrRows},
               {"rows", Mode::Rows, rangeOrRows}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.comparison);
    DocumentRun run({{"S", {{"A1", "1"}, {"B2", "x"}}}}, {{"S", {{"A1", "2"}, {"B2", "x"}}}});
    run.request.mode = c.mode;
    run.request.sheet1 = 1;
    if (c.mode == Mode::Rows) {
      run.request.range1 = "$A:$B";
      run.request.startRow = "1";
    }
    writeFileReplacing(run.folder / "report.htm", {"old report"});
    writeFileReplacing(run.folder / "visualized.htm", {"old grid"});
    std::string failure;
    {
      WriteCallOverride full(fullDiskFor("visualized"));
      failure = c.run(run);
    }
    const std::string expected = "Cannot write \"" + (run.folder / "visualized.htm").string() +
                                 "\": No space left on device";
    EXPECT_EQ(failure.substr(0, expected.size()), expected);
    EXPECT_EQ(readFile(run.folder / "report.htm"), "old report");
    EXPECT_EQ(readFile(run.folder / "visualized.htm"), "old grid");
    EXPECT_EQ(std::distance(fs::directory_iterator(run.folder), fs::directory_iterator()), 2);
  }
}

TEST(ComparisonWriteFaults, AFileInPlaceOfTheOutputFolderIsNamed) {
  DocumentRun run({{"S", {{"A1", "1"}}}}, {{"S", {{"A1", "2"}}}});
  writeFileReplacing(run.folder / "out", {"a file"});
  HtmlResultWriter documents(run.folder / "out" / "temp");
  ComparisonContext context = contextOf(run, documents);
  EXPECT_FALSE(compareWholeWorkbooks(context).resultComplete);
  ASSERT_EQ(run.errors.texts.size(), 1u);
  EXPECT_NE(run.errors.texts[0].find((run.folder / "out").string()), std::string::npos);
  EXPECT_NE(run.errors.texts[0].find("Not a directory"), std::string::npos);
  EXPECT_EQ(readFile(run.folder / "out"), "a file");
}

}  // namespace
}  // namespace quill::test
