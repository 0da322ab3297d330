// Each way a run can fail carries its kind and the file or field concerned, whatever the
// wording of its message.
#include <gtest/gtest.h>

#include <functional>

#include "document_run.h"
#include "engine/chosen_sheets.h"
#include "engine/range_comparison.h"
#include "formats/session.h"
#include "report/file_writer.h"

namespace quill::test {
namespace {

TEST(FailureKinds, EachFailureCarriesItsKindAndSubject) {
  const std::string damaged = std::string(QUILLMERE_TEST_DATA) + "/xlsx/not_a_zip.xlsx";
  struct Case {
    const char* what;
    std::function<void()> provoke;
    FailureKind kind;
    std::string subject;
  };
  const std::vector<Case> cases = {
      {"a range field",
       [] {
         DocumentRun run({{"S", {}}}, {{"S", {}}});
         run.request.sheet1 = 1;
         run.run([](ComparisonContext& c) { return compareRange(c, "B1:", ""); });
       },
       FailureKind::Request, "Range of Excel File #1"},
      {"a worksheet position",
       [] {
         DocumentRun run({{"S", {}}}, {{"S", {}}});
         run.request.sheet1 = 4;
         run.run([](ComparisonContext& c) { return compareRange(c, "A1", ""); });
       },
       FailureKind::Request, "Worksheet of Excel File #1"},
      {"an address", [] { parseRangeAddress("A1:"); }, FailureKind::Address, ""},
      {"a workbook", [&] { openWorkbook(damaged); }, FailureKind::Workbook, damaged},
      {"a closed session",
       [] {
         SpreadsheetSession closed;
         chosenSheets(ComparisonRequest{}, closed);
       },
       FailureKind::NotOpen, ""},
      {"a document", [] { writeFileReplacing("/nonexistent-folder/report.htm", {"x"}); },
       FailureKind::Write, "/nonexistent-folder/report.htm"},
  };
  for (const Case& c : cases) {
    try {
      c.provoke();
      ADD_FAILURE() << "no failure for " << c.what;
    } catch (const Failure& e) {
      EXPECT_EQ(e.kind(), c.kind) << c.what;
      EXPECT_EQ(e.subject(), c.subject) << c.what;
    }
  }
}

}  // namespace
}  // namespace quill::test
