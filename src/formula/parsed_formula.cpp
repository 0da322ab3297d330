#include "formula/parsed_formula.h"

#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <vector>

#include "sheet/address.h"
#include "formula/formula_functions.h"
#include "formula/formula_references.h"

namespace quill {

namespace {

constexpr std::string_view kUnreadablePrefix = "[unreadable formula: ";
// Real formulas stay far below this; longer token runs are hostile or damaged.
constexpr std::size_t kMaxTokenBytes = std::size_t(1) << 16;
constexpr std::uint8_t kDataTable = 0x02;
constexpr std::uint8_t kTableReference = 0x19;  // the extended token of a table's parts

// Raised inside the decoder for tokens it cannot turn into text; never leaves this file.
struct Unreadable {
  std::string reason;
};

[[noreturn]] void unreadable(std::string reason) {
  throw Unreadable{std::move(reason)};
}

std::string hexByte(std::uint8_t value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[value >> 4] + kDigits[value & 0xF];
}

// Reads little-endian values from a span, failing on bytes that are not there.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool atEnd() const { return position_ >= bytes_.size(); }
  std::size_t position() const { return position_; }
  std::uint8_t u8() {
    need(1);
    return bytes_[position_++];
  }
  std::uint16_t u16() {
    const std::uint16_t low = u8();
    return std::uint16_t(low | u8() << 8);
  }
  std::uint32_t u32() {
    const std::uint32_t low = u16();
    return low | std::uint32_t(u16()) << 16;
  }
  double f64() {
    std::uint64_t bits = u32();
    bits |= std::uint64_t(u32()) << 32;
    return std::bit_cast<double>(bits);
  }
  void skip(std::size_t count) {
    need(count);
    position_ += count;
  }
  std::span<const std::uint8_t> bytes(std::size_t count) {
    need(count);
    position_ += count;
    return bytes_.subspan(position_ - count, count);
  }
  std::size_t remaining() const { return bytes_.size() - position_; }

 private:
  void need(std::size_t count) const {
    if (bytes_.size() - position_ < count) unreadable("it ends inside a token");
  }
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += char(code);
  } else if (code < 0x800) {
    out += char(0xC0 | code >> 6);
    out += char(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += char(0xE0 | code >> 12);
    out += char(0x80 | (code >> 6 & 0x3F));
    out += char(0x80 | (code & 0x3F));
  } else {
    out += char(0xF0 | code >> 18);
    out += char(0x80 | (code >> 12 & 0x3F));
    out += char(0x80 | (code >> 6 & 0x3F));
    out += char(0x80 | (code & 0x3F));
  }
}

std::string utf16Chars(ByteReader& in, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t unit = in.u16();
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
      const std::uint32_t low = in.u16();
      ++i;
      unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
    appendUtf8(out, unit);
  }
  return out;
}

// A BIFF8 string with a one- or two-byte length and an option byte.
std::string biffString(ByteReader& in, bool wideLength) {
  const std::size_t count = wideLength ? in.u16() : in.u8();
  const bool doubleByte = (in.u8() & 0x01) != 0;
  if (doubleByte) return utf16Chars(in, count);
  std::string out;
  for (std::size_t i = 0; i < count; ++i) appendUtf8(out, in.u8());
  return out;
}

std::string numberText(double value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, end);
  if (const auto e = text.find('e'); e != std::string::npos) {
    text[e] = 'E';
    if (e + 1 < text.size() && text[e + 1] != '-' && text[e + 1] != '+') text.insert(e + 1, "+");
  }
  return text;
}

std::string quotedString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

std::string errorText(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return "#NULL!";
    case 0x07:
      return "#DIV/0!";
    case 0x0F:
      return "#VALUE!";
    case 0x17:
      return "#REF!";
    case 0x1D:
      return "#NAME?";
    case 0x24:
      return "#NUM!";
    case 0x2A:
      return "#N/A";
    case 0x2B:
      return "#GETTING_DATA";
    default:
      unreadable("error code " + hexByte(code));
  }
}

// One end of a reference: row and column 0-based, with their absolute marks.
struct Corner {
  long row;
  long column;
  bool rowRelative;
  bool columnRelative;
};

// Decodes one formula's tokens into text on an operand stack.
class Decompiler {
 public:
  Decompiler(std::span<const std::uint8_t> extra, FormulaDialect dialect, FormulaCell cell,
             const FormulaNames& names)
      : extra_(extra), dialect_(dialect), cell_(cell), names_(names) {}

  std::string run(std::span<const std::uint8_t> tokens) {
    ByteReader in(tokens);
    while (!in.atEnd()) token(in);
    if (stack_.size() != 1) unreadable("its tokens do not add up to one expression");
    return "=" + stack_.back();
  }

 private:
  bool xlsb() const { return dialect_ == FormulaDialect::Xlsb; }
  bool before(FormulaDialect dialect) const { return dialect_ < dialect; }
  // BIFF2 to BIFF5: rows of 14 bits with the relative marks beside them, columns of a byte.
  bool older() const { return before(FormulaDialect::Biff8); }
  long maxRow() const { return xlsb() ? kMaxRows - 1 : older() ? 16383 : 65535; }
  long maxColumn() const { return xlsb() ? kMaxColumns - 1 : 255; }

  std::string pop() {
    if (stack_.empty()) unreadable("an operator lacks its operands");
    if (!unions_.empty() && unions_.back() >= stack_.size() - 1) unions_.pop_back();
    std::string top = std::move(stack_.back());
    stack_.pop_back();
    return top;
  }
  void push(std::string text) { stack_.push_back(takeSpaces() + text); }
  std::string takeSpaces() {
    std::string spaces = std::move(spaces_);
    spaces_.clear();
    return spaces;
  }

  void token(ByteReader& in) {
    const std::uint8_t ptg = in.u8();
    if (ptg >= 0x03 && ptg <= 0x11) return binary(ptg);
    if (ptg >= 0x20) return classed(ptg, in);
    switch (ptg) {
      case 0x12:
        return prefix("+");
      case 0x13:
        return prefix("-");
      case 0x14:
        return push(pop() + "%");
      case 0x15: {
        const std::string inner = pop();
        std::string before = std::move(parenBefore_), after = std::move(parenAfter_);
        parenBefore_.clear();
        parenAfter_.clear();
        return push(before + "(" + inner + after + ")");
      }
      case 0x16:
        return push("");
      case 0x17:
        return push(quotedString(stringOperand(in)));
      case 0x18:
        if (in.u8() == kTableReference) unreadable("a structured table reference");
        unreadable("token 0x18");
      case 0x19:
        return attribute(in);
      case 0x1C:
        return push(errorText(in.u8()));
      case 0x1D:
        return push(in.u8() != 0 ? "TRUE" : "FALSE");
      case 0x1E:
        return push(std::to_string(in.u16()));
      case 0x1F:
        return push(numberText(in.f64()));
      default:
        unreadable("token " + hexByte(ptg));
    }
  }

  void binary(std::uint8_t ptg) {
    static constexpr std::array<std::string_view, 15> kOperators = {
        "+", "-", "*", "/", "^", "&", "<", "<=", "=", ">=", ">", "<>", " ", ",", ":"};
    const std::string right = pop();
    std::string left = pop();
    // Appending to the left operand keeps long chains of operators linear.
    left += takeSpaces();
    left += kOperators[ptg - 0x03];
    left += right;
    stack_.push_back(std::move(left));
    if (ptg == 0x10) unions_.push_back(stack_.size() - 1);
  }

  void prefix(std::string_view sign) {
    const std::string operand = pop();
    push(std::string(sign) + operand);
  }

  std::string stringOperand(ByteReader& in) {
    if (xlsb()) return utf16Chars(in, in.u16());
    if (!older()) return biffString(in, false);
    const std::size_t count = in.u8();
    return names_.byteText(in.bytes(count));
  }

  void attribute(ByteReader& in) {
    const bool narrow = before(FormulaDialect::Biff3);
    const std::uint8_t flags = in.u8();
    const std::uint16_t data = narrow ? in.u8() : in.u16();
    // The jump table of CHOOSE.
    if (flags & 0x04) in.skip((narrow ? 1 : 2) * (std::size_t(data) + 1));
    if (flags & 0x10) return push("SUM(" + pop() + ")");
    if (flags & 0x40) {
      const std::uint8_t kind = data & 0xFF;
      const std::string whitespace(data >> 8, kind % 2 == 0 ? ' ' : '\r');
      if (kind <= 1 || kind == 6)
        spaces_ += whitespace;
      else if (kind <= 3)
        parenBefore_ += whitespace;
      else if (kind <= 5)
        parenAfter_ += whitespace;
    }
  }

  void classed(std::uint8_t ptg, ByteReader& in) {
    switch ((ptg & 0x1F) | 0x20) {
      case 0x20:
        if (older()) unreadable("an array constant of a version before BIFF8");
        in.skip(xlsb() ? 14 : 7);
        return push(arrayConstant());
      case 0x21:
        return function(functionNumber(in), -1);
      case 0x22: {
        const int count = in.u8() & 0x7F;
        const std::uint16_t number = functionNumber(in);
        // The high bit marks a command of macro sheets, numbered apart from the functions.
        if (number & 0x8000) unreadable("macro command " + std::to_string(number & 0x7FFF));
        return function(number, count);
      }
      case 0x23: {
        if (older()) unreadable("a defined name of a version before BIFF8");
        const std::uint32_t number = in.u32();
        const auto name = names_.definedName(number);
        if (!name) unreadable("defined name " + std::to_string(number));
        return push(*name);
      }
      case 0x24:
        return push(cellText(corner(in, false)));
      case 0x25:
        return push(areaText(in, false));
      case 0x26:
      case 0x27:
      case 0x28:
        if (before(FormulaDialect::Biff5)) unreadable("a memory token of a version before BIFF5");
        in.skip(4);
        in.u16();
        if ((ptg & 0x1F) == 0x06) skipExtraMemory();
        return;  // the tokens that follow give the reference itself
      case 0x29:
        if (before(FormulaDialect::Biff5)) unreadable("a memory token of a version before BIFF5");
        in.u16();
        return;
      case 0x2A:
        in.skip(xlsb() ? 6 : older() ? 3 : 4);
        return push("#REF!");
      case 0x2B:
        in.skip(xlsb() ? 12 : older() ? 6 : 8);
        return push("#REF!");
      case 0x2C:
        return push(cellText(corner(in, true)));
      case 0x2D:
        return push(areaText(in, true));
      case 0x39: {
        if (older()) unreadable("an external name of a version before BIFF8");
        const std::uint16_t sheet = in.u16();
        const std::uint32_t number = xlsb() ? in.u32() : in.u16();
        if (!xlsb()) in.u16();
        const auto name = names_.externalName(sheet, number);
        if (!name) unreadable("external name " + std::to_string(number));
        return push(*name);
      }
      case 0x3A: {
        if (older()) {
          const std::string sheets = olderSheetPrefix(in);
          return push(sheets + cellText(corner(in, cell_.shared)));
        }
        const std::string sheets = sheetPrefix(in.u16());
        return push(sheets + cellText(corner(in, cell_.shared)));
      }
      case 0x3B: {
        if (older()) {
          const std::string sheets = olderSheetPrefix(in);
          return push(sheets + areaText(in, cell_.shared));
        }
        const std::string sheets = sheetPrefix(in.u16());
        return push(sheets + areaText(in, cell_.shared));
      }
      case 0x3C:
        in.skip(xlsb() ? 8 : older() ? 17 : 6);
        return push("#REF!");
      case 0x3D:
        in.skip(xlsb() ? 14 : older() ? 20 : 10);
        return push("#REF!");
      default:
        unreadable("token " + hexByte(ptg));
    }
  }

  // BIFF2 and BIFF3 number functions in one byte, later versions in two.
  std::uint16_t functionNumber(ByteReader& in) {
    return before(FormulaDialect::Biff4) ? in.u8() : in.u16();
  }

  void function(std::uint16_t number, int count) {
    const FormulaFunction known = formulaFunction(number);
    std::string name(known.name);
    if (count < 0) count = known.argumentCount;
    if (number == 255) {  // an add-in or newer function: its name is the first operand
      if (count < 1) unreadable("a call without its function name");
      std::vector<std::string> arguments = popArguments(count - 1);
      name = withoutFunctionPrefixes(pop());
      return push(call(name, arguments));
    }
    if (name.empty() || count < 0) unreadable("function " + std::to_string(number));
    const std::vector<std::string> arguments = popArguments(count);
    push(call(name, arguments));
  }

  // A union as an argument needs parentheses, or its comma would part two arguments;
  // writers that leave out the parenthesis token still mean one argument.
  std::vector<std::string> popArguments(int count) {
    std::vector<std::string> arguments(static_cast<std::size_t>(count));
    for (int i = count - 1; i >= 0; --i) {
      const bool bareUnion = !unions_.empty() && unions_.back() == stack_.size() - 1;
      arguments[std::size_t(i)] = bareUnion ? "(" + pop() + ")" : pop();
    }
    return arguments;
  }

  static std::string call(const std::string& name, const std::vector<std::string>& arguments) {
    std::string text = name + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) text += (i ? "," : "") + arguments[i];
    return text + ")";
  }

  // A row and column of a reference, resolved against the formula's cell when relative
  // and the token is of the kind shared formulas use (offsets instead of positions).
  Corner corner(ByteReader& in, bool offsetsAllowed) {
    if (older()) {
      const std::uint16_t rowField = in.u16();
      return resolveOlder(rowField, in.u8(), offsetsAllowed);
    }
    const long rawRow = xlsb() ? long(in.u32()) : long(in.u16());
    const std::uint16_t field = in.u16();
    return resolve(rawRow, field, offsetsAllowed);
  }

  Corner resolve(long rawRow, std::uint16_t field, bool offsetsAllowed) {
    Corner corner{rawRow, field & 0x3FFF, (field & 0x8000) != 0, (field & 0x4000) != 0};
    if (!offsetsAllowed) return corner;
    if (corner.rowRelative) {
      const long offset = xlsb() ? long(std::int32_t(std::uint32_t(rawRow)))
                                 : long(std::int16_t(std::uint16_t(rawRow)));
      corner.row = wrap(cell_.row - 1 + offset, maxRow() + 1);
    }
    if (corner.columnRelative) {
      const long offset = xlsb() ? (corner.column & 0x2000 ? corner.column - 0x4000 : corner.column)
                                 : long(std::int8_t(std::uint8_t(field & 0xFF)));
      corner.column = wrap(cell_.column - 1 + offset, maxColumn() + 1);
    }
    return corner;
  }

  // A row field of BIFF2 to BIFF5, its relative marks in the two high bits, and a column
  // byte; offsets from the formula's cell are 14-bit and 8-bit signed numbers.
  Corner resolveOlder(std::uint16_t rowField, std::uint8_t column, bool offsetsAllowed) {
    Corner corner{rowField & 0x3FFF, column, (rowField & 0x8000) != 0, (rowField & 0x4000) != 0};
    if (!offsetsAllowed) return corner;
    if (corner.rowRelative) {
      const long offset = corner.row >= 0x2000 ? corner.row - 0x4000 : corner.row;
      corner.row = wrap(cell_.row - 1 + offset, maxRow() + 1);
    }
    if (corner.columnRelative)
      corner.column = wrap(cell_.column - 1 + long(std::int8_t(column)), maxColumn() + 1);
    return corner;
  }

  static long wrap(long value, long size) { return ((value % size) + size) % size; }

  static std::string rowText(const Corner& c) {
    return (c.rowRelative ? "" : "$") + std::to_string(c.row + 1);
  }
  static std::string columnText(const Corner& c) {
    return (c.columnRelative ? "" : "$") + columnLetters(c.column + 1);
  }
  static std::string cellText(const Corner& c) { return columnText(c) + rowText(c); }

  std::string areaText(ByteReader& in, bool offsetsAllowed) {
    if (older()) {
      const std::uint16_t firstRow = in.u16();
      const std::uint16_t lastRow = in.u16();
      const std::uint8_t firstColumn = in.u8();
      const std::uint8_t lastColumn = in.u8();
      return areaText(resolveOlder(firstRow, firstColumn, offsetsAllowed),
                      resolveOlder(lastRow, lastColumn, offsetsAllowed));
    }
    const long firstRow = xlsb() ? long(in.u32()) : long(in.u16());
    const long lastRow = xlsb() ? long(in.u32()) : long(in.u16());
    const std::uint16_t firstField = in.u16();
    const std::uint16_t lastField = in.u16();
    return areaText(resolve(firstRow, firstField, offsetsAllowed),
                    resolve(lastRow, lastField, offsetsAllowed));
  }

  std::string areaText(const Corner& first, const Corner& last) const {
    if (first.row == 0 && last.row == maxRow()) return columnText(first) + ":" + columnText(last);
    // Some writers give the last column of the larger grid even in the smaller one.
    if (first.column == 0 && (last.column == maxColumn() || last.column == kMaxColumns - 1))
      return rowText(first) + ":" + rowText(last);
    return cellText(first) + ":" + cellText(last);
  }

  std::string sheetPrefix(std::uint16_t index) {
    const auto sheets = names_.sheets(index);
    if (!sheets) unreadable("sheet reference " + std::to_string(index));
    return quotedSheetName(*sheets) + "!";
  }

  // The sheets of a BIFF5 3-D reference: a negative index into the sheet table for this
  // workbook, eight unused bytes and the tab positions of the first and last sheet.
  std::string olderSheetPrefix(ByteReader& in) {
    const auto book = std::int16_t(in.u16());
    in.skip(8);
    const std::uint16_t first = in.u16();
    const std::uint16_t last = in.u16();
    if (book >= 0) unreadable("a reference to another workbook of a version before BIFF8");
    const auto sheets = names_.sheetsByPosition(first, last);
    if (!sheets) unreadable("sheet position " + std::to_string(first));
    return quotedSheetName(*sheets) + "!";
  }

  // The values of an array constant come from the extra data, in token order.
  std::string arrayConstant() {
    ByteReader in(extra_.subspan(std::min(extraUsed_, extra_.size())));
    std::size_t rows, columns;
    if (xlsb()) {
      rows = in.u32();
      columns = in.u32();
    } else {
      columns = std::size_t(in.u8()) + 1;
      rows = std::size_t(in.u16()) + 1;
    }
    // Every value takes at least two bytes, so sizes beyond what is left are damaged.
    if (rows == 0 || columns == 0 || rows > in.remaining() || columns > in.remaining() ||
        rows * columns > in.remaining() / 2)
      unreadable("its array constant does not fit its extra data");
    std::string text = "{";
    for (std::size_t r = 0; r < rows; ++r) {
      for (std::size_t c = 0; c < columns; ++c) {
        if (c > 0) text += ',';
        text += arrayValue(in);
      }
      if (r + 1 < rows) text += ';';
    }
    extraUsed_ += in.position();
    return text + "}";
  }

  // A value of a binary workbook's array constant: number, string, logical or error.
  std::string xlsbArrayValue(ByteReader& in) {
    const std::uint8_t type = in.u8();
    switch (type) {
      case 0x00:
        return numberText(in.f64());
      case 0x01:
        return quotedString(utf16Chars(in, in.u16()));
      case 0x02:
        return in.u8() != 0 ? "TRUE" : "FALSE";
      case 0x04: {
        const std::uint8_t code = in.u8();
        in.skip(3);
        return errorText(code);
      }
      default:
        unreadable("array value " + hexByte(type));
    }
  }

  std::string arrayValue(ByteReader& in) {
    if (xlsb()) return xlsbArrayValue(in);
    const std::uint8_t type = in.u8();
    switch (type) {
      case 0x00:
        in.skip(8);
        return "";
      case 0x01:
        return numberText(in.f64());
      case 0x02:
        return quotedString(biffString(in, true));
      case 0x04: {
        const std::uint8_t value = in.u8();
        in.skip(7);
        return value != 0 ? "TRUE" : "FALSE";
      }
      case 0x10: {
        const std::uint8_t code = in.u8();
        in.skip(7);
        return errorText(code);
      }
      default:
        unreadable("array value " + hexByte(type));
    }
  }

  void skipExtraMemory() {
    ByteReader in(extra_.subspan(std::min(extraUsed_, extra_.size())));
    const std::size_t count = xlsb() ? in.u32() : in.u16();
    const std::size_t areaSize = xlsb() ? 16 : older() ? 6 : 8;
    const std::size_t size = (xlsb() ? 4 : 2) + count * areaSize;
    if (extra_.size() - extraUsed_ < size) unreadable("its extra data ends early");
    extraUsed_ += size;
  }

  std::span<const std::uint8_t> extra_;
  std::size_t extraUsed_ = 0;
  FormulaDialect dialect_;
  FormulaCell cell_;
  const FormulaNames& names_;
  std::vector<std::string> stack_;
  std::vector<std::size_t> unions_;  // stack positions holding a union not in parentheses
  std::string spaces_;
  std::string parenBefore_;
  std::string parenAfter_;
};

bool looksLikeCell(const std::string& name) {
  std::size_t i = 0;
  while (i < name.size() && std::isalpha(static_cast<unsigned char>(name[i]))) ++i;
  if (i == 0 || i > 3 || i == name.size()) return false;
  while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i]))) ++i;
  return i == name.size();
}

}  // namespace

std::string decompileFormula(std::span<const std::uint8_t> tokens,
                             std::span<const std::uint8_t> extra, FormulaDialect dialect,
                             FormulaCell cell, const FormulaNames& names) {
  // A cell of a data table shows no formula of its own.
  if (tokens.empty() || tokens.front() == kDataTable) return {};
  if (tokens.size() > kMaxTokenBytes)
    return std::string(kUnreadablePrefix) + "its tokens are too long]";
  try {
    return Decompiler(extra, dialect, cell, names).run(tokens);
  } catch (const Unreadable& failure) {
    return std::string(kUnreadablePrefix) + failure.reason + "]";
  }
}

std::optional<std::string> FormulaNames::sheetsByPosition(std::uint32_t, std::uint32_t) const {
  return std::nullopt;
}

std::string FormulaNames::byteText(std::span<const std::uint8_t> bytes) const {
  std::string text;
  for (std::uint8_t byte : bytes) appendUtf8(text, byte);
  return text;
}

bool isUnreadableFormula(const std::string& text) {
  return text.starts_with(kUnreadablePrefix);
}

std::string quotedSheetName(const std::string& name) {
  // The number of another workbook ("[1]Sheet1") does not ask for quotes by itself.
  std::string_view sheet = name;
  if (const auto close = sheet.find(']'); sheet.starts_with('[') && close != sheet.npos)
    sheet.remove_prefix(close + 1);
  bool quote = sheet.empty() || std::isdigit(static_cast<unsigned char>(sheet.front())) ||
               looksLikeCell(std::string(sheet));
  for (char c : sheet)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == ':' ||
          (c & 0x80) != 0))
      quote = true;
  if (!quote) return name;
  std::string out = "'";
  for (char c : name) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

}  // namespace quill
