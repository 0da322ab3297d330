#include "formula/formula_references.h"

#include <optional>

#include "sheet/address.h"

namespace quill {

namespace {

bool isLetter(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

bool isDigit(char ch) {
  return ch >= '0' && ch <= '9';
}

// Characters a name, number or reference is made of.
bool isWordCharacter(char ch) {
  return isLetter(ch) || isDigit(ch) || ch == '_' || ch == '.' || ch == '$' || ch == '\\' ||
         static_cast<unsigned char>(ch) >= 0x80;
}

// The end of a quoted part starting at begin ("text" or 'sheet'), a doubled quote standing
// for one; the end of the formula when the quote is not closed.
std::size_t quotedEnd(std::string_view formula, std::size_t begin) {
  const char quote = formula[begin];
  std::size_t at = begin + 1;
  while (at < formula.size()) {
    if (formula[at] == quote) {
      if (at + 1 < formula.size() && formula[at + 1] == quote) {
        at += 2;
        continue;
      }
      return at + 1;
    }
    ++at;
  }
  return formula.size();
}

// The end of a bracketed part starting at begin, brackets nested.
std::size_t bracketEnd(std::string_view formula, std::size_t begin) {
  int depth = 0;
  for (std::size_t at = begin; at < formula.size(); ++at) {
    if (formula[at] == '[') ++depth;
    if (formula[at] == ']' && --depth == 0) return at + 1;
  }
  return formula.size();
}

// One part of a reference: a column or a row number, and whether it is absolute.
struct ReferencePart {
  bool absolute = false;
  long value = 0;
};

// Reads "$AB" or "AB" (columns up to the worksheet's last) from the start of text.
std::optional<ReferencePart> readColumn(std::string_view& text) {
  ReferencePart part;
  std::size_t at = 0;
  if (at < text.size() && text[at] == '$') {
    part.absolute = true;
    ++at;
  }
  const LeadingColumn lead = leadingColumn(text.substr(at), 3);
  if (lead.letters == 0 || lead.column > kMaxColumns) return std::nullopt;
  part.value = lead.column;
  text.remove_prefix(at + lead.letters);
  return part;
}

// Reads "$12" or "12" (rows 1 to the worksheet's last) from the start of text.
std::optional<ReferencePart> readRow(std::string_view& text) {
  ReferencePart part;
  std::size_t at = 0;
  if (at < text.size() && text[at] == '$') {
    part.absolute = true;
    ++at;
  }
  const std::size_t first = at;
  while (at < text.size() && isDigit(text[at]) && at - first < 8) {
    part.value = part.value * 10 + (text[at] - '0');
    ++at;
  }
  if (at == first || part.value < 1 || part.value > kMaxRows) return std::nullopt;
  text.remove_prefix(at);
  return part;
}

// Moves a relative part; false when it leaves the worksheet.
bool move(ReferencePart& part, long by, long last) {
  if (part.absolute) return true;
  part.value += by;
  return part.value >= 1 && part.value <= last;
}

void appendColumn(std::string& out, const ReferencePart& part) {
  if (part.absolute) out.push_back('$');
  out += columnLetters(part.value);
}

void appendRow(std::string& out, const ReferencePart& part) {
  if (part.absolute) out.push_back('$');
  out += std::to_string(part.value);
}

// What a word of the formula is, judged by its shape and the characters around it.
enum class WordKind { Cell, Column, Row, Other };

// Rewrites one word of the formula, moved when it is a reference; appends it to out.
void appendWord(std::string& out, std::string_view word, WordKind kind, long rows, long columns) {
  std::string_view rest = word;
  std::optional<ReferencePart> column, row;
  if (kind == WordKind::Cell || kind == WordKind::Column) column = readColumn(rest);
  if (kind == WordKind::Cell || kind == WordKind::Row) row = readRow(rest);
  if (!rest.empty() || (kind != WordKind::Row && !column) || (kind != WordKind::Column && !row)) {
    out += word;  // not a reference after all
    return;
  }
  if ((column && !move(*column, columns, kMaxColumns)) || (row && !move(*row, rows, kMaxRows))) {
    out += "#REF!";
    return;
  }
  if (column) appendColumn(out, *column);
  if (row) appendRow(out, *row);
}

// Whether a word reads as a whole column ("$B") or a whole row ("12") given that a colon
// joins it to its partner; a cell reference needs no colon.
WordKind kindOf(std::string_view formula, std::size_t begin, std::size_t end) {
  const std::string_view word = formula.substr(begin, end - begin);
  const char next = end < formula.size() ? formula[end] : '\0';
  if (next == '(' || next == '!') return WordKind::Other;  // a function or a sheet name
  const bool besideColon = next == ':' || (begin > 0 && formula[begin - 1] == ':');
  std::size_t at = word.starts_with('$') ? 1 : 0;
  const std::size_t lettersBegin = at;
  while (at < word.size() && isLetter(word[at])) ++at;
  const bool hasLetters = at > lettersBegin;
  if (at < word.size() && word[at] == '$') ++at;
  const bool hasDigits = at < word.size() && isDigit(word[at]);
  if (hasLetters && hasDigits) return WordKind::Cell;
  if (hasLetters && at == word.size() && besideColon) return WordKind::Column;
  if (!hasLetters && hasDigits && besideColon) return WordKind::Row;
  return WordKind::Other;
}

}  // namespace

std::string moveRelativeReferences(std::string_view formula, long rows, long columns) {
  std::string out;
  out.reserve(formula.size() + 8);
  std::size_t at = 0;
  while (at < formula.size()) {
    const char ch = formula[at];
    std::size_t end = at + 1;
    if (ch == '"' || ch == '\'') {
      end = quotedEnd(formula, at);
    } else if (ch == '[') {
      end = bracketEnd(formula, at);
    } else if (isWordCharacter(ch)) {
      while (end < formula.size() && isWordCharacter(formula[end])) ++end;
      appendWord(out, formula.substr(at, end - at), kindOf(formula, at, end), rows, columns);
      at = end;
      continue;
    }
    out += formula.substr(at, end - at);
    at = end;
  }
  return out;
}

std::string withoutFunctionPrefixes(std::string_view formula) {
  std::string out;
  out.reserve(formula.size());
  std::size_t at = 0;
  while (at < formula.size()) {
    if (formula[at] == '"') {
      const std::size_t end = quotedEnd(formula, at);
      out += formula.substr(at, end - at);
      at = end;
    } else if (formula.substr(at).starts_with("_xlfn.") ||
               formula.substr(at).starts_with("_xlws.")) {
      at += 6;
    } else {
      out.push_back(formula[at++]);
    }
  }
  return out;
}

}  // namespace quill
