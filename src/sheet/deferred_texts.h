#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/stored_workbook.h"

namespace quill {

// Cells whose texts come from large tables: shared strings, and whole-day date serials whose
// text is made once per day. A reader adds them as pending cells while it parses and gives
// them their texts in one pass at the end, so that the lookups overlap instead of stalling
// the parse on a cache miss each.
class DeferredTexts {
 public:
  // A cell holding shared string index; the caller has checked it against the table.
  void addShared(StoredSheet& sheet, long row, long column, std::uint32_t index) {
    shared_.push_back({std::uint32_t(sheet.addPending(row, column)), index});
  }
  // A date cell holding the whole day serial.
  void addWholeDay(StoredSheet& sheet, long row, long column, std::uint32_t serial) {
    days_.push_back({std::uint32_t(sheet.addPending(row, column)), serial});
  }
  // Sets the texts of the pending cells: sharedStrings are stored and trimmed already.
  void resolve(StoredSheet& sheet, std::span<const std::string_view> sharedStrings, bool date1904);

 private:
  // A cell's number in its sheet and its shared-string index or day.
  struct Pending {
    std::uint32_t cell;  // a sheet holds at most CellList::kMaxCells, fewer than 2^32
    std::uint32_t value;
  };
  // The text of a day seen before, by serial modulo the slot count.
  struct DayText {  // 16 bytes, so that the table stays small in the caches
    const char* text = nullptr;
    std::uint32_t size = 0;
    std::uint32_t serial = 0;
  };
  static constexpr std::size_t kDayTextSlots = 16384;

  std::vector<Pending> shared_;
  std::vector<Pending> days_;
  std::vector<DayText> dayTexts_;
  std::string text_;
};

}  // namespace quill
