#include "formats/contents_listing.h"

#include "sheet/address.h"

namespace quill::test {

namespace {

const char* visibilityText(SheetVisibility visibility) {
  switch (visibility) {
    case SheetVisibility::Hidden:
      return "hidden";
    case SheetVisibility::VeryHidden:
      return "veryhidden";
    default:
      return "visible";
  }
}

std::string oneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

std::string formatText(const CellFormat& format) {
  return format.numberFormat + "|" + std::to_string(format.bold) + "|" +
         std::to_string(format.italic) + "|" + std::to_string(format.underline) + "|" +
         format.fontColour + "|" + format.fillColour;
}

void listSheet(const StoredSheet& sheet, const WorkbookContents& book, std::string& out) {
  const SheetContents& contents = sheet.contents();
  const std::string& name = sheet.name();
  out += "sheet " + name + " " + visibilityText(contents.visibility) + "\n";
  for (const CellNote& note : contents.notes)
    out += "note " + name + "!" + cellAddress(note.row, note.column) + " " + note.author + "|" +
           oneLine(note.text) + "\n";
  for (const LineSpan& span : contents.hiddenRows)
    out +=
        "rows " + name + " " + std::to_string(span.first) + "-" + std::to_string(span.last) + "\n";
  for (const LineSpan& span : contents.hiddenColumns)
    out += "columns " + name + " " + std::to_string(span.first) + "-" + std::to_string(span.last) +
           "\n";
  for (const Area& area : contents.merged)
    out += "merged " + name + " " + cellAddress(area.firstRow, area.firstColumn) + ":" +
           cellAddress(area.lastRow, area.lastColumn) + "\n";
  for (const FormattedCell& cell : contents.formats)
    out += "format " + name + "!" + cellAddress(cell.row, cell.column) + " " +
           (cell.format < book.formats.size() ? formatText(book.formats[cell.format])
                                              : "[no format " + std::to_string(cell.format) + "]") +
           "\n";
}

}  // namespace

std::string contentsListing(const StoredWorkbook& workbook) {
  std::string out;
  for (std::size_t i = 0; i < workbook.sheetCount(); ++i)
    listSheet(workbook.storedSheet(i + 1), workbook.contents(), out);
  for (const DefinedName& name : workbook.contents().names)
    out += "name " + name.scopeSheet + "|" + name.name + "|" + name.formula + "\n";
  return out;
}

}  // namespace quill::test
