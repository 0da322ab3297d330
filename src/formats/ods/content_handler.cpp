#include "formats/ods/content_handler.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "formula/open_formula.h"

namespace quill::ods {

namespace {

// Repeat counts beyond this are clipped; the worksheet limits refuse them long before.
constexpr long kMaxRepeat = long(1) << 31;

// The count a repeat attribute gives, 1 when it is missing or unreadable.
long repeatCount(const char* text) {
  if (text == nullptr) return 1;
  std::string_view digits = trimSpaces(text);
  unsigned long long value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec == std::errc::result_out_of_range) return kMaxRepeat;
  if (ec != std::errc() || end != digits.data() + digits.size() || value < 1) return 1;
  return long(std::min<unsigned long long>(value, kMaxRepeat));
}

long repeatCount(const XmlAttributes& attributes, std::string_view name) {
  return repeatCount(attributes.find(name));
}

}  // namespace

bool ContentHandler::startContents(std::string_view name, const XmlAttributes& attributes) {
  if (stylesDepth_ != 0) {
    contents_->styles().startElement(name, attributes);
  } else if (noteDepth_ != 0) {
    contents_->startInNote(name, attributes);
  } else if (name == "automatic-styles" && tableDepth_ == 0) {
    stylesDepth_ = depth_;
  } else if (cellDepth_ != 0 && depth_ == cellDepth_ + 1 && name == "annotation" &&
             contents_->read().notes) {
    noteDepth_ = depth_;
    contents_->startNote(row_, column_);
  } else if (cellDepth_ == 0 && (name == "named-range" || name == "named-expression")) {
    contents_->name(attributes, tableDepth_ == 1 && sheet_ != nullptr ? sheet_->name() : "");
  } else if (cellDepth_ == 0 && tableDepth_ == 1 && name == "table-column") {
    contents_->column(attributes);
  } else {
    return false;
  }
  return true;
}

bool ContentHandler::endContents(std::string_view name, int depth) {
  if (stylesDepth_ != 0) {
    if (depth == stylesDepth_)
      stylesDepth_ = 0;
    else
      contents_->styles().endElement(name);
  } else if (noteDepth_ != 0) {
    if (depth == noteDepth_) {
      noteDepth_ = 0;
      contents_->finishNote();
    } else {
      contents_->endInNote(name);
    }
  } else {
    return false;
  }
  return true;
}

void ContentHandler::startElement(std::string_view name, const XmlAttributes& attributes) {
  ++depth_;
  if (contents_ != nullptr && startContents(name, attributes)) return;
  if (ignoredDepth_ != 0) return;
  if (cellDepth_ != 0) {
    startInsideCell(name, attributes);
  } else if (name == "table") {
    if (++tableDepth_ == 1) startTable(attributes);
  } else if (name == "null-date" && tableDepth_ == 0) {
    if (const char* value = attributes.find("date-value"))
      if (auto date = parseNullDate(value)) nullDate_ = *date;
  } else if (tableDepth_ == 1 && name == "table-row") {
    inRow_ = true;
    rowRepeat_ = repeatCount(attributes, "number-rows-repeated");
    column_ = 1;
    pending_.clear();
    if (contents_ != nullptr) contents_->row(attributes, row_, rowRepeat_);
  } else if (tableDepth_ == 1 && inRow_ && (name == "table-cell" || name == "covered-table-cell")) {
    startCell(attributes);
  }
}

void ContentHandler::startTable(const XmlAttributes& attributes) {
  const char* name = attributes.find("name");
  sheet_ = &workbook_.addSheet(
      name != nullptr ? std::string(name) : "Sheet" + std::to_string(workbook_.sheetCount() + 1));
  row_ = 1;
  inRow_ = false;
  if (contents_ != nullptr) contents_->startTable(*sheet_, attributes);
}

void ContentHandler::startCell(const XmlAttributes& attributes) {
  cellDepth_ = depth_;
  cellRepeat_ = repeatCount(value_.read(attributes, nullDate_));
  if (contents_ != nullptr) contents_->cell(attributes, row_, column_, cellRepeat_);
  paragraph_.clear();
  formula_ = {};
  matrixRows_ = matrixColumns_ = 0;
  if (readFormulas_) readFormula(attributes);
}

// An array formula shows in braces in every cell of the range it fills, as in the formula
// bar; the other cells of that range carry no formula of their own.
void ContentHandler::readFormula(const XmlAttributes& attributes) {
  const char* formula = attributes.find("formula");
  if (formula == nullptr) return;
  std::string text = openFormulaToA1(formula);
  if (text.empty()) return;
  if (attributes.find("number-matrix-rows-spanned") != nullptr ||
      attributes.find("number-matrix-columns-spanned") != nullptr) {
    matrixRows_ = repeatCount(attributes, "number-matrix-rows-spanned");
    matrixColumns_ = repeatCount(attributes, "number-matrix-columns-spanned");
    text = "{" + text + "}";
  }
  formula_ = workbook_.arena().store(text);
}

void ContentHandler::spreadArrayFormula() {
  const long lastRow = std::min(row_ + matrixRows_ - 1, kMaxRows);
  const long lastColumn = std::min(column_ + matrixColumns_ - 1, kMaxColumns);
  const std::uint64_t cells =
      std::uint64_t(lastRow - row_ + 1) * std::uint64_t(lastColumn - column_ + 1);
  cellCount_ += cells;
  if (cellCount_ > kMaxCells)
    throw WorkbookError("sheet \"" + sheet_->name() +
                        "\" has an array formula spanning more than " + std::to_string(kMaxCells) +
                        " cells");
  for (long r = row_; r <= lastRow; ++r)
    for (long c = column_; c <= lastColumn; ++c) sheet_->addFormula(r, c, formula_);
}

// Only paragraphs that are children of the cell hold its text; annotations and notes
// inside them do not.
void ContentHandler::startInsideCell(std::string_view name, const XmlAttributes& attributes) {
  if (paragraphDepth_ == 0) {
    if (depth_ == cellDepth_ + 1 && (name == "p" || name == "h")) {
      paragraphDepth_ = depth_;
      paragraph_.startParagraph();
    }
    return;
  }
  if (name == "s") {
    paragraph_.spaces(repeatCount(attributes, "c"));
  } else if (name == "tab") {
    paragraph_.tab();
  } else if (name == "line-break") {
    paragraph_.lineBreak();
  } else if (name == "annotation" || name == "note" || name == "ruby-text") {
    ignoredDepth_ = depth_;
  }
}

void ContentHandler::endElement(std::string_view name) {
  const int depth = depth_--;
  if (contents_ != nullptr && endContents(name, depth)) return;
  if (ignoredDepth_ != 0) {
    if (depth == ignoredDepth_) ignoredDepth_ = 0;
    return;
  }
  if (cellDepth_ != 0) {
    if (depth == paragraphDepth_) {
      paragraphDepth_ = 0;
    } else if (depth == cellDepth_) {
      finishCell();
      cellDepth_ = 0;
    }
  } else if (name == "table") {
    if (tableDepth_-- == 1) {
      if (contents_ != nullptr) contents_->finishTable();
      sheet_ = nullptr;
    }
  } else if (tableDepth_ == 1 && inRow_ && name == "table-row") {
    finishRow();
    inRow_ = false;
  }
}

void ContentHandler::characters(std::string_view text) {
  if (contents_ != nullptr && stylesDepth_ != 0) {
    contents_->styles().characters(text);
    return;
  }
  if (contents_ != nullptr && noteDepth_ != 0) {
    contents_->noteCharacters(text);
    return;
  }
  // A cell whose value makes its text shows the value in its paragraphs, not collected.
  if (paragraphDepth_ != 0 && ignoredDepth_ == 0 && value_.needsParagraphs())
    paragraph_.characters(text);
}

void ContentHandler::finishCell() {
  std::string_view text = cellSpaces(value_.text(paragraph_.text()), workbook_.keepsSpaces());
  if (matrixRows_ > 0 && !formula_.empty()) spreadArrayFormula();
  if (!text.empty() || !formula_.empty()) {
    if (column_ + cellRepeat_ - 1 > kMaxColumns)
      throw WorkbookError("sheet \"" + sheet_->name() + "\" repeats a cell of row " +
                          std::to_string(row_) + " past column 16,384");
    pending_.push_back({column_, cellRepeat_, workbook_.arena().store(text), formula_});
  }
  column_ = std::min(column_ + cellRepeat_, kMaxColumns + 1);
}

void ContentHandler::finishRow() {
  if (!pending_.empty()) {
    if (row_ + rowRepeat_ - 1 > kMaxRows)
      throw WorkbookError("sheet \"" + sheet_->name() + "\" has cells past row 1,048,576");
    std::uint64_t cellsInRow = 0;
    for (const PendingCell& cell : pending_) cellsInRow += std::uint64_t(cell.repeat);
    cellCount_ += cellsInRow * std::uint64_t(rowRepeat_);
    if (cellCount_ > kMaxCells)
      throw WorkbookError("sheet \"" + sheet_->name() + "\" repeats its cells beyond the " +
                          std::to_string(kMaxCells) + " cells a workbook may hold");
    if (contents_ != nullptr)
      contents_->valueAt(row_ + rowRepeat_ - 1,
                         pending_.back().column + pending_.back().repeat - 1);
    for (long r = 0; r < rowRepeat_; ++r)
      for (const PendingCell& cell : pending_)
        for (long c = 0; c < cell.repeat; ++c) {
          if (!cell.text.empty()) sheet_->addTrimmed(row_ + r, cell.column + c, cell.text);
          if (!cell.formula.empty()) sheet_->addFormula(row_ + r, cell.column + c, cell.formula);
        }
  }
  row_ = std::min(row_ + rowRepeat_, kMaxRows + 1);
}

}  // namespace quill::ods
