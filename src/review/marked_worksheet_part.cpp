#include "review/marked_worksheet_part.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

#include "sheet/address.h"

namespace quill {

namespace {

constexpr long kEnd = std::numeric_limits<long>::max();
constexpr const char* kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
// What a worksheet may hold after its notes drawing, in the order it holds them.
constexpr std::string_view kAfterNoteDrawing[] = {"legacyDrawingHF", "drawingHF", "picture",
                                                  "oleObjects",      "controls",  "webPublishItems",
                                                  "tableParts",      "extLst"};

std::string_view localPart(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

struct CellPlace {
  long row = 0;
  long column = 0;
};

// The row and column of an address such as "AB12"; zeros where it names none.
CellPlace placeOf(std::string_view text) {
  const LeadingColumn column = leadingColumn(text, 3);
  if (column.letters == 0 || column.column > kMaxColumns) return {};
  return {rowNumberOf(text.substr(column.letters)), column.column};
}

long numberOf(const char* text, long otherwise) {
  if (text == nullptr) return otherwise;
  char* end = nullptr;
  const long number = std::strtol(text, &end, 10);
  return end == text ? otherwise : number;
}

}  // namespace

MarkedWorksheetPart::MarkedWorksheetPart(const SheetMarks& marks, MarkStyles& styles,
                                         std::string noteDrawingId)
    : marks_(marks), styles_(styles), noteDrawingId_(std::move(noteDrawingId)) {}

std::optional<MarkKind> MarkedWorksheetPart::columnMark(long column) const {
  const auto& columns = marks_.columns;
  const auto found = std::lower_bound(columns.begin(), columns.end(), column,
                                      [](const LineMark& mark, long at) { return mark.line < at; });
  if (found == columns.end() || found->line != column) return std::nullopt;
  return found->kind;
}

std::string MarkedWorksheetPart::rowStyle(MarkKind kind) {
  return " s=\"" + std::to_string(styles_.marked(0, kind)) + "\" customFormat=\"1\"";
}

std::string MarkedWorksheetPart::cellTag(long row, long column, MarkKind kind) {
  return "<" + prefix_ + "c r=\"" + cellAddress(row, column) + "\" s=\"" +
         std::to_string(styles_.marked(0, kind)) + "\"/>";
}

std::string MarkedWorksheetPart::cellsBefore(long column) {
  std::string cells;
  const auto& marked = marks_.cells;
  while (cell_ < marked.size() && marked[cell_].row == row_ && marked[cell_].column < column) {
    cells += cellTag(row_, marked[cell_].column, marked[cell_].kind);
    ++cell_;
  }
  return cells;
}

std::string MarkedWorksheetPart::rowsBefore(long row) {
  std::string rows;
  const auto& marked = marks_.cells;
  const auto& whole = marks_.rows;
  while (true) {
    while (cell_ < marked.size() && marked[cell_].row <= row_) ++cell_;
    while (markedRow_ < whole.size() && whole[markedRow_].line <= row_) ++markedRow_;
    long next = kEnd;
    if (cell_ < marked.size()) next = marked[cell_].row;
    if (markedRow_ < whole.size()) next = std::min(next, whole[markedRow_].line);
    if (next >= row || next > kMaxRows) return rows;
    row_ = next;
    rows += "<" + prefix_ + "row r=\"" + std::to_string(row_) + "\"";
    if (markedRow_ < whole.size() && whole[markedRow_].line == row_)
      rows += rowStyle(whole[markedRow_].kind);
    rows += ">" + cellsBefore(kEnd) + "</" + prefix_ + "row>";
  }
}

void MarkedWorksheetPart::start(XmlRewriter& rewriter, std::string_view name,
                                TagAttributes attributes) {
  ++depth_;
  skipEnd_ = rewriter.selfClosing();
  const std::string_view local = localPart(name);
  if (depth_ == 1) {
    prefix_ = std::string(name.substr(0, name.size() - local.size()));
    return;
  }
  if (depth_ == 4 && inSheetData_ && local == "c") return startCell(rewriter, name, attributes);
  if (depth_ == 3 && inSheetData_ && local == "row") return startRow(rewriter, name, attributes);
  if (depth_ == 3 && inColumns_) {
    keepColumn(attributes);
    rewriter.replaceTag("");
    return;
  }
  if (depth_ != 2) return;
  if (local == "cols") {
    columnsSeen_ = true;
    if (marks_.columns.empty()) return;
    // The whole list is written at its end, with the columns it held split where needed.
    inColumns_ = !rewriter.selfClosing();
    rewriter.replaceTag(inColumns_ ? "" : columnsXml());
  } else if (local == "sheetData") {
    if (!columnsSeen_ && !marks_.columns.empty()) rewriter.insertBefore(columnsXml());
    inSheetData_ = !rewriter.selfClosing();
    const std::string rows = inSheetData_ ? std::string() : rowsBefore(kEnd);
    if (!rows.empty())
      rewriter.replaceTag("<" + std::string(name) + ">" + rows + "</" + std::string(name) + ">");
  } else if (local == "dimension") {
    widenDimension(rewriter, name, attributes);
  } else if (local == "legacyDrawing") {
    drawingNamed_ = true;
  } else if (!noteDrawingId_.empty() && !drawingNamed_ &&
             std::find(std::begin(kAfterNoteDrawing), std::end(kAfterNoteDrawing), local) !=
                 std::end(kAfterNoteDrawing)) {
    drawingNamed_ = true;
    rewriter.insertBefore("<" + prefix_ + "legacyDrawing xmlns:r=\"" + kRelationships +
                          "\" r:id=\"" + noteDrawingId_ + "\"/>");
  }
}

void MarkedWorksheetPart::widenDimension(XmlRewriter& rewriter, std::string_view name,
                                         TagAttributes attributes) {
  const char* ref = attributes.find("ref");
  if (marks_.cells.empty() || ref == nullptr) return;
  const std::string_view text(ref);
  const std::size_t colon = text.find(':');
  const CellPlace first = placeOf(text.substr(0, colon));
  const CellPlace last = colon == std::string_view::npos ? first : placeOf(text.substr(colon + 1));
  if (first.row == 0 || last.row == 0) return;
  const Area declared{first.row, first.column, last.row, last.column};
  Area wide = declared;
  for (const CellMark& mark : marks_.cells) {
    wide.firstRow = std::min(wide.firstRow, mark.row);
    wide.lastRow = std::max(wide.lastRow, mark.row);
    wide.firstColumn = std::min(wide.firstColumn, mark.column);
    wide.lastColumn = std::max(wide.lastColumn, mark.column);
  }
  if (wide == declared) return;
  const std::string widened = cellAddress(wide.firstRow, wide.firstColumn) + ":" +
                              cellAddress(wide.lastRow, wide.lastColumn);
  rewriter.replaceTag(startTag(name, attributes, rewriter.selfClosing(), "ref", widened.c_str()));
}

void MarkedWorksheetPart::startRow(XmlRewriter& rewriter, std::string_view name,
                                   TagAttributes attributes) {
  const long row = std::max(numberOf(attributes.find("r"), row_ + 1), row_ + 1);
  rewriter.insertBefore(rowsBefore(row));
  row_ = row;
  column_ = 0;
  const auto& whole = marks_.rows;
  while (markedRow_ < whole.size() && whole[markedRow_].line < row) ++markedRow_;
  rowMark_.reset();
  if (markedRow_ < whole.size() && whole[markedRow_].line == row) rowMark_ = whole[markedRow_].kind;
  while (cell_ < marks_.cells.size() && marks_.cells[cell_].row < row) ++cell_;
  // Most rows pass unchanged: their tag is written anew only when it must change.
  const bool selfClosing = rewriter.selfClosing();
  const std::string cells = selfClosing ? cellsBefore(kEnd) : std::string();
  if (cells.empty() && !rowMark_) return;
  std::string tag;
  if (rowMark_) {
    const std::string style = std::to_string(styles_.marked(0, *rowMark_));
    tag = startTag(name, attributes, false, "s", style.c_str());
    if (attributes.find("customFormat") == nullptr)
      tag.insert(tag.size() - 1, " customFormat=\"1\"");
  } else {
    tag = startTag(name, attributes, false);
  }
  rewriter.replaceTag(selfClosing ? tag + cells + "</" + std::string(name) + ">" : tag);
}

void MarkedWorksheetPart::startCell(XmlRewriter& rewriter, std::string_view name,
                                    TagAttributes attributes) {
  const char* address = attributes.find("r");
  const CellPlace place = address != nullptr ? placeOf(address) : CellPlace{};
  const long column = place.column > column_ ? place.column : column_ + 1;
  rewriter.insertBefore(cellsBefore(column));
  column_ = column;
  const auto& marked = marks_.cells;
  std::optional<MarkKind> kind;
  if (cell_ < marked.size() && marked[cell_].row == row_ && marked[cell_].column == column)
    kind = marked[cell_++].kind;
  else if (rowMark_)
    kind = rowMark_;
  else
    kind = columnMark(column);
  if (!kind) return;
  const std::string style =
      std::to_string(styles_.marked(numberOf(attributes.find("s"), 0), *kind));
  rewriter.replaceTag(startTag(name, attributes, rewriter.selfClosing(), "s", style.c_str()));
}

void MarkedWorksheetPart::end(XmlRewriter& rewriter, std::string_view name) {
  const int depth = depth_--;
  if (skipEnd_) {
    skipEnd_ = false;
    return;
  }
  const std::string_view local = localPart(name);
  if (depth == 3 && inSheetData_ && local == "row") {
    rewriter.insertBefore(cellsBefore(kEnd));
  } else if (depth == 2 && inSheetData_) {
    inSheetData_ = false;
    rewriter.insertBefore(rowsBefore(kEnd));
  } else if (depth == 2 && inColumns_) {
    inColumns_ = false;
    rewriter.replaceTag(columnsXml());
  } else if (depth == 1 && !noteDrawingId_.empty() && !drawingNamed_) {
    drawingNamed_ = true;
    rewriter.insertBefore("<" + prefix_ + "legacyDrawing xmlns:r=\"" + kRelationships +
                          "\" r:id=\"" + noteDrawingId_ + "\"/>");
  }
}

void MarkedWorksheetPart::keepColumn(TagAttributes attributes) {
  Column column;
  column.min = numberOf(attributes.find("min"), 0);
  column.max = numberOf(attributes.find("max"), column.min);
  if (column.min < 1 || column.max < column.min) return;
  for (const char** p = attributes.pairs; *p != nullptr; p += 2)
    if (std::string_view(p[0]) != "min" && std::string_view(p[0]) != "max")
      column.attributes.emplace_back(p[0], p[1]);
  columns_.push_back(std::move(column));
}

// The column formats: those the worksheet had, split where a marked column lies in one, and
// each marked column in its own with its mark's fill.
std::string MarkedWorksheetPart::columnsXml() {
  const auto& marks = marks_.columns;
  std::vector<Column> written;
  std::vector<LineMark> alone;
  for (const LineMark& mark : marks)
    if (std::none_of(columns_.begin(), columns_.end(), [&](const Column& column) {
          return column.min <= mark.line && mark.line <= column.max;
        }))
      alone.push_back(mark);
  for (const Column& column : columns_) {
    long from = column.min;
    const auto first =
        std::lower_bound(marks.begin(), marks.end(), column.min,
                         [](const LineMark& mark, long at) { return mark.line < at; });
    for (auto at = first; at != marks.end() && at->line <= column.max; ++at) {
      if (at->line > from) written.push_back({from, at->line - 1, column.attributes});
      Column marked{at->line, at->line, {}};
      long style = 0;
      for (const auto& [key, value] : column.attributes) {
        if (key == "style")
          style = numberOf(value.c_str(), 0);
        else
          marked.attributes.emplace_back(key, value);
      }
      marked.attributes.emplace_back("style", std::to_string(styles_.marked(style, at->kind)));
      written.push_back(std::move(marked));
      from = at->line + 1;
    }
    if (from <= column.max) written.push_back({from, column.max, column.attributes});
  }
  for (const LineMark& mark : alone)
    written.push_back(
        {mark.line,
         mark.line,
         {{"width", "9.140625"}, {"style", std::to_string(styles_.marked(0, mark.kind))}}});
  std::sort(written.begin(), written.end(),
            [](const Column& a, const Column& b) { return a.min < b.min; });
  std::string xml = "<" + prefix_ + "cols>";
  for (const Column& column : written) {
    xml += "<" + prefix_ + "col min=\"" + std::to_string(column.min) + "\" max=\"" +
           std::to_string(column.max) + "\"";
    for (const auto& [key, value] : column.attributes)
      xml += " " + key + "=\"" + escapedXml(value) + "\"";
    xml += "/>";
  }
  return xml + "</" + prefix_ + "cols>";
}

}  // namespace quill
