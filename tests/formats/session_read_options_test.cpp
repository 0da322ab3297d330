// The session reads the formulas of both workbooks only when its opening asks for them.
#include <gtest/gtest.h>

#include <filesystem>

#include "formats/session.h"
#include "support/collecting_error_box.h"

namespace quill {
namespace {

const std::string kFormulas =
    (std::filesystem::path(QUILLMERE_TEST_DATA) / "formulas" / "formulas.xlsx").string();

// Whether any cell of the workbook's first worksheet has a formula.
bool anyFormula(const Workbook& book) {
  const Worksheet& sheet = book.sheet(1);
  for (long row = 1; row <= 20; ++row)
    for (long column = 1; column <= 10; ++column)
      if (!sheet.cellFormula(row, column).empty()) return true;
  return false;
}

TEST(SessionOpening, ReadsFormulasOnlyWhenAsked) {
  for (const bool formulas : {false, true}) {
    SpreadsheetSession session;
    test::CollectingErrorBox box;
    ReadOptions options;
    options.formulas = formulas;
    openWorkbookPair(session, kFormulas, kFormulas, box, options);
    ASSERT_TRUE(box.texts.empty()) << box.texts.front();
    ASSERT_TRUE(session.isOpen());
    EXPECT_EQ(anyFormula(*session.firstBook()), formulas);
    EXPECT_EQ(anyFormula(*session.secondBook()), formulas);
  }
}

}  // namespace
}  // namespace quill
