#include "formats/ods/sheet_contents.h"

#include <algorithm>
#include <charconv>

#include "formats/package/cell_format_table.h"
#include "formula/open_formula.h"

namespace quill::ods {

namespace {

long spanCount(const char* text, long limit) {
  if (text == nullptr) return 1;
  long value = 1;
  std::from_chars(text, text + std::char_traits<char>::length(text), value);
  return std::clamp(value, 1L, limit);
}

long countAttribute(const XmlAttributes& attributes, std::string_view name, long limit) {
  return spanCount(attributes.find(name), limit);
}

bool hiddenLine(const XmlAttributes& attributes) {
  const char* visibility = attributes.find("visibility");
  if (visibility == nullptr) return false;
  const std::string_view text(visibility);
  return text == "collapse" || text == "filter";
}

void addSpan(std::vector<LineSpan>& spans, long first, long last) {
  if (!spans.empty() && spans.back().last + 1 >= first)
    spans.back().last = std::max(spans.back().last, last);
  else
    spans.push_back({first, last});
}

}  // namespace

SheetContentsCollector::SheetContentsCollector(StoredWorkbook& workbook, const ContentsToRead& read,
                                               OdsStyles& styles)
    : workbook_(workbook), read_(read), styles_(styles) {}

void SheetContentsCollector::startTable(StoredSheet& sheet, const XmlAttributes& attributes) {
  sheet_ = &sheet;
  nextColumn_ = 1;
  columnFormats_.clear();
  runs_.clear();
  lastStyle_.clear();
  lastFormat_ = 0;
  lastValueRow_ = lastValueColumn_ = 0;
  if (read_.hidden) {
    const char* style = attributes.find("style-name");
    if (style != nullptr && styles_.tableHidden(style))
      sheet.contents().visibility = SheetVisibility::Hidden;
  }
}

void SheetContentsCollector::column(const XmlAttributes& attributes) {
  const long repeat = countAttribute(attributes, "number-columns-repeated", kMaxColumns);
  const long first = nextColumn_;
  const long last = std::min(first + repeat - 1, kMaxColumns);
  nextColumn_ = last + 1;
  if (first > kMaxColumns) return;
  if (read_.hidden && hiddenLine(attributes))
    addSpan(sheet_->contents().hiddenColumns, first, last);
  if (read_.formats) {
    const char* style = attributes.find("default-cell-style-name");
    styles_.fixDefault(style);
    const std::uint32_t format = style != nullptr ? styles_.cellFormat(style) : 0;
    if (format != 0) columnFormats_.push_back({first, last, format});
  }
}

void SheetContentsCollector::row(const XmlAttributes& attributes, long row, long repeat) {
  rowRepeat_ = std::min(repeat, kMaxRows);
  if (read_.hidden && hiddenLine(attributes) && row <= kMaxRows)
    addSpan(sheet_->contents().hiddenRows, row, std::min(row + repeat - 1, kMaxRows));
}

void SheetContentsCollector::cell(const XmlAttributes& attributes, long row, long column,
                                  long repeat) {
  if (row > kMaxRows || column > kMaxColumns) return;
  // One pass over the attributes: this runs for every cell.
  const char *style = nullptr, *columnsSpanned = nullptr, *rowsSpanned = nullptr;
  attributes.forEach([&](std::string_view name, const char* value) {
    if (name == "style-name")
      style = value;
    else if (name == "number-columns-spanned")
      columnsSpanned = value;
    else if (name == "number-rows-spanned")
      rowsSpanned = value;
  });
  if (read_.merged && (columnsSpanned != nullptr || rowsSpanned != nullptr)) {
    const long columns = spanCount(columnsSpanned, kMaxColumns);
    const long rows = spanCount(rowsSpanned, kMaxRows);
    if (columns > 1 || rows > 1)
      sheet_->contents().merged.push_back({row, column, std::min(row + rows - 1, kMaxRows),
                                           std::min(column + columns - 1, kMaxColumns)});
  }
  if (!read_.formats) return;
  const long lastColumn = std::min(column + repeat - 1, kMaxColumns);
  if (style != nullptr) {
    // Neighbouring cells mostly share a style: the last one's format is kept at hand.
    if (lastStyle_ != style) {
      lastStyle_ = style;
      lastFormat_ = styles_.cellFormat(style);
    }
    if (lastFormat_ != 0) addRun(row, column, lastColumn - column + 1, lastFormat_);
    return;
  }
  // A cell without a style of its own takes its column's default.
  for (const ColumnFormat& columns : columnFormats_) {
    const long first = std::max(column, columns.first);
    const long last = std::min(lastColumn, columns.last);
    if (first <= last) addRun(row, first, last - first + 1, columns.format);
  }
}

void SheetContentsCollector::addRun(long row, long column, long columns, std::uint32_t format) {
  // A run continuing the previous one along its row grows it instead.
  if (!runs_.empty()) {
    FormattedRun& last = runs_.back();
    if (last.row == std::uint32_t(row) && last.rows == std::uint32_t(rowRepeat_) &&
        last.format == format && last.column + last.columns == std::uint32_t(column)) {
      last.columns += std::uint32_t(columns);
      return;
    }
  }
  runs_.push_back({std::uint32_t(row), std::uint32_t(rowRepeat_), std::uint32_t(column),
                   std::uint32_t(columns), format});
}

void SheetContentsCollector::valueAt(long lastRow, long lastColumn) {
  lastValueRow_ = std::max(lastValueRow_, lastRow);
  lastValueColumn_ = std::max(lastValueColumn_, lastColumn);
}

// A repeated run of formatted cells is kept only within the area the values fill: writers
// repeat a styled empty cell to the sheet's last row and column, which would otherwise give
// billions of cells. A single formatted cell is kept wherever it is.
void SheetContentsCollector::finishTable() {
  if (sheet_ == nullptr) return;
  std::vector<FormattedCell>& formats = sheet_->contents().formats;
  std::uint64_t count = 0;
  for (const FormattedRun& run : runs_) {
    const long row = run.row, column = run.column;
    const bool single = run.rows == 1 && run.columns == 1;
    const long lastRow = single ? row : std::min(row + long(run.rows) - 1, lastValueRow_);
    const long lastColumn =
        single ? column : std::min(column + long(run.columns) - 1, lastValueColumn_);
    for (long r = row; r <= lastRow; ++r)
      for (long c = column; c <= lastColumn; ++c) {
        if (++count > kMaxFormattedCells)
          throw WorkbookError("sheet \"" + sheet_->name() + "\" has more than " +
                              std::to_string(kMaxFormattedCells) + " cells with formats");
        formats.push_back({r, c, run.format});
      }
  }
  orderSheetLayout(sheet_->contents());
  runs_.clear();
  sheet_ = nullptr;
}

void SheetContentsCollector::name(const XmlAttributes& attributes, std::string_view scopeSheet) {
  if (!read_.names) return;
  const char* nameText = attributes.find("name");
  if (nameText == nullptr) return;
  std::string formula;
  if (const char* range = attributes.find("cell-range-address"))
    formula = openFormulaToA1("=[" + std::string(range) + "]");
  else if (const char* expression = attributes.find("expression"))
    formula = openFormulaToA1(expression);
  workbook_.contents().names.push_back({nameText, std::string(scopeSheet), formula});
}

void SheetContentsCollector::startNote(long row, long column) {
  note_ = {row, column, {}, {}};
  noteText_.clear();
  noteDepth_ = 1;
  noteParagraphDepth_ = 0;
  inCreator_ = false;
}

void SheetContentsCollector::startInNote(std::string_view name, const XmlAttributes& attributes) {
  ++noteDepth_;
  if (noteParagraphDepth_ != 0) {
    if (name == "s") noteText_.spaces(countAttribute(attributes, "c", 1L << 24));
    if (name == "tab") noteText_.tab();
    if (name == "line-break") noteText_.lineBreak();
  } else if (name == "p" || name == "h") {
    noteParagraphDepth_ = noteDepth_;
    noteText_.startParagraph();
  } else if (name == "creator") {
    inCreator_ = true;
  }
}

void SheetContentsCollector::endInNote(std::string_view name) {
  if (noteDepth_ == noteParagraphDepth_) noteParagraphDepth_ = 0;
  if (name == "creator") inCreator_ = false;
  --noteDepth_;
}

void SheetContentsCollector::noteCharacters(std::string_view text) {
  if (inCreator_ && note_.author.size() + text.size() <= ParagraphText::kMaxGeneratedText)
    note_.author.append(text);
  else if (noteParagraphDepth_ != 0)
    noteText_.characters(text);
}

void SheetContentsCollector::finishNote() {
  noteDepth_ = 0;
  if (sheet_ == nullptr || note_.row > kMaxRows || note_.column > kMaxColumns) return;
  note_.text = noteText_.text();
  sheet_->contents().notes.push_back(std::move(note_));
}

void SheetContentsCollector::finish() {
  sortNames(workbook_.contents().names);
}

}  // namespace quill::ods
