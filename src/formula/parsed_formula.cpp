#include "formula/parsed_formula.h"

#include <array>
#include <cctype>
#include <vector>

#include "base/utf8.h"
#include "formula/extra_data.h"
#include "formula/formula_functions.h"
#include "formula/formula_references.h"
#include "formula/reference_tokens.h"
#include "formula/token_reading.h"

namespace quill {

namespace {

constexpr std::string_view kUnreadablePrefix = "[unreadable formula: ";
// Real formulas stay far below this; longer token runs are hostile or damaged.
constexpr std::size_t kMaxTokenBytes = std::size_t(1) << 16;
constexpr std::uint8_t kDataTable = 0x02;
constexpr std::uint8_t kTableReference = 0x19;  // the extended token of a table's parts

// Decodes one formula's tokens into text on an operand stack.
class Decompiler {
 public:
  Decompiler(std::span<const std::uint8_t> extra, FormulaDialect dialect, FormulaCell cell,
             const FormulaNames& names)
      : dialect_(dialect),
        cell_(cell),
        names_(names),
        references_(dialect, cell, names),
        extra_(extra, dialect) {}

  std::string run(std::span<const std::uint8_t> tokens) {
    TokenCursor in(tokens);
    while (!in.atEnd()) token(in);
    if (stack_.size() != 1) unreadable("its tokens do not add up to one expression");
    return "=" + stack_.back();
  }

 private:
  bool xlsb() const { return isXlsb(dialect_); }
  bool before(FormulaDialect dialect) const { return dialect_ < dialect; }
  bool older() const { return isBeforeBiff8(dialect_); }

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

  void token(TokenCursor& in) {
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
        return push(stringConstant(stringOperand(in)));
      case 0x18:
        if (in.u8() == kTableReference) unreadable("a structured table reference");
        unreadable("token 0x18");
      case 0x19:
        return attribute(in);
      case 0x1C:
        return push(errorConstant(in.u8()));
      case 0x1D:
        return push(in.u8() != 0 ? "TRUE" : "FALSE");
      case 0x1E:
        return push(std::to_string(in.u16()));
      case 0x1F:
        return push(numberConstant(in.f64()));
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

  std::string stringOperand(TokenCursor& in) {
    if (xlsb()) return utf16Chars(in, in.u16());
    if (!older()) return biffString(in, false);
    const std::size_t count = in.u8();
    return names_.byteText(in.bytes(count));
  }

  void attribute(TokenCursor& in) {
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

  void classed(std::uint8_t ptg, TokenCursor& in) {
    switch ((ptg & 0x1F) | 0x20) {
      case 0x20:
        if (older()) unreadable("an array constant of a version before BIFF8");
        in.skip(xlsb() ? 14 : 7);
        return push(extra_.arrayConstant());
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
        return push(references_.cell(in, false));
      case 0x25:
        return push(references_.area(in, false));
      case 0x26:
      case 0x27:
      case 0x28:
        if (before(FormulaDialect::Biff5)) unreadable("a memory token of a version before BIFF5");
        in.skip(4);
        in.u16();
        if ((ptg & 0x1F) == 0x06) extra_.skipMemoryAreas();
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
        return push(references_.cell(in, true));
      case 0x2D:
        return push(references_.area(in, true));
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
          const std::string sheets = references_.olderSheetPrefix(in);
          return push(sheets + references_.cell(in, cell_.shared));
        }
        const std::string sheets = references_.sheetPrefix(in.u16());
        return push(sheets + references_.cell(in, cell_.shared));
      }
      case 0x3B: {
        if (older()) {
          const std::string sheets = references_.olderSheetPrefix(in);
          return push(sheets + references_.area(in, cell_.shared));
        }
        const std::string sheets = references_.sheetPrefix(in.u16());
        return push(sheets + references_.area(in, cell_.shared));
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
  std::uint16_t functionNumber(TokenCursor& in) {
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

  FormulaDialect dialect_;
  FormulaCell cell_;
  const FormulaNames& names_;
  ReferenceTokens references_;
  ExtraData extra_;
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
  } catch (const UnreadableFormula& failure) {
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
