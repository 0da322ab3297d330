// A cell whose formulas differ shows its value, stands out from plain data cells, names both
// formulas in its tooltip and is the target of its row in the difference list.
#include <gtest/gtest.h>

#include "report/documents.h"
#include "report/templates.h"

namespace quill {
namespace {

TEST(FormulaCell, ShowsTheValueAndBothFormulasEscapedInItsTooltip) {
  std::string grid;
  appendFormulaCell(grid, "Sheet 1!C2", "5", "=A1&\"<x>\"", "='O''Brien'!A1");
  EXPECT_EQ(grid,
            "<td class='formula' title='Different formula&#10;=A1&amp;&quot;&lt;x&gt;&quot;"
            "&#10;=&#39;O&#39;&#39;Brien&#39;!A1'><a class='nullhref' href=#null "
            "onfocus=\"this.parentElement.style.border='0.2mm solid red';\" "
            "onblur=\"this.parentElement.style.border='0.2mm solid white';\" "
            "name=\"Sheet 1!C2\">&nbsp;5&nbsp;</a></td>");
}

TEST(FormulaCell, AValueWithoutFormulaIsNamedAsSuch) {
  std::string grid;
  appendFormulaCell(grid, "S!A1", "3", "=1+2", "");
  EXPECT_NE(grid.find("title='Different formula&#10;=1+2&#10;(no formula)'"), std::string::npos)
      << grid;
}

TEST(FormulaCell, ItsClassIsStyledInTheGridHead) {
  const std::string head = gridDocumentHead({"a.xlsx", "b.xlsx", "now", ""});
  EXPECT_NE(head.find("td.formula {background-color:#CCEEEE;"), std::string::npos);
  // The difference list links to the cell by the anchor the cell carries.
  std::string row;
  appendDifferentFormulaRow(row, "S!A1", "=1+2", "");
  EXPECT_NE(row.find("href=\"visualized.htm#S!A1\""), std::string::npos) << row;
}

}  // namespace
}  // namespace quill
