#include "sheet/deferred_texts.h"

#include "sheet/cell_text.h"

namespace quill {

void DeferredTexts::resolve(StoredSheet& sheet, std::span<const std::string_view> sharedStrings,
                            bool date1904) {
  for (const Pending& pending : shared_)
    sheet.setPendingText(pending.cell, sharedStrings[pending.value]);
  shared_.clear();
  if (!days_.empty()) dayTexts_.resize(kDayTextSlots);
  for (const Pending& pending : days_) {
    DayText& slot = dayTexts_[pending.value % kDayTextSlots];
    if (slot.size == 0 || slot.serial != pending.value) {
      text_.clear();
      appendDateOrNumberText(text_, double(pending.value), date1904);
      const std::string_view stored = sheet.storeText(text_);
      slot = {stored.data(), std::uint32_t(stored.size()), pending.value};
    }
    sheet.setPendingText(pending.cell, std::string_view(slot.text, slot.size));
  }
  days_.clear();
}

}  // namespace quill
