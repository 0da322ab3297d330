#include "formats/xlsx/xlsx_package.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/xlsx/xlsx_worksheet.h"

namespace quill::xlsx {
namespace {

TEST(XlsxPackage, RelationshipTargetsResolveToPartNames) {
  struct Case {
    const char* source;
    const char* target;
    const char* part;
  };
  const std::vector<Case> cases = {
      {"", "xl/workbook.xml", "xl/workbook.xml"},
      {"", "/xl/workbook.xml", "xl/workbook.xml"},
      {"xl/workbook.xml", "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/workbook.xml", "/xl/worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/workbook.xml", "../customXml/item1.xml", "customXml/item1.xml"},
      {"xl/workbook.xml", "./a/../b.xml", "xl/b.xml"},
      {"xl/workbook.xml", "../../../x.xml", "x.xml"},
      {"xl/workbook.xml", "worksheets\\sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/worksheets/sheet1.xml", "../drawings/drawing1.xml", "xl/drawings/drawing1.xml"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(resolvePartName(c.source, c.target), c.part) << c.source << " + " << c.target;
}

TEST(XlsxPackage, RelationshipsPartNames) {
  EXPECT_EQ(relationshipsPartName(""), "_rels/.rels");
  EXPECT_EQ(relationshipsPartName("xl/workbook.xml"), "xl/_rels/workbook.xml.rels");
  EXPECT_EQ(relationshipsPartName("book.xml"), "_rels/book.xml.rels");
}

TEST(XlsxPackage, RelationshipKindsInBothNamespaces) {
  Relationship transitional{
      "rId1", "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet", "",
      false};
  Relationship strict{"rId2", "http://purl.oclc.org/ooxml/officeDocument/relationships/worksheet",
                      "", false};
  EXPECT_TRUE(transitional.isOfKind("worksheet"));
  EXPECT_TRUE(strict.isOfKind("worksheet"));
  EXPECT_FALSE(transitional.isOfKind("sheet"));  // a whole segment, not a suffix
  EXPECT_FALSE(transitional.isOfKind("chartsheet"));
}

TEST(XlsxPackage, CellReferences) {
  struct Case {
    const char* reference;
    bool valid;
    long row;
    long column;
  };
  const std::vector<Case> cases = {
      {"A1", true, 1, 1},       {"b12", true, 12, 2},
      {"AA10", true, 10, 27},   {"XFD1048576", true, 1048576, 16384},
      {"XFE1", true, 1, 16385}, {"A1048577", true, 1048577, 1},
      {"1A", false, 0, 0},      {"A", false, 0, 0},
      {"1", false, 0, 0},       {"", false, 0, 0},
      {"A1B", false, 0, 0},     {"$A$1", false, 0, 0},
  };
  for (const Case& c : cases) {
    long row = -1, column = -1;
    EXPECT_EQ(parseCellReference(c.reference, row, column), c.valid) << c.reference;
    if (c.valid) {
      EXPECT_EQ(row, c.row) << c.reference;
      EXPECT_EQ(column, c.column) << c.reference;
    }
  }
  long row = 0, column = 0;
  ASSERT_TRUE(parseCellReference("ZZZZZZZZZZZZZZZZZZZZ99999999999999999999", row, column));
  EXPECT_GT(row, kMaxRows);  // capped, never overflowing into a valid row
  EXPECT_GT(column, kMaxColumns);
}

}  // namespace
}  // namespace quill::xlsx
