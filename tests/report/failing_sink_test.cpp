// A result sink that fails part way, seen through the documents: the old pair stays and no
// staging folder is left behind, in every mode.
#include <gtest/gtest.h>

#include <stdexcept>

#include "document_run.h"
#include "engine/choose_comparison.h"
#include "engine/whole_workbook.h"
#include "report/file_writer.h"
#include "report/html_result_writer.h"
#include "support/chosen_modes.h"

namespace quill::test {
namespace {

namespace fs = std::filesystem;

// Passes the result on to the documents and throws at the second line.
class FailingAtSecondLine final : public ResultSink {
 public:
  explicit FailingAtSecondLine(ResultSink& documents) : documents_(documents) {}
  void begin(const ResultHeading& heading) override { documents_.begin(heading); }
  void beginTable(const TableStart& table) override { documents_.beginTable(table); }
  void line(const Line& line) override {
    if (++lines_ == 2) throw std::runtime_error("the sink failed");
    documents_.line(line);
  }
  void contents(std::span<const ContentItem> items) override { documents_.contents(items); }
  void endTable() override { documents_.endTable(); }
  void finish() override {
    finished = true;
    documents_.finish();
  }
  bool finished = false;

 private:
  ResultSink& documents_;
  int lines_ = 0;
};

TEST(FailingSink, ASinkFailingPartWayLeavesTheOldPairAndNoStagingFolder) {
  for (const ChosenMode& mode : kModes) {
    SCOPED_TRACE(mode.name);
    DocumentRun run({{"S", {{"A1", "1"}, {"B2", "x"}}}}, {{"S", {{"A1", "2"}, {"B2", "y"}}}});
    mode.narrow(run.request);
    if (run.request.sheet1 && run.request.mode == Mode::Range)
      run.request.range1 = run.request.range2 = "$A$1:$B$2";
    writeFileReplacing(run.folder / "report.htm", {"old report"});
    writeFileReplacing(run.folder / "visualized.htm", {"old grid"});
    bool finished = false;
    {
      HtmlResultWriter documents(run.folder);
      FailingAtSecondLine failing(documents);
      ComparisonContext context{run.request, run.session, failing, run.progress, run.errors, {}};
      if (chooseComparison(run.request) == ComparisonKind::WholeWorkbook) {
        // The trap reports the failure once and goes on; the result is not completed.
        run.outcome = compareWholeWorkbooks(context);
        EXPECT_FALSE(run.outcome.resultComplete);
        ASSERT_EQ(run.errors.texts.size(), 1u);
        EXPECT_NE(run.errors.texts[0].find("the sink failed"), std::string::npos);
        EXPECT_NE(run.errors.texts[0].find("at line 150"), std::string::npos);
      } else {
        EXPECT_THROW(runChosenComparison(context), std::runtime_error);
      }
      finished = failing.finished;
    }
    EXPECT_FALSE(finished);
    EXPECT_EQ(readFile(run.folder / "report.htm"), "old report");
    EXPECT_EQ(readFile(run.folder / "visualized.htm"), "old grid");
    EXPECT_EQ(std::distance(fs::directory_iterator(run.folder), fs::directory_iterator()), 2);
  }
}

}  // namespace
}  // namespace quill::test
