#include "formats/xlsx/xlsx_worksheet.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "formats/xlsx/xlsx_formulas.h"
#include "formats/xlsx/xlsx_package.h"
#include "formats/xlsx/xlsx_sheet_layout.h"
#include "formats/xlsx/xlsx_string_item.h"
#include "sheet/cell_text.h"
#include "sheet/deferred_texts.h"
#include "sheet/plain_number.h"

namespace quill::xlsx {

namespace {

constexpr long kCap = 1L << 40;  // far past every limit, yet safe from overflow
constexpr const char* kLimits = "1,048,576 rows and 16,384 columns of a worksheet";
const std::vector<std::uint32_t> kNoFormats;

// The kinds of value a cell's t attribute announces.
enum class CellType { Number, SharedString, FormulaString, InlineString, Boolean, Error, Date };

CellType cellType(const char* t) {
  if (t == nullptr) return CellType::Number;
  const std::string_view type(t);
  if (type == "s") return CellType::SharedString;
  if (type == "str") return CellType::FormulaString;
  if (type == "inlineStr") return CellType::InlineString;
  if (type == "b") return CellType::Boolean;
  if (type == "e") return CellType::Error;
  if (type == "d") return CellType::Date;
  return CellType::Number;
}

bool isXmlSpace(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

std::string_view trimXmlSpace(std::string_view text) {
  while (!text.empty() && isXmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isXmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Reads a whole non-negative number; false when the text is anything else.
bool parseWhole(std::string_view text, unsigned long& value) {
  text = trimXmlSpace(text);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Turns the cells of a worksheet part into texts of the stored sheet, one reused buffer for
// every value so that the number path does not allocate per cell.
class WorksheetHandler final : public XmlHandler {
 public:
  WorksheetHandler(const ZipArchive& zip, std::string_view part, const WorksheetContext& context,
                   StoredSheet& sheet)
      : zip_(zip), part_(part), context_(context), sheet_(sheet) {
    const ContentsToRead& read = context.contents;
    if (read.hidden || read.merged || (read.formats && context.cellFormats != nullptr))
      layout_.emplace(read, context.cellFormats != nullptr ? *context.cellFormats : kNoFormats,
                      sheet.contents(), [this](const std::string& reason) { fail(reason); });
  }

  void startElement(std::string_view name, const XmlAttributes& attributes) override;
  void endElement(std::string_view name) override;
  void characters(std::string_view text) override;
  // Gives the shared-string and whole-day cells their texts, all in one pass once the part
  // is read, so that the lookups in the large tables overlap instead of stalling the parse.
  void resolvePendingTexts();
  StoredSheet& sheet() { return sheet_; }
  void finishLayout() {
    if (layout_) layout_->finish();
  }

 private:
  void startRow(const XmlAttributes& attributes);
  void startCell(const XmlAttributes& attributes);
  void endCell();
  void addFormula();
  void addNumber(std::string_view value);
  // Adds a date cell holding a whole day ("45123"), its text to be made once per day and
  // shared; false for any other value.
  bool addWholeDay(std::string_view value);
  void addSharedString(std::string_view value);
  void checkPosition(long row, long column) const;
  [[noreturn]] void fail(const std::string& reason) const;

  const ZipArchive& zip_;
  std::string_view part_;
  const WorksheetContext& context_;
  StoredSheet& sheet_;

  bool inSheetData_ = false;
  bool inCell_ = false;
  bool inValue_ = false;
  bool inInline_ = false;
  bool hasInline_ = false;
  long row_ = 0;
  long column_ = 0;
  CellType type_ = CellType::Number;
  unsigned long style_ = 0;
  std::string value_;
  std::string text_;
  StringItemText inline_;
  CellFormulas formulas_;  // used only when the context asks for formulas

  DeferredTexts deferred_;  // shared-string and whole-day cells, given their texts at the end
  std::optional<SheetLayoutCollector> layout_;  // only when the layout is asked for
};

void WorksheetHandler::fail(const std::string& reason) const {
  throw partError(zip_, part_, "(sheet \"" + sheet_.name() + "\") " + reason);
}

void WorksheetHandler::checkPosition(long row, long column) const {
  if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
    fail("has a cell at row " + std::to_string(row) + ", column " + std::to_string(column) +
         ", outside the " + kLimits);
}

void WorksheetHandler::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (name == "sheetData") {
    inSheetData_ = true;
  } else if (!inSheetData_) {
    if (layout_) layout_->outsideCells(name, attributes);
  } else if (inInline_) {
    inline_.startElement(name);
  } else if (name == "row") {
    startRow(attributes);
  } else if (name == "c") {
    startCell(attributes);
  } else if (inCell_ && name == "v") {
    inValue_ = true;
  } else if (inCell_ && name == "is") {
    inInline_ = true;
    inline_.begin();
  } else if (inCell_ && name == "f" && context_.formulas) {
    formulas_.startFormula(attributes);
  }
}

void WorksheetHandler::endElement(std::string_view name) {
  if (inInline_) {
    if (name == "is") {
      inInline_ = false;
      hasInline_ = true;
    } else {
      inline_.endElement(name);
    }
  } else if (name == "v") {
    inValue_ = false;
  } else if (name == "f") {
    formulas_.endFormula();
  } else if (name == "c" && inCell_) {
    endCell();
  } else if (name == "sheetData") {
    inSheetData_ = false;
  }
}

void WorksheetHandler::characters(std::string_view text) {
  if (inValue_)
    value_.append(text);
  else if (inInline_)
    inline_.characters(text);
  else if (formulas_.inFormula())
    formulas_.characters(text);
}

void WorksheetHandler::startRow(const XmlAttributes& attributes) {
  const char* r = attributes.find("r");
  unsigned long row = 0;
  if (r == nullptr)
    row = (unsigned long)(row_ + 1);  // a row without a number follows the previous one
  else if (!parseWhole(r, row))
    fail("has a row with the malformed number \"" + std::string(r) + "\"");
  row_ = long(std::min<unsigned long>(row, kCap));
  column_ = 0;
  checkPosition(row_, 1);
  if (layout_) layout_->row(row_, attributes);
}

void WorksheetHandler::startCell(const XmlAttributes& attributes) {
  // One pass over the attributes, taking the first of each name, as find would.
  const char *r = nullptr, *t = nullptr, *s = nullptr;
  attributes.forEach([&](std::string_view name, const char* value) {
    const char** slot = name == "r" ? &r : name == "t" ? &t : name == "s" ? &s : nullptr;
    if (slot != nullptr && *slot == nullptr) *slot = value;
  });
  if (r != nullptr) {
    if (!parseCellReference(r, row_, column_))
      fail("has a cell with the malformed reference \"" + std::string(r) + "\"");
    if (row_ > kMaxRows || column_ > kMaxColumns)
      fail("has the cell " + std::string(r) + ", outside the " + kLimits);
  } else {
    // A cell without a reference follows the previous cell of its row.
    if (row_ == 0) row_ = 1;
    ++column_;
  }
  checkPosition(row_, column_);
  type_ = cellType(t);
  if (s == nullptr || !parseWhole(s, style_)) style_ = 0;
  if (layout_) layout_->cell(row_, column_, s != nullptr ? style_ : layout_->lineStyle(column_));
  value_.clear();
  inCell_ = true;
  inValue_ = false;
  hasInline_ = false;
  formulas_.startCell();
}

void WorksheetHandler::addFormula() {
  const std::string formula = formulas_.cellFormula(row_, column_);
  if (!formula.empty()) sheet_.addFormula(row_, column_, formula);
}

void WorksheetHandler::endCell() {
  inCell_ = false;
  if (context_.formulas) addFormula();
  switch (type_) {
    case CellType::InlineString:
      if (hasInline_) {
        sheet_.add(row_, column_, inline_.text());
        return;
      }
      [[fallthrough]];
    case CellType::FormulaString:
      sheet_.add(row_, column_, decodedValue(value_, text_));
      return;
    case CellType::SharedString:
      addSharedString(value_);
      return;
    case CellType::Boolean: {
      const std::string_view value = trimXmlSpace(value_);
      if (value == "1" || value == "true")
        sheet_.add(row_, column_, booleanText(true));
      else if (value == "0" || value == "false")
        sheet_.add(row_, column_, booleanText(false));
      else
        sheet_.add(row_, column_, value);
      return;
    }
    case CellType::Error:
      if (!trimXmlSpace(value_).empty()) sheet_.add(row_, column_, errorText(trimXmlSpace(value_)));
      return;
    case CellType::Date: {
      const std::string_view value = trimXmlSpace(value_);
      if (value.empty()) return;
      const auto date = isoDateText(value);
      sheet_.add(row_, column_, date ? std::string_view(*date) : value);
      return;
    }
    case CellType::Number:
      addNumber(value_);
      return;
  }
}

void WorksheetHandler::addNumber(std::string_view value) {
  value = trimXmlSpace(value);
  if (value.empty()) return;  // a formula without a cached result, or formatting only
  const bool date = context_.dateStyles.isDate(style_);
  if (!date && isPlainNumberText(value)) {
    sheet_.add(row_, column_, value);  // the common case: no conversion needed
    return;
  }
  if (date && addWholeDay(value)) return;
  double number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error != std::errc() || end != value.data() + value.size()) {
    sheet_.add(row_, column_, value);  // not a number after all: kept as written
    return;
  }
  text_.clear();
  if (date)
    appendDateOrNumberText(text_, number, context_.date1904);
  else
    appendNumberText(text_, number);
  sheet_.add(row_, column_, text_);
}

bool WorksheetHandler::addWholeDay(std::string_view value) {
  if (value.empty() || value.size() > 7) return false;
  std::uint32_t serial = 0;
  for (char ch : value) {
    if (ch < '0' || ch > '9') return false;
    serial = serial * 10 + std::uint32_t(ch - '0');
  }
  deferred_.addWholeDay(sheet_, row_, column_, serial);
  return true;
}

void WorksheetHandler::addSharedString(std::string_view value) {
  if (trimXmlSpace(value).empty()) return;
  unsigned long index = 0;
  if (!parseWhole(value, index))
    fail("has the malformed shared-string index \"" + std::string(value) + "\" in cell " +
         cellAddress(row_, column_));
  if (index >= context_.sharedStrings.size())
    fail("refers to shared string " + std::to_string(index) + " in cell " +
         cellAddress(row_, column_) + ", but the table holds only " +
         std::to_string(context_.sharedStrings.size()));
  deferred_.addShared(sheet_, row_, column_, std::uint32_t(index));
}

void WorksheetHandler::resolvePendingTexts() {
  deferred_.resolve(sheet_, context_.sharedStrings, context_.date1904);
}

}  // namespace

bool parseCellReference(std::string_view reference, long& row, long& column) {
  const LeadingColumn lead = leadingColumn(reference);
  column = lead.column;
  std::size_t i = lead.letters;
  row = 0;
  long digits = 0;
  for (; i < reference.size() && reference[i] >= '0' && reference[i] <= '9'; ++i, ++digits)
    row = std::min(kCap, row * 10 + (reference[i] - '0'));
  return lead.letters > 0 && digits > 0 && i == reference.size();
}

StoredSheet& readWorksheetCells(const ZipArchive& zip, std::string_view part,
                                const WorksheetContext& context, StoredWorkbook& workbook,
                                std::string name) {
  // A part read again starts on an empty sheet of the same name.
  std::optional<WorksheetHandler> handler;
  parseLargePart(zip, part, [&]() -> XmlHandler& {
    StoredSheet& sheet = handler ? workbook.replaceLastSheet() : workbook.addSheet(name);
    return handler.emplace(zip, part, context, sheet);
  });
  handler->resolvePendingTexts();
  handler->finishLayout();
  return handler->sheet();
}

}  // namespace quill::xlsx
