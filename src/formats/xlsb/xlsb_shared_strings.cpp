#include "formats/xlsb/xlsb_shared_strings.h"

#include <string>

#include "formats/xlsb/xlsb_records.h"
#include "sheet/cell_text.h"

namespace quill::xlsb {

std::vector<std::string_view> readSharedStrings(const ZipArchive& zip, std::string_view part,
                                                TextArena& arena, bool keepSpaces) {
  const std::string errorPrefix = partErrorPrefix(zip, part);
  std::vector<std::string_view> strings;
  std::string text;
  readRecords(zip, part, errorPrefix, [&](const Record& record) {
    if (record.type != record::kSharedStringItem) return;
    FieldCursor cursor(record, errorPrefix);
    cursor.skip(1);  // whether runs follow the text; they only format it
    text.clear();
    cursor.appendWideString(text);
    strings.push_back(arena.store(cellSpaces(text, keepSpaces)));
  });
  return strings;
}

}  // namespace quill::xlsb
