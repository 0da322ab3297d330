#include "cli/text_dump.h"

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

}  // namespace

std::string quoteForDump(std::string_view text) {
  std::string field;
  field.reserve(text.size() + 2);
  field.push_back('"');
  for (char ch : text) appendEscaped(field, ch);
  field.push_back('"');
  return field;
}

void writeTextDump(const StoredWorkbook& workbook, std::ostream& out) {
  for (std::size_t i = 1; i <= workbook.sheetCount(); ++i) {
    const StoredSheet& sheet = workbook.storedSheet(i);
    out << "Sheet: " << escapeForListing(sheet.name()) << '\n';
    writeSheetRows(sheet, out);
  }
}

}  // namespace quill::cli
