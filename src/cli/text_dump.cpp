#include "cli/text_dump.h"

#include <cstdint>

#include "cli/contents_listing.h"
#include "cli/listing_escapes.h"

namespace quill::cli {

namespace {

void appendEscaped(std::string& field, char ch) {
  constexpr const char* kHexDigits = "0123456789ABCDEF";
  switch (ch) {
    case '\\':
      field.append("\\\\");
      return;
    case '"':
      field.append("\\\"");
      return;
    case '\t':
      field.append("\\t");
      return;
    case '\n':
      field.append("\\n");
      return;
    case '\r':
      field.append("\\r");
      return;
    default:
      break;
  }
  const auto byte = static_cast<unsigned char>(ch);
  if (byte < 0x20 || byte == 0x7F) {
    field.append("\\x");
    field.push_back(kHexDigits[byte >> 4]);
    field.push_back(kHexDigits[byte & 0xF]);
    return;
  }
  field.push_back(ch);
}

void writeEmptyLines(long count, std::ostream& out) {
  for (long i = 0; i < count; ++i) out.put('\n');
}

// Writes the rows of one sheet, each line built whole before it is written.
void writeSheetRows(const StoredSheet& sheet, std::ostream& out) {
  std::string line;
  long lineRow = 0;     // the row the line being built stands for; 0 before the first cell
  long lastColumn = 0;  // the column of the line's last field
  sheet.forEachCell([&](long row, long column, std::string_view text) {
    if (row != lineRow) {
      if (lineRow > 0) {
        line.push_back('\n');
        out << line;
      }
      writeEmptyLines(row - lineRow - 1, out);
      line.clear();
      lineRow = row;
      lastColumn = 0;
    }
    // The field of column c follows c - 1 commas; the line holds lastColumn - 1 of them.
    const long commas = lastColumn > 0 ? column - lastColumn : column - 1;
    line.append(static_cast<std::size_t>(commas), ',');
    line.append(quoteForDump(text));
    lastColumn = column;
  });
  if (lineRow > 0) {
    line.push_back('\n');
    out << line;
  }
}

// The length of a control character that takes more than one byte in UTF-8 at the start
// of the text, or 0: a C1 control (U+0080-U+009F) or a bidirectional control (U+202A-U+202E,
// U+2066-U+2069), which could make a line read other than it is.
std::size_t wideControlAt(std::string_view text) {
  const auto byte = [&](std::size_t i) { return i < text.size() ? std::uint8_t(text[i]) : 0; };
  if (byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) return 2;
  if (byte(0) == 0xE2 && byte(1) == 0x80 && byte(2) >= 0xAA && byte(2) <= 0xAE) return 3;
  if (byte(0) == 0xE2 && byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9) return 3;
  return 0;
}

// Appends a wide control as \xHH (C1) or \uHHHH (bidirectional).
void appendWideControl(std::string& field, std::string_view control) {
  constexpr const char* kHexDigits = "0123456789ABCDEF";
  const std::uint32_t codePoint =
      control.size() == 2
          ? ((std::uint8_t(control[0]) & 0x1F) << 6) | (std::uint8_t(control[1]) & 0x3F)
          : ((std::uint8_t(control[0]) & 0x0F) << 12) | ((std::uint8_t(control[1]) & 0x3F) << 6) |
                (std::uint8_t(control[2]) & 0x3F);
  const int digits = control.size() == 2 ? 2 : 4;
  field.append(control.size() == 2 ? "\\x" : "\\u");
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
    field.push_back(kHexDigits[(codePoint >> shift) & 0xF]);
}

}  // namespace

std::string quoteForDump(std::string_view text) {
  std::string field;
  field.reserve(text.size() + 2);
  field.push_back('"');
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t wide = wideControlAt(text.substr(i)); wide > 0) {
      appendWideControl(field, text.substr(i, wide));
      i += wide;
    } else {
      appendEscaped(field, text[i++]);
    }
  }
  field.push_back('"');
  return field;
}

void writeTextDump(const StoredWorkbook& workbook, std::ostream& out) {
  for (std::size_t i = 1; i <= workbook.sheetCount(); ++i) {
    const StoredSheet& sheet = workbook.storedSheet(i);
    out << "Sheet: " << escapeForListing(sheet.name()) << '\n';
    writeSheetRows(sheet, out);
    writeDumpNotes(sheet.contents(), out);
  }
  writeDumpNamesAndMacros(workbook.contents(), out);
}

}  // namespace quill::cli
