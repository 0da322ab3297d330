// What the comparisons tell their result sink, seen through the documents: a sink that fails
// part way leaves no documents, and formulas compared list a formula that differs.
#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/choose_comparison.h"
#include "engine/whole_workbook.h"
#include "report/file_writer.h"
#include "report/html_result_writer.h"
#include "report/templates.h"
#include "request_run.h"
#include "sheet/stored_workbook.h"

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

// Each way of choosing what is compared, on a worksheet "S" of two rows and two columns.
struct ChosenMode {
  const char* name;
  void (*narrow)(ComparisonRequest& request);
};

const ChosenMode kModes[] = {
    {"whole workbook", [](ComparisonRequest&) {}},
    {"range", [](ComparisonRequest& r) { r.sheet1 = 1; }},
    {"rows",
     [](ComparisonRequest& r) {
       r.sheet1 = 1;
       r.mode = Mode::Rows;
       r.range1 = "$A:$B";
     }},
    {"columns",
     [](ComparisonRequest& r) {
       r.sheet1 = 1;
       r.mode = Mode::Columns;
       r.range1 = "$1:$2";
     }},
};

TEST(ResultSink, ASinkFailingPartWayLeavesTheOldPairAndNoStagingFolder) {
  for (const ChosenMode& mode : kModes) {
    SCOPED_TRACE(mode.name);
    ComparisonRun run({{"S", {{"A1", "1"}, {"B2", "x"}}}}, {{"S", {{"A1", "2"}, {"B2", "y"}}}});
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
        run.outcome = DoItByFile(context);
        EXPECT_FALSE(run.outcome.documentsWritten);
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

// A workbook whose sheet "S" holds the value 3 in A1, computed by the formula, and "x" in B2.
std::unique_ptr<Workbook> bookComputing(std::string_view formula) {
  auto book = std::make_unique<StoredWorkbook>();
  StoredSheet& sheet = book->addSheet("S");
  sheet.add(1, 1, "3");
  sheet.addFormula(1, 1, formula);
  sheet.add(2, 2, "x");
  book->finish();
  return book;
}

TEST(ResultSink, FormulasComparedListAFormulaThatDiffersUnderAnEqualValue) {
  for (const ChosenMode& mode : kModes) {
    for (bool formulas : {false, true}) {
      SCOPED_TRACE(std::string(mode.name) + (formulas ? " with formulas" : " values only"));
      ComparisonRun run({}, {});
      run.session = sessionOf(bookComputing("=1+2"), bookComputing("=2+1"));
      mode.narrow(run.request);
      if (run.request.sheet1 && run.request.mode == Mode::Range)
        run.request.range1 = run.request.range2 = "$A$1:$B$2";
      run.request.options.formulas = formulas;
      const WrittenDocuments docs =
          run.run([](ComparisonContext& context) { return runChosenComparison(context); });
      ASSERT_TRUE(docs.written);
      EXPECT_EQ(run.outcome.differences, formulas ? 1 : 0);
      std::string listed;
      if (formulas) appendDifferentFormulaRow(listed, "S!A1", "=1+2", "=2+1");
      EXPECT_NE(docs.report.find(listed), std::string::npos) << docs.report;
      EXPECT_EQ(docs.report.find("Different formula") != std::string::npos, formulas);
    }
  }
}

}  // namespace
}  // namespace quill::test
