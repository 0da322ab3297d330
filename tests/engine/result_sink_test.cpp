// What the comparisons tell their result sink: formulas compared list a formula that differs.
#include <gtest/gtest.h>

#include "engine/choose_comparison.h"
#include "engine/whole_workbook.h"
#include "request_run.h"
#include "sheet/stored_workbook.h"
#include "support/chosen_modes.h"

namespace quill::test {
namespace {

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
      const ResultTranscript& result =
          run.run([](ComparisonContext& context) { return runChosenComparison(context); });
      ASSERT_TRUE(result.finished);
      EXPECT_EQ(run.outcome.differences, formulas ? 1 : 0);
      EXPECT_EQ(result.starting("difference "),
                formulas
                    ? std::vector<std::string>{"difference A1/A1 different formula 3|3 =1+2|=2+1"}
                    : std::vector<std::string>{});
    }
  }
}

}  // namespace
}  // namespace quill::test
