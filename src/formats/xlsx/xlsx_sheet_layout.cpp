#include "formats/xlsx/xlsx_sheet_layout.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>

#include "formats/package/cell_format_table.h"
#include "formats/xlsx/xlsx_worksheet.h"
#include "sheet/address.h"

namespace quill::xlsx {

namespace {

bool isTrue(const char* value) {
  if (value == nullptr) return false;
  const std::string_view text(value);
  return text == "1" || text == "true";
}

long lineNumber(const char* text, long limit) {
  if (text == nullptr) return 0;
  long value = 0;
  std::from_chars(text, text + std::char_traits<char>::length(text), value);
  return std::clamp(value, 0L, limit);
}

}  // namespace

SheetLayoutCollector::SheetLayoutCollector(const ContentsToRead& read,
                                           const std::vector<std::uint32_t>& cellFormats,
                                           SheetContents& contents,
                                           std::function<void(const std::string&)> fail)
    : read_(read), cellFormats_(cellFormats), contents_(contents), fail_(std::move(fail)) {}

void SheetLayoutCollector::outsideCells(std::string_view name, const XmlAttributes& attributes) {
  if (name == "col") {
    if (read_.hidden) addHiddenColumns(attributes);
    if (read_.formats) addColumnStyle(attributes);
  } else if (name == "mergeCell" && read_.merged) {
    const char* reference = attributes.find("ref");
    addMerged(reference != nullptr ? reference : "");
  }
}

void SheetLayoutCollector::addHiddenColumns(const XmlAttributes& attributes) {
  if (!isTrue(attributes.find("hidden"))) return;
  const long first = lineNumber(attributes.find("min"), kMaxColumns);
  const long last = lineNumber(attributes.find("max"), kMaxColumns);
  if (first < 1 || last < first) fail_("has a hidden column span that is malformed");
  contents_.hiddenColumns.push_back({first, last});
}

void SheetLayoutCollector::addColumnStyle(const XmlAttributes& attributes) {
  const long style = lineNumber(attributes.find("style"), std::numeric_limits<long>::max());
  if (style == 0) return;
  const long first = lineNumber(attributes.find("min"), kMaxColumns);
  const long last = lineNumber(attributes.find("max"), kMaxColumns);
  if (first < 1 || last < first) fail_("has a styled column span that is malformed");
  if (columnStyles_.empty()) columnStyles_.assign(std::size_t(kMaxColumns) + 1, 0);
  std::fill(columnStyles_.begin() + first, columnStyles_.begin() + last + 1,
            (unsigned long)(style));
}

void SheetLayoutCollector::row(long row, const XmlAttributes& attributes) {
  if (read_.formats)
    rowStyle_ =
        isTrue(attributes.find("customFormat"))
            ? (unsigned long)(lineNumber(attributes.find("s"), std::numeric_limits<long>::max()))
            : 0;
  if (!read_.hidden || !isTrue(attributes.find("hidden"))) return;
  if (!contents_.hiddenRows.empty() && contents_.hiddenRows.back().last == row - 1)
    contents_.hiddenRows.back().last = row;
  else
    contents_.hiddenRows.push_back({row, row});
}

void SheetLayoutCollector::refuseFormattedCells() const {
  fail_("has more than " + std::to_string(kMaxFormattedCells) + " cells with formats");
  throw std::logic_error("a failure report returned");
}

void SheetLayoutCollector::addMerged(std::string_view reference) {
  const std::size_t colon = reference.find(':');
  const std::string_view first = reference.substr(0, colon);
  const std::string_view last =
      colon == std::string_view::npos ? first : reference.substr(colon + 1);
  Area area;
  if (!parseCellReference(first, area.firstRow, area.firstColumn) ||
      !parseCellReference(last, area.lastRow, area.lastColumn) || area.lastRow > kMaxRows ||
      area.firstRow > kMaxRows || area.lastColumn > kMaxColumns || area.firstColumn > kMaxColumns)
    fail_("has the malformed merged range \"" + std::string(reference) + "\"");
  if (area.lastRow < area.firstRow) std::swap(area.firstRow, area.lastRow);
  if (area.lastColumn < area.firstColumn) std::swap(area.firstColumn, area.lastColumn);
  contents_.merged.push_back(area);
}

void SheetLayoutCollector::finish() {
  orderSheetLayout(contents_);
}

}  // namespace quill::xlsx
