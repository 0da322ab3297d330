#include "ui/range_dialog_model.h"

#include "sheet/address.h"
#include "sheet/workbook.h"

namespace quill {

SheetGridModel::SheetGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void SheetGridModel::setSheet(const Worksheet* sheet) {
  beginResetModel();
  sheet_ = sheet;
  endResetModel();
}

int SheetGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(kMaxRows);
}

int SheetGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(kMaxColumns);
}

QVariant SheetGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !sheet_ || !index.isValid()) return {};
  const std::string_view text = sheet_->cellText(index.row() + 1L, index.column() + 1L);
  if (text.empty()) return {};
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QVariant SheetGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  if (orientation == Qt::Vertical) return section + 1;
  return QString::fromStdString(columnLetters(section + 1L));
}

}  // namespace quill
