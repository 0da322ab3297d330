// Feeds arbitrary text to the readers of the request's text fields. The first byte picks
// the reader; each must answer within the worksheet's bounds or throw RequestError.
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/request_error.h"
#include "engine/request_fields.h"

namespace {

void require(bool condition) {
  if (!condition) __builtin_trap();
}

bool isRow(long row) {
  return row >= 1 && row <= quill::kMaxRows;
}
bool isColumn(long column) {
  return column >= 1 && column <= quill::kMaxColumns;
}

void readField(std::uint8_t choice, std::string_view text) {
  switch (choice % 8) {
    case 0: {
      const quill::Area area = quill::areaField("Range", text);
      require(isRow(area.firstRow) && isRow(area.lastRow) && isColumn(area.firstColumn) &&
              isColumn(area.lastColumn));
      break;
    }
    case 1: {
      const quill::Span span = quill::columnSpanField("Range", text);
      require(isColumn(span.first) && isColumn(span.last));
      break;
    }
    case 2: {
      const quill::Span span = quill::rowSpanField("Range", text);
      require(isRow(span.first) && isRow(span.last));
      break;
    }
    case 3:
      require(isRow(quill::rowNumberField("Start row", text)));
      break;
    case 4:
      require(isColumn(quill::columnField("Start column", text)));
      break;
    case 5:
      for (long column : quill::columnListField("Identifying columns", text))
        require(isColumn(column));
      break;
    case 6:
      for (long row : quill::rowListField("Identifying rows", text)) require(isRow(row));
      break;
    default:
      (void)quill::leadingNumber(text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  try {
    readField(data[0], std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  } catch (const quill::RequestError&) {
  }
  return 0;
}
