#include "formula/formula_references.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(FormulaReferences, MoveRelativePartsOnly) {
  const struct {
    const char* formula;
    long rows;
    long columns;
    const char* moved;
  } cases[] = {
      {"A1*2", 1, 0, "A2*2"},
      {"A1*2", 0, 2, "C1*2"},
      {"$A1+A$1+$A$1", 3, 1, "$A4+B$1+$A$1"},
      {"SUM(B2:B9)/$C$1", 2, 1, "SUM(C4:C11)/$C$1"},
      {"SUM(B:B)+SUM($C:D)+SUM(2:3)+SUM($4:5)", 1, 1, "SUM(C:C)+SUM($C:E)+SUM(3:4)+SUM($4:6)"},
      {"Prices!A1+'My Sheet'!B$2+'It''s'!C3", 1, 1, "Prices!B2+'My Sheet'!C$2+'It''s'!D4"},
      // Texts, function names that look like cells, numbers and structured references stay.
      {"IF(A1=\"B2\",LOG10(A1),1.5E3)", 1, 0, "IF(A2=\"B2\",LOG10(A2),1.5E3)"},
      {"\"say \"\"A1\"\"\"&A1", 1, 0, "\"say \"\"A1\"\"\"&A2"},
      {"SUM(Table1[[#This Row],[A1]])+TRUE", 1, 1, "SUM(Table1[[#This Row],[A1]])+TRUE"},
      {"xfd1+a1", 0, 0, "XFD1+A1"},
      // Off the worksheet, in either direction.
      {"A2+B1", -1, 0, "A1+#REF!"},
      {"XFD1", 0, 1, "#REF!"},
      {"A1048576", 1, 0, "#REF!"},
      // Words too long or too large to be references are names.
      {"ABCD1+XFE1+A0+Q1048577", 1, 1, "ABCD1+XFE1+A0+Q1048577"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.formula);
    EXPECT_EQ(moveRelativeReferences(c.formula, c.rows, c.columns), c.moved);
  }
}

TEST(FormulaReferences, FunctionPrefixesAreDroppedOutsideTexts) {
  EXPECT_EQ(withoutFunctionPrefixes("_xlfn.XLOOKUP(A1,B:B,C:C)&\"_xlfn.kept\""),
            "XLOOKUP(A1,B:B,C:C)&\"_xlfn.kept\"");
  EXPECT_EQ(withoutFunctionPrefixes("_xlfn._xlws.SORT(A1:A9)"), "SORT(A1:A9)");
}

}  // namespace
}  // namespace quill
