#pragma once

#include <QAbstractTableModel>

namespace quill {

class Worksheet;

// The cells of one worksheet as a table of every row and column a worksheet can have:
// column letters and row numbers as headers, the cell texts as the cells. Cells are read
// from the worksheet only when the view shows them.
class SheetGridModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit SheetGridModel(QObject* parent = nullptr);

  // The worksheet shown; nullptr shows an empty grid.
  void setSheet(const Worksheet* sheet);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const Worksheet* sheet_ = nullptr;
};

}  // namespace quill
