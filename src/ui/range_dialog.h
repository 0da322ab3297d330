#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>
#include <vector>

#include "sheet/address.h"
#include "ui/range_picker.h"

class QLabel;
class QLineEdit;
class QTabBar;
class QTableView;

namespace quill {

class SheetGridModel;
class Workbook;

// The range-selection dialog: one tab per worksheet of a workbook, a grid of the shown
// worksheet's cells to select areas in with the mouse (Ctrl adds areas, header clicks take
// whole columns or rows), and an address box that shows the selection and takes typing.
class RangeDialog final : public QDialog {
  Q_OBJECT
 public:
  // startSheet is a 1-based worksheet position; the default address is selected on it.
  RangeDialog(const Workbook& book, std::size_t startSheet, const QString& prompt,
              const QString& defaultAddress, QWidget* parent = nullptr);

  // The address and worksheet that OK accepted; nothing before that.
  std::optional<PickedRange> picked() const { return picked_; }

  QTableView& grid() { return *grid_; }
  QTabBar& sheetTabs() { return *tabs_; }
  QLineEdit& addressBox() { return *addressBox_; }
  // Why the address box's text was refused; empty when it was not.
  QString problem() const;

  void accept() override;

 private slots:
  void showSheet(int index);
  void selectionChanged();
  void addressTyped();

 private:
  void createControls(const QString& prompt);
  QString sheetName(int tab) const;
  std::vector<Area> selectedAreas() const;
  void select(const std::vector<Area>& areas);
  // Shows and selects what the address box holds; false, with the reason shown, when it
  // names no cells of the workbook.
  bool applyAddressBox();

  const Workbook& book_;
  SheetGridModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QLineEdit* addressBox_ = nullptr;
  QLabel* problem_ = nullptr;
  std::optional<PickedRange> picked_;
};

}  // namespace quill
