// Marking a worksheet part as it streams by: marked cells take filled copies of their own
// formats, cells, rows and column formats a mark needs are added in their places, and the
// rest of the part passes byte for byte, however the input is cut into chunks.
#include "review/marked_worksheet_part.h"

#include <gtest/gtest.h>

#include <string>

#include "report/file_writer.h"
#include "review/mark_styles.h"
#include "review/xml_rewriter.h"

namespace {

using quill::CellMark;
using quill::MarkKind;
using quill::MarkStyles;
using quill::SheetMarks;

// Two cell formats (0 and 1), so marked copies start at 2 in the order asked for.
constexpr const char* kStyles =
    "<styleSheet><fonts count=\"1\"><font><sz val=\"11\"/></font></fonts>"
    "<fills count=\"2\"><fill/><fill/></fills>"
    "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\"/><xf numFmtId=\"14\" "
    "fontId=\"0\" fillId=\"1\" applyFill=\"0\"><alignment wrapText=\"1\"/></xf></cellXfs>"
    "</styleSheet>";

std::string marked(const std::string& part, SheetMarks marks, std::size_t chunk = 7,
                   const std::string& drawing = "") {
  MarkStyles styles(kStyles, "styles");
  marks.complete();
  quill::MarkedWorksheetPart handler(marks, styles, drawing);
  std::string written;
  quill::XmlRewriter rewriter(
      handler, [&](std::string_view piece) { written.append(piece); }, "sheet");
  for (std::size_t at = 0; at < part.size(); at += chunk) rewriter.feed(part.substr(at, chunk));
  rewriter.finish();
  return written;
}

std::string sheet(const std::string& inside) {
  return "<?xml version=\"1.0\"?>\n<worksheet xmlns=\"urn:s\">" + inside + "</worksheet>";
}

CellMark mark(long row, long column, MarkKind kind = MarkKind::DifferentValue) {
  return CellMark{row, column, kind, ""};
}

struct SheetCase {
  const char* name;
  std::string part;
  SheetMarks marks;
  std::string expected;
};

class MarkedWorksheet : public testing::TestWithParam<SheetCase> {};

TEST_P(MarkedWorksheet, MarksAndKeepsTheRest) {
  for (std::size_t chunk : {1, 5, 4096})
    EXPECT_EQ(marked(GetParam().part, GetParam().marks, chunk), GetParam().expected) << chunk;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkedWorksheet,
    testing::Values(
        SheetCase{"unmarked_part_passes_unchanged",
                  sheet("<!-- c --><sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>1</v></c></row>"
                        "</sheetData>"),
                  {},
                  sheet("<!-- c --><sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>1</v></c></row>"
                        "</sheetData>")},
        SheetCase{"cell_takes_a_copy_of_its_format",
                  sheet("<sheetData><row r=\"2\"><c r=\"B2\" s=\"1\" t=\"s\"><v>0</v></c><c "
                        "r=\"C2\"/></row></sheetData>"),
                  {{mark(2, 2), mark(2, 3, MarkKind::MissingInFirst)}, {}, {}},
                  sheet("<sheetData><row r=\"2\"><c r=\"B2\" s=\"2\" t=\"s\"><v>0</v></c><c "
                        "r=\"C2\" s=\"3\"/></row></sheetData>")},
        SheetCase{"missing_cells_and_rows_are_added_in_order",
                  sheet("<sheetData><row r=\"1\"><c r=\"A1\"/><c r=\"C1\"/></row><row "
                        "r=\"5\"/></sheetData>"),
                  {{mark(1, 2), mark(1, 4), mark(3, 1), mark(5, 2), mark(7, 1)}, {}, {}},
                  sheet("<sheetData><row r=\"1\"><c r=\"A1\"/><c r=\"B1\" s=\"2\"/><c "
                        "r=\"C1\"/><c r=\"D1\" s=\"2\"/></row><row r=\"3\"><c r=\"A3\" "
                        "s=\"2\"/></row><row r=\"5\"><c r=\"B5\" s=\"2\"/></row><row "
                        "r=\"7\"><c r=\"A7\" s=\"2\"/></row></sheetData>")},
        SheetCase{"empty_sheet_data_gets_rows",
                  sheet("<sheetData/>"),
                  {{mark(2, 1)}, {}, {}},
                  sheet("<sheetData><row r=\"2\"><c r=\"A2\" s=\"2\"/></row></sheetData>")},
        SheetCase{"added_row_is_filled_whole",
                  sheet("<sheetData><row r=\"2\" spans=\"1:2\"><c r=\"A2\" s=\"1\"/><c "
                        "r=\"B2\"/></row></sheetData>"),
                  {{}, {{2, MarkKind::RowAdded}, {4, MarkKind::RowAdded}}, {}},
                  sheet("<sheetData><row r=\"2\" spans=\"1:2\" s=\"2\" customFormat=\"1\"><c "
                        "r=\"A2\" s=\"3\"/><c r=\"B2\" s=\"2\"/></row><row r=\"4\" s=\"2\" "
                        "customFormat=\"1\"></row></sheetData>")},
        SheetCase{"added_column_splits_the_column_formats",
                  sheet("<cols><col min=\"1\" max=\"3\" width=\"5\" style=\"1\"/></cols>"
                        "<sheetData><row r=\"1\"><c r=\"B1\"/></row></sheetData>"),
                  {{}, {}, {{2, MarkKind::ColumnAdded}, {5, MarkKind::ColumnAdded}}},
                  sheet("<cols><col min=\"1\" max=\"1\" width=\"5\" style=\"1\"/><col min=\"2\" "
                        "max=\"2\" width=\"5\" style=\"2\"/><col min=\"3\" max=\"3\" width=\"5\" "
                        "style=\"1\"/><col min=\"5\" max=\"5\" width=\"9.140625\" "
                        "style=\"3\"/></cols><sheetData><row r=\"1\"><c r=\"B1\" "
                        "s=\"3\"/></row></sheetData>")},
        SheetCase{"moved_row_and_column_take_their_own_fill_under_cell_marks",
                  sheet("<sheetData><row r=\"3\"><c r=\"A3\" s=\"1\"/><c "
                        "r=\"B3\"/></row></sheetData>"),
                  {{mark(3, 1)}, {{3, MarkKind::RowMoved}}, {{2, MarkKind::ColumnMoved}}},
                  sheet("<cols><col min=\"2\" max=\"2\" width=\"9.140625\" style=\"2\"/></cols>"
                        "<sheetData><row r=\"3\" s=\"3\" customFormat=\"1\"><c r=\"A3\" "
                        "s=\"4\"/><c r=\"B3\" s=\"3\"/></row></sheetData>")},
        SheetCase{"declared_range_takes_in_added_cells",
                  sheet("<dimension ref=\"B2:C3\"/><sheetData><row r=\"2\"><c "
                        "r=\"B2\"/></row></sheetData>"),
                  {{mark(1, 4), mark(2, 2)}, {}, {}},
                  sheet("<dimension ref=\"B1:D3\"/><sheetData><row r=\"1\"><c r=\"D1\" "
                        "s=\"2\"/></row><row r=\"2\"><c r=\"B2\" s=\"2\"/></row></sheetData>")},
        SheetCase{"declared_range_holding_the_marks_is_kept",
                  sheet("<dimension ref=\"A1:C3\"/><sheetData/>"),
                  {{mark(3, 3)}, {{9, MarkKind::RowAdded}}, {}},
                  sheet("<dimension ref=\"A1:C3\"/><sheetData><row r=\"3\"><c r=\"C3\" "
                        "s=\"2\"/></row><row r=\"9\" s=\"3\" customFormat=\"1\"></row>"
                        "</sheetData>")},
        SheetCase{"single_cell_range_of_an_empty_sheet_grows",
                  sheet("<dimension ref=\"A1\"/><sheetData/>"),
                  {{mark(5, 3)}, {}, {}},
                  sheet("<dimension ref=\"A1:C5\"/><sheetData><row r=\"5\"><c r=\"C5\" "
                        "s=\"2\"/></row></sheetData>")},
        SheetCase{"cells_without_addresses_are_counted",
                  sheet("<sheetData><row><c/><c><v>2</v></c></row></sheetData>"),
                  {{mark(1, 2)}, {}, {}},
                  sheet("<sheetData><row><c/><c s=\"2\"><v>2</v></c></row></sheetData>")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MarkedWorksheetDrawing, NewNotesDrawingIsNamedInItsPlace) {
  const std::string part = sheet("<sheetData/><pageMargins/><tableParts count=\"0\"/>");
  EXPECT_EQ(marked(part, {}, 3, "rIdQm1"),
            sheet("<sheetData/><pageMargins/><legacyDrawing "
                  "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                  "relationships\" r:id=\"rIdQm1\"/><tableParts count=\"0\"/>"));
}

TEST(MarkStyles, CopiesKeepTheFormatAndTakeTheMarksFill) {
  MarkStyles styles(kStyles, "styles");
  EXPECT_EQ(styles.marked(1, MarkKind::RowAdded), 2);
  EXPECT_EQ(styles.marked(7, MarkKind::DifferentValue), 3);  // past the list: the default's
  EXPECT_EQ(styles.marked(1, MarkKind::RowAdded), 2);
  EXPECT_EQ(styles.bold(), 4);
  const std::string written = styles.rewritten();
  // Nine fills, one for each kind, after the two there were; row added is the fifth kind.
  EXPECT_NE(written.find("<fills count=\"11\"><fill/><fill/><fill><patternFill "
                         "patternType=\"solid\"><fgColor rgb=\"FFFFFF00\"/>"),
            std::string::npos)
      << written;
  EXPECT_NE(written.find("<cellXfs count=\"5\">"), std::string::npos) << written;
  EXPECT_NE(written.find("<xf numFmtId=\"14\" fontId=\"0\" fillId=\"6\" applyFill=\"1\">"
                         "<alignment wrapText=\"1\"/></xf><xf numFmtId=\"0\" fontId=\"0\" "
                         "fillId=\"2\" applyFill=\"1\"/>"),
            std::string::npos)
      << written;
  EXPECT_NE(written.find("<fonts count=\"2\"><font><sz val=\"11\"/></font><font><b/><sz "
                         "val=\"11\"/></font></fonts>"),
            std::string::npos)
      << written;
}

TEST(MarkStyles, StylesWithoutCellFormatsAreRefused) {
  EXPECT_THROW(MarkStyles("<styleSheet><fills count=\"1\"><fill/></fills></styleSheet>", "s"),
               quill::WriteError);
}

TEST(XmlRewriter, MalformedAndEntityDeclaringPartsAreRefused) {
  for (const char* part : {"<a><b></a>", "<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>"}) {
    EXPECT_THROW(marked(part, {}), quill::WriteError) << part;
  }
}

}  // namespace
