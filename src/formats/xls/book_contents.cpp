#include "formats/xls/book_contents.h"

#include "formats/package/colour_text.h"
#include "formats/package/number_format_codes.h"
#include "formats/xls/formula_tables.h"
#include "formats/xls/record_cursor.h"
#include "sheet/workbook.h"

namespace quill::xls {

namespace {

constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kPalette = 0x0092;
constexpr std::uint16_t kName = 0x0018;

constexpr std::uint16_t kBoldWeight = 700;
// The cell style of cells that have no other: the first after the fifteen of named styles.
constexpr std::size_t kDefaultCellStyle = 15;
// Font 4 is never stored: the fonts after the fourth are numbered from 5.
constexpr std::uint16_t kMissingFont = 4;

}  // namespace

BookContents::BookContents(ContentsToRead wanted, const BookState& book, WorkbookContents& contents)
    : wanted_(wanted), book_(book), contents_(contents) {}

void BookContents::read(const Record& record) {
  if (wanted_.names && record.type == kName) return readName(record);
  if (!wanted_.formats) return;
  switch (record.type) {
    case kFont:
      return readFont(record);
    case kFormat:
      return readFormat(record);
    case kXf:
      return readStyle(record);
    case kPalette:
      return readPalette(record);
    default:
      return;
  }
}

void BookContents::readFont(const Record& record) {
  RecordCursor cursor(record);
  Font font;
  cursor.skip(2);  // height
  font.italic = (cursor.u16() & 0x0002) != 0;
  font.colour = cursor.u16();
  font.bold = cursor.u16() >= kBoldWeight;
  cursor.skip(2);  // superscript or subscript
  font.underline = cursor.u8() != 0;
  fonts_.push_back(font);
}

void BookContents::readFormat(const Record& record) {
  RecordCursor cursor(record);
  const std::uint16_t id = cursor.u16();
  scratch_.clear();
  if (book_.biff == Biff::V8)
    readUnicodeString(cursor, scratch_, 2);
  else
    readByteString(cursor, scratch_, 1, book_.codepage);
  numberFormats_[id] = scratch_;
}

void BookContents::readStyle(const Record& record) {
  RecordCursor cursor(record);
  Style style;
  style.font = cursor.u16();
  style.numberFormat = cursor.u16();
  if (book_.biff == Biff::V8) {
    cursor.skip(10);  // kind, protection, parent, alignment and the sides' borders
    style.filled = (cursor.u32() >> 26) != 0;
    style.fillColour = cursor.u16() & 0x7F;
  } else {
    cursor.skip(4);  // kind, protection, parent and alignment
    const std::uint32_t area = cursor.u32();
    style.filled = ((area >> 16) & 0x3F) != 0;
    style.fillColour = area & 0x7F;
  }
  styles_.push_back(style);
}

void BookContents::readPalette(const Record& record) {
  RecordCursor cursor(record);
  const std::size_t count = cursor.u16();
  if (count * 4 > cursor.remaining())
    throw WorkbookError("its palette is longer than its record (damaged file)");
  palette_.clear();
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t red = cursor.u8();
    const std::uint32_t green = cursor.u8();
    const std::uint32_t blue = cursor.u8();
    cursor.skip(1);
    palette_.push_back(red << 16 | green << 8 | blue);
  }
}

void BookContents::readName(const Record& record) {
  RecordCursor cursor(record);
  StoredName name;
  const std::uint16_t options = cursor.u16();
  cursor.u8();  // keyboard shortcut
  const std::size_t length = cursor.u8();
  const std::size_t size = cursor.u16();
  scratch_.clear();
  if (book_.biff == Biff::V8) {
    cursor.skip(2);
    name.sheet = cursor.u16();
    cursor.skip(4);  // lengths of texts for menus and help, never stored in BIFF8
    if (length > 0) cursor.appendUnicodeChars(scratch_, length, (cursor.u8() & 0x01) != 0);
  } else {
    cursor.skip(2);  // the sheet index table's entry
    name.sheet = cursor.u16();
    cursor.skip(4);
    cursor.appendByteChars(scratch_, length, book_.codepage);
  }
  name.name = definedNameText(scratch_, options);
  if (size > cursor.remaining())
    throw WorkbookError("defined name \"" + name.name + "\" has a formula longer than its record " +
                        "(damaged file)");
  const auto tokens = cursor.bytes(size);
  name.tokens.assign(tokens.begin(), tokens.end());
  const auto extra = cursor.bytes(cursor.remaining());
  name.extra.assign(extra.begin(), extra.end());
  names_.push_back(std::move(name));
}

void BookContents::finishGlobals(const FormulaNames& tables) {
  if (wanted_.formats)
    formatTable_.emplace(contents_.formats, styles_.size() > kDefaultCellStyle
                                                ? formatOf(styles_[kDefaultCellStyle])
                                                : plainFormat());
  if (!wanted_.names) return;
  const FormulaDialect dialect =
      book_.biff == Biff::V8 ? FormulaDialect::Biff8 : FormulaDialect::Biff5;
  for (StoredName& stored : names_) {
    DefinedName name;
    name.name = std::move(stored.name);
    if (stored.sheet > 0 && stored.sheet <= sheetNames_.size())
      name.scopeSheet = sheetNames_[stored.sheet - 1];
    name.formula = decompileFormula(stored.tokens, stored.extra, dialect, FormulaCell{}, tables);
    contents_.names.push_back(std::move(name));
  }
  names_.clear();
  sortNames(contents_.names);
}

CellFormat BookContents::formatOf(const Style& style) const {
  CellFormat format;
  const auto defined = numberFormats_.find(style.numberFormat);
  if (defined != numberFormats_.end())
    format.numberFormat = defined->second;
  else
    format.numberFormat = std::string(builtinNumberFormat(style.numberFormat));
  if (format.numberFormat.empty()) format.numberFormat = "General";
  const std::size_t fontIndex = style.font > kMissingFont ? style.font - 1u : style.font;
  if (fontIndex < fonts_.size()) {
    const Font& font = fonts_[fontIndex];
    format.bold = font.bold;
    format.italic = font.italic;
    format.underline = font.underline;
    format.fontColour = indexedColour(font.colour, palette_);
  }
  if (style.filled) format.fillColour = indexedColour(style.fillColour, palette_);
  return format;
}

std::uint32_t BookContents::formatOfStyle(std::uint16_t xf) {
  if (xf >= styles_.size() || !formatTable_) return 0;
  if (styleFormats_.size() < styles_.size()) styleFormats_.resize(styles_.size());
  std::optional<std::uint32_t>& number = styleFormats_[xf];
  if (!number) number = formatTable_->numberOf(formatOf(styles_[xf]));
  return *number;
}

}  // namespace quill::xls
