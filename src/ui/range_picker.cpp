#include "ui/range_picker.h"

#include "ui/range_dialog.h"

namespace quill {

std::optional<PickedRange> DialogRangePicker::pick(QWidget* owner, const Workbook& book,
                                                   std::size_t startSheet, const QString& prompt,
                                                   const QString& defaultAddress) {
  RangeDialog dialog(book, startSheet, prompt, defaultAddress, owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.picked();
}

}  // namespace quill
