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
CellPlace placeOf(const char* address) {
  if (address == nullptr) return {};
  const std::string_view text(address);
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

bool MarkedWorksheetPart::columnAdded(long column) const {
  return std::binary_search(marks_.addedColumns.begin(), marks_.addedColumns.end(), column);
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
  const auto& added = marks_.addedRows;
  while (true) {
    while (cell_ < marked.size() && marked[cell_].row <= row_) ++cell_;
    while (addedRow_ < added.size() && added[addedRow_] <= row_) ++addedRow_;
    long next = kEnd;
    if (cell_ < marked.size()) next = marked[cell_].row;
    if (addedRow_ < added.size()) next = std::min(next, added[addedRow_]);
    if (next >= row || next > kMaxRows) return rows;
    row_ = next;
    rows += "<" + prefix_ + "row r=\"" + std::to_string(row_) + "\"";
    if (addedRow_ < added.size() && added[addedRow_] == row_)
      rows +=
          " s=\"" + std::to_string(styles_.marked(0, MarkKind::RowAdded)) + "\" customFormat=\"1\"";
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
    if (marks_.addedColumns.empty()) return;
    // The whole list is written at its end, with the columns it held split where needed.
    inColumns_ = !rewriter.selfClosing();
    rewriter.replaceTag(inColumns_ ? "" : columnsXml());
  } else if (local == "sheetData") {
    if (!columnsSeen_ && !marks_.addedColumns.empty()) rewriter.insertBefore(columnsXml());
    inSheetData_ = !rewriter.selfClosing();
    const std::string rows = inSheetData_ ? std::string() : rowsBefore(kEnd);
    if (!rows.empty())
      rewriter.replaceTag("<" + std::string(name) + ">" + rows + "</" + std::string(name) + ">");
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

void MarkedWorksheetPart::startRow(XmlRewriter& rewriter, std::string_view name,
                                   TagAttributes attributes) {
  const long row = std::max(numberOf(attributes.find("r"), row_ + 1), row_ + 1);
  rewriter.insertBefore(rowsBefore(row));
  row_ = row;
  column_ = 0;
  while (addedRow_ < marks_.addedRows.size() && marks_.addedRows[addedRow_] < row) ++addedRow_;
  rowAdded_ = addedRow_ < marks_.addedRows.size() && marks_.addedRows[addedRow_] == row;
  while (cell_ < marks_.cells.size() && marks_.cells[cell_].row < row) ++cell_;
  std::string tag = startTag(name, attributes, false);
  if (rowAdded_) {
    const std::string style = std::to_string(styles_.marked(0, MarkKind::RowAdded));
    tag = startTag(name, attributes, false, "s", style.c_str());
    if (attributes.find("customFormat") == nullptr)
      tag.insert(tag.size() - 1, " customFormat=\"1\"");
  }
  if (rewriter.selfClosing()) {
    const std::string cells = cellsBefore(kEnd);
    if (cells.empty() && !rowAdded_) return;
    rewriter.replaceTag(tag + cells + "</" + std::string(name) + ">");
  } else if (rowAdded_) {
    rewriter.replaceTag(tag);
  }
}

void MarkedWorksheetPart::startCell(XmlRewriter& rewriter, std::string_view name,
                                    TagAttributes attributes) {
  const CellPlace place = placeOf(attributes.find("r"));
  const long column = place.column > column_ ? place.column : column_ + 1;
  rewriter.insertBefore(cellsBefore(column));
  column_ = column;
  const auto& marked = marks_.cells;
  std::optional<MarkKind> kind;
  if (cell_ < marked.size() && marked[cell_].row == row_ && marked[cell_].column == column)
    kind = marked[cell_++].kind;
  else if (rowAdded_)
    kind = MarkKind::RowAdded;
  else if (columnAdded(column))
    kind = MarkKind::ColumnAdded;
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

// The column formats: those the worksheet had, split where a column File #2 alone holds
// lies in one, and each such column in its own with the column fill.
std::string MarkedWorksheetPart::columnsXml() {
  std::vector<Column> written;
  std::vector<long> alone;
  for (long added : marks_.addedColumns)
    if (std::none_of(columns_.begin(), columns_.end(), [&](const Column& column) {
          return column.min <= added && added <= column.max;
        }))
      alone.push_back(added);
  for (const Column& column : columns_) {
    long from = column.min;
    const auto first =
        std::lower_bound(marks_.addedColumns.begin(), marks_.addedColumns.end(), column.min);
    for (auto at = first; at != marks_.addedColumns.end() && *at <= column.max; ++at) {
      if (*at > from) written.push_back({from, *at - 1, column.attributes});
      Column marked{*at, *at, {}};
      long style = 0;
      for (const auto& [key, value] : column.attributes) {
        if (key == "style")
          style = numberOf(value.c_str(), 0);
        else
          marked.attributes.emplace_back(key, value);
      }
      marked.attributes.emplace_back("style",
                                     std::to_string(styles_.marked(style, MarkKind::ColumnAdded)));
      written.push_back(std::move(marked));
      from = *at + 1;
    }
    if (from <= column.max) written.push_back({from, column.max, column.attributes});
  }
  const std::string style = std::to_string(styles_.marked(0, MarkKind::ColumnAdded));
  for (long added : alone)
    written.push_back({added, added, {{"width", "9.140625"}, {"style", style}}});
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
