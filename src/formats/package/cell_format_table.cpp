#include "formats/package/cell_format_table.h"

#include <algorithm>

#include "formats/package/line_spans.h"

namespace quill {

CellFormat plainFormat() {
  CellFormat plain;
  plain.numberFormat = "General";
  return plain;
}

CellFormatTable::CellFormatTable(std::vector<CellFormat>& formats, const CellFormat& defaultFormat)
    : formats_(formats) {
  if (formats_.empty()) formats_.push_back(defaultFormat);
  for (std::size_t i = 0; i < formats_.size(); ++i)
    numbers_.emplace(keyOf(formats_[i]), std::uint32_t(i));
}

std::string CellFormatTable::keyOf(const CellFormat& format) {
  std::string key = format.numberFormat;
  key += '\0';
  key += char('0' + format.bold);
  key += char('0' + format.italic);
  key += char('0' + format.underline);
  key += format.fontColour;
  key += '\0';
  key += format.fillColour;
  return key;
}

std::uint32_t CellFormatTable::numberOf(const CellFormat& format) {
  const auto [found, added] = numbers_.emplace(keyOf(format), std::uint32_t(formats_.size()));
  if (added) formats_.push_back(format);
  return found->second;
}

void sortFormattedCells(std::vector<FormattedCell>& cells) {
  const auto before = [](const FormattedCell& a, const FormattedCell& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  };
  // Readers mostly give cells in order and once each: then there is nothing to do.
  const auto notAfter = [&](const FormattedCell& a, const FormattedCell& b) {
    return !before(a, b);
  };
  if (std::adjacent_find(cells.begin(), cells.end(), notAfter) == cells.end()) return;
  std::stable_sort(cells.begin(), cells.end(), before);
  // Of equal positions keep the last: walk backwards and keep the first seen.
  std::vector<FormattedCell> kept;
  kept.reserve(cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const bool replaced = i + 1 < cells.size() && cells[i + 1].row == cells[i].row &&
                          cells[i + 1].column == cells[i].column;
    if (!replaced) kept.push_back(cells[i]);
  }
  cells = std::move(kept);
}

void orderSheetLayout(SheetContents& contents) {
  joinSpans(contents.hiddenRows);
  joinSpans(contents.hiddenColumns);
  std::stable_sort(
      contents.merged.begin(), contents.merged.end(), [](const Area& a, const Area& b) {
        return a.firstRow != b.firstRow ? a.firstRow < b.firstRow : a.firstColumn < b.firstColumn;
      });
  sortFormattedCells(contents.formats);
}

void storeSheetLayout(SheetContents& contents, std::vector<LineSpan> hiddenRows,
                      std::vector<LineSpan> hiddenColumns, std::vector<Area> merged,
                      std::vector<FormattedCell> formats) {
  contents.hiddenRows = std::move(hiddenRows);
  contents.hiddenColumns = std::move(hiddenColumns);
  contents.merged = std::move(merged);
  contents.formats = std::move(formats);
  orderSheetLayout(contents);
}

SheetVisibility binarySheetVisibility(unsigned state) {
  switch (state) {
    case 0:
      return SheetVisibility::Visible;
    case 1:
      return SheetVisibility::Hidden;
    default:
      return SheetVisibility::VeryHidden;
  }
}

void sortNames(std::vector<DefinedName>& names) {
  std::stable_sort(names.begin(), names.end(), [](const DefinedName& a, const DefinedName& b) {
    return a.scopeSheet != b.scopeSheet ? a.scopeSheet < b.scopeSheet : a.name < b.name;
  });
}

void sortNotes(std::vector<CellNote>& notes) {
  std::stable_sort(notes.begin(), notes.end(), [](const CellNote& a, const CellNote& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  });
}

}  // namespace quill
