#pragma once

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sheet/address.h"
#include "sheet/workbook.h"
#include "support/escaped_text.h"

namespace quill::test {

// Whether a cell lies in a merged range without being its first cell.
inline bool coveredByMerge(const SheetContents& contents, long row, long column) {
  for (const Area& area : contents.merged)
    if (row >= area.firstRow && row <= area.lastRow && column >= area.firstColumn &&
        column <= area.lastColumn && (row != area.firstRow || column != area.firstColumn))
      return true;
  return false;
}

// The lines tests/data/contents/contents_oracle.py prints for a workbook, made from what
// our reader stored: one tab-separated line per sheet, note, defined name, hidden span,
// merged range and formatted cell, sorted, newline-terminated. withCoveredFormats false
// leaves out the formats of cells that merged ranges cover, which openpyxl drops.
inline std::string contentsListing(const Workbook& workbook, bool withCoveredFormats = true) {
  const char* visibility[] = {"visible", "hidden", "veryHidden"};
  const std::vector<CellFormat>& formats = workbook.contents().formats;
  std::set<std::string> lines;
  for (std::size_t i = 1; i <= workbook.sheetCount(); ++i) {
    const Worksheet& sheet = workbook.sheet(i);
    const SheetContents& contents = sheet.contents();
    const std::string name = sheet.name();
    lines.insert("sheet\t" + name + "\t" + visibility[int(contents.visibility)]);
    for (const CellNote& note : contents.notes)
      lines.insert("note\t" + name + "!" + cellAddress(note.row, note.column) + "\t" +
                   escapedText(note.author) + "\t" + escapedText(note.text));
    for (const LineSpan& span : contents.hiddenRows)
      lines.insert("rows\t" + name + "\t" + std::to_string(span.first) + "-" +
                   std::to_string(span.last));
    for (const LineSpan& span : contents.hiddenColumns)
      lines.insert("columns\t" + name + "\t" + std::to_string(span.first) + "-" +
                   std::to_string(span.last));
    for (const Area& area : contents.merged)
      lines.insert("merged\t" + name + "\t" + cellAddress(area.firstRow, area.firstColumn) + ":" +
                   cellAddress(area.lastRow, area.lastColumn));
    for (const FormattedCell& cell : contents.formats) {
      if (!withCoveredFormats && coveredByMerge(contents, cell.row, cell.column)) continue;
      const CellFormat& format = formats.at(cell.format);
      lines.insert("format\t" + name + "!" + cellAddress(cell.row, cell.column) + "\t" +
                   format.numberFormat + "\t" + (format.bold ? "1" : "0") +
                   (format.italic ? "1" : "0") + (format.underline ? "1" : "0") + "\t" +
                   format.fontColour + "\t" + format.fillColour);
    }
  }
  for (const DefinedName& name : workbook.contents().names)
    lines.insert("name\t" + name.scopeSheet + "\t" + name.name + "\t" + name.formula);
  std::string out;
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

}  // namespace quill::test
