#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

class QWidget;

namespace quill {

class Workbook;

// A range the user picked: its absolute address and the name of its worksheet.
struct PickedRange {
  std::string address;
  std::string sheetName;
};

// How the smaller-area window asks the user for a range of a workbook.
class RangePicker {
 public:
  virtual ~RangePicker() = default;
  // Shows the workbook at a 1-based worksheet position with the default address selected
  // and waits for the user; nothing when the user cancelled.
  virtual std::optional<PickedRange> pick(QWidget* owner, const Workbook& book,
                                          std::size_t startSheet, const QString& prompt,
                                          const QString& defaultAddress) = 0;
};

// Picks with the range-selection dialog.
class DialogRangePicker final : public RangePicker {
 public:
  std::optional<PickedRange> pick(QWidget* owner, const Workbook& book, std::size_t startSheet,
                                  const QString& prompt, const QString& defaultAddress) override;
};

}  // namespace quill
