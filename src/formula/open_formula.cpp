#include "formula/open_formula.h"

#include <array>
#include <cctype>

namespace quill::ods {

namespace {

// Function names some writers store with a vendor prefix that the formula bar leaves out.
constexpr std::array<std::string_view, 3> kFunctionPrefixes = {"COM.MICROSOFT.", "_xlfn.",
                                                               "ORG.OPENOFFICE."};

constexpr std::array<std::string_view, 8> kErrorLiterals = {
    "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A", "#GETTING_DATA"};

bool isLetter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Copies a literal that starts and ends with a quote character, doubled quotes included;
// gives the position after it.
std::size_t copyQuoted(std::string_view text, std::size_t start, std::string& out) {
  const char quote = text[start];
  std::size_t i = start + 1;
  while (i < text.size()) {
    if (text[i] == quote) {
      if (i + 1 < text.size() && text[i + 1] == quote) {
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    ++i;
  }
  out.append(text.substr(start, i - start));
  return i;
}

// The position of the last '.' outside quotes, or npos.
std::size_t sheetSeparator(std::string_view part) {
  std::size_t found = std::string_view::npos;
  bool quoted = false;
  for (std::size_t i = 0; i < part.size(); ++i) {
    if (part[i] == '\'') quoted = !quoted;
    if (part[i] == '.' && !quoted) found = i;
  }
  return found;
}

// Splits a bracketed reference at the ':' outside quotes.
std::size_t rangeSeparator(std::string_view reference) {
  bool quoted = false;
  for (std::size_t i = 0; i < reference.size(); ++i) {
    if (reference[i] == '\'') quoted = !quoted;
    if (reference[i] == ':' && !quoted) return i;
  }
  return std::string_view::npos;
}

// A sheet name without its absolute marker and quotes ("$'My Sheet'" gives "My Sheet").
std::string plainSheetName(std::string_view sheet) {
  if (!sheet.empty() && sheet.front() == '$') sheet.remove_prefix(1);
  if (sheet.size() < 2 || sheet.front() != '\'' || sheet.back() != '\'') return std::string(sheet);
  std::string name;
  for (std::size_t i = 1; i + 1 < sheet.size(); ++i) {
    name += sheet[i];
    if (sheet[i] == '\'' && sheet[i + 1] == '\'') ++i;
  }
  return name;
}

// Whether a name reads as a cell reference ("AB12"), which A1 style must quote.
bool looksLikeCell(std::string_view name) {
  std::size_t i = 0;
  while (i < name.size() && isLetter(name[i])) ++i;
  if (i == 0 || i > 3 || i == name.size()) return false;
  while (i < name.size() && isDigit(name[i])) ++i;
  return i == name.size();
}

bool needsQuotes(std::string_view name) {
  if (name.empty() || isDigit(name.front()) || looksLikeCell(name)) return true;
  for (char c : name)
    if (!(isLetter(c) || isDigit(c) || c == '_' || c == '.' || (c & 0x80) != 0)) return true;
  return false;
}

std::string quotedSheetPrefix(const std::string& names, bool quote) {
  if (!quote) return names + "!";
  std::string out = "'";
  for (char c : names) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'!";
}

// A cell written as "$C$1": its column and row texts with their marks.
struct CellParts {
  std::string_view column;
  std::string_view row;
};

CellParts cellParts(std::string_view cell) {
  std::size_t i = cell.starts_with('$') ? 1 : 0;
  while (i < cell.size() && isLetter(cell[i])) ++i;
  return {cell.substr(0, i), cell.substr(i)};
}

std::string_view withoutMark(std::string_view part) {
  return part.starts_with('$') ? part.substr(1) : part;
}

// A range over every row is shown as columns ("C:C"), one over every column as rows
// ("1:1"), as the formula bar of a spreadsheet shows them.
std::string areaText(const std::string& first, const std::string& last) {
  const CellParts from = cellParts(first), to = cellParts(last);
  const bool cells =
      !from.column.empty() && !from.row.empty() && !to.column.empty() && !to.row.empty();
  if (cells && withoutMark(from.row) == "1" && withoutMark(to.row) == "1048576")
    return std::string(from.column) + ":" + std::string(to.column);
  if (cells && withoutMark(from.column) == "A" && withoutMark(to.column) == "XFD")
    return std::string(from.row) + ":" + std::string(to.row);
  return first + ":" + last;
}

// One end of a reference: the sheet it names and its cell.
struct ReferenceEnd {
  std::string sheet;  // plain name, or "" when the part names none
  std::string cell;
};

ReferenceEnd splitPart(std::string_view part) {
  const std::size_t dot = sheetSeparator(part);
  if (dot == std::string_view::npos) return {"", std::string(part)};
  return {plainSheetName(part.substr(0, dot)), std::string(part.substr(dot + 1))};
}

// "[.B2:.B9]" content ".B2:.B9" gives "B2:B9"; "Sheet1.A1:Sheet3.B2" gives "Sheet1:Sheet3!A1:B2".
std::string convertReference(std::string_view reference) {
  if (reference.find("#REF!") != std::string_view::npos) return "#REF!";
  const std::size_t colon = rangeSeparator(reference);
  const ReferenceEnd first = splitPart(reference.substr(0, colon));
  if (colon == std::string_view::npos) {
    if (first.sheet.empty()) return first.cell;
    return quotedSheetPrefix(first.sheet, needsQuotes(first.sheet)) + first.cell;
  }
  const ReferenceEnd last = splitPart(reference.substr(colon + 1));
  const std::string cells = areaText(first.cell, last.cell);
  std::string out;
  if (!first.sheet.empty()) {
    const bool threeD = !last.sheet.empty() && last.sheet != first.sheet;
    const bool quote = needsQuotes(first.sheet) || (threeD && needsQuotes(last.sheet));
    out = quotedSheetPrefix(threeD ? first.sheet + ":" + last.sheet : first.sheet, quote);
  }
  // A reference over sheets names its cell at both ends; A1 style names it once.
  if (!last.sheet.empty() && last.sheet != first.sheet && first.cell == last.cell)
    return out + first.cell;
  return out + cells;
}

// The position after a bracketed reference starting at start, quotes inside skipped.
std::size_t referenceEnd(std::string_view text, std::size_t start) {
  bool quoted = false;
  for (std::size_t i = start + 1; i < text.size(); ++i) {
    if (text[i] == '\'') quoted = !quoted;
    if (text[i] == ']' && !quoted) return i + 1;
  }
  return text.size();
}

std::size_t copyName(std::string_view text, std::size_t start, std::string& out) {
  std::size_t i = start;
  while (i < text.size() && (isLetter(text[i]) || isDigit(text[i]) || text[i] == '_' ||
                             text[i] == '.' || text[i] == '$' || (text[i] & 0x80) != 0))
    ++i;
  std::string_view name = text.substr(start, i - start);
  for (std::string_view prefix : kFunctionPrefixes)
    if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix) {
      name.remove_prefix(prefix.size());
      break;
    }
  out.append(name);
  // The logical constants are functions here but plain words in A1 style.
  if ((name == "TRUE" || name == "FALSE") && text.substr(i, 2) == "()") i += 2;
  return i;
}

std::size_t copyError(std::string_view text, std::size_t start, std::string& out) {
  for (std::string_view error : kErrorLiterals)
    if (text.substr(start, error.size()) == error) {
      out.append(error);
      return start + error.size();
    }
  out += '#';
  return start + 1;
}

std::string convertBody(std::string_view body) {
  std::string out;
  out.reserve(body.size());
  int arrayDepth = 0;
  std::size_t i = 0;
  while (i < body.size()) {
    const char c = body[i];
    if (c == '"') {
      i = copyQuoted(body, i, out);
    } else if (c == '[') {
      const std::size_t end = referenceEnd(body, i);
      const bool closed = body[end - 1] == ']' && end - i >= 2;
      out += convertReference(body.substr(i + 1, end - i - (closed ? 2 : 1)));
      i = end;
    } else if (c == '#') {
      i = copyError(body, i, out);
    } else if (isLetter(c) || c == '_' || (c & 0x80) != 0) {
      i = copyName(body, i, out);
    } else {
      if (c == '{') ++arrayDepth;
      if (c == '}') --arrayDepth;
      out += c == ';'                     ? ','
             : c == '|' && arrayDepth > 0 ? ';'
             : c == '~'                   ? ','
             : c == '!'                   ? ' '
                                          : c;
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string openFormulaToA1(std::string_view formula) {
  const std::size_t colon = formula.find(':');
  const std::size_t equals = formula.find('=');
  std::string_view prefix;
  if (colon != std::string_view::npos && (equals == std::string_view::npos || colon < equals)) {
    prefix = formula.substr(0, colon);
    formula.remove_prefix(colon + 1);
  }
  if (!formula.empty() && formula.front() == '=') formula.remove_prefix(1);
  if (formula.empty()) return {};
  if (prefix == "msoxl") return "=" + std::string(formula);
  return "=" + convertBody(formula);
}

}  // namespace quill::ods
