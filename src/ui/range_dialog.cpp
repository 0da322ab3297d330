#include "ui/range_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "sheet/address.h"
#include "sheet/workbook.h"
#include "ui/range_dialog_model.h"

namespace quill {

namespace {
constexpr int kColumnWidth = 80;
constexpr int kRowPadding = 6;
constexpr QSize kDialogSize(760, 520);
}  // namespace

RangeDialog::RangeDialog(const Workbook& book, std::size_t startSheet, const QString& prompt,
                         const QString& defaultAddress, QWidget* parent)
    : QDialog(parent), book_(book), model_(new SheetGridModel(this)) {
  setObjectName("RangeDialog");
  createControls(prompt);
  if (book_.sheetCount() > 0) {
    const std::size_t start = std::clamp<std::size_t>(startSheet, 1, book_.sheetCount());
    tabs_->setCurrentIndex(int(start - 1));
    showSheet(int(start - 1));
  }
  connect(tabs_, &QTabBar::currentChanged, this, &RangeDialog::showSheet);
  addressBox_->setText(defaultAddress);
  // A default that names no cells is not offered.
  if (!defaultAddress.isEmpty() && !applyAddressBox()) {
    addressBox_->clear();
    problem_->clear();
  }
}

void RangeDialog::createControls(const QString& prompt) {
  setWindowTitle(prompt);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(prompt, this));

  grid_ = new QTableView(this);
  grid_->setObjectName("grid");
  grid_->setModel(model_);
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setWordWrap(false);
  grid_->horizontalHeader()->setDefaultSectionSize(kColumnWidth);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + kRowPadding);
  layout->addWidget(grid_, 1);
  connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &RangeDialog::selectionChanged);

  tabs_ = new QTabBar(this);
  tabs_->setObjectName("sheetTabs");
  tabs_->setShape(QTabBar::RoundedSouth);
  tabs_->setExpanding(false);
  for (std::size_t position = 1; position <= book_.sheetCount(); ++position)
    tabs_->addTab(sheetName(int(position - 1)).replace('&', "&&"));
  layout->addWidget(tabs_);

  auto* addressRow = new QHBoxLayout;
  addressRow->addWidget(new QLabel("Address:", this));
  addressBox_ = new QLineEdit(this);
  addressBox_->setObjectName("addressBox");
  addressRow->addWidget(addressBox_, 1);
  layout->addLayout(addressRow);
  connect(addressBox_, &QLineEdit::editingFinished, this, &RangeDialog::addressTyped);

  problem_ = new QLabel(this);
  problem_->setObjectName("problem");
  problem_->setStyleSheet("color: #b00000");
  layout->addWidget(problem_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &RangeDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &RangeDialog::reject);
  layout->addWidget(buttons);
  resize(kDialogSize);
}

QString RangeDialog::sheetName(int tab) const {
  return QString::fromStdString(book_.sheet(std::size_t(tab) + 1).name());
}

QString RangeDialog::problem() const {
  return problem_->text();
}

void RangeDialog::showSheet(int index) {
  if (index < 0 || std::size_t(index) >= book_.sheetCount()) return;
  model_->setSheet(&book_.sheet(std::size_t(index) + 1));
  // Resetting the model drops the selection without saying so.
  selectionChanged();
}

std::vector<Area> RangeDialog::selectedAreas() const {
  std::vector<Area> areas;
  for (const QItemSelectionRange& range : grid_->selectionModel()->selection())
    areas.push_back({range.top() + 1L, range.left() + 1L, range.bottom() + 1L, range.right() + 1L});
  return areas;
}

void RangeDialog::select(const std::vector<Area>& areas) {
  QItemSelection selection;
  for (const Area& area : areas)
    selection.select(model_->index(int(area.firstRow - 1), int(area.firstColumn - 1)),
                     model_->index(int(area.lastRow - 1), int(area.lastColumn - 1)));
  grid_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  if (areas.empty()) return;
  const QModelIndex first =
      model_->index(int(areas.front().firstRow - 1), int(areas.front().firstColumn - 1));
  grid_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  grid_->scrollTo(first);
}

void RangeDialog::selectionChanged() {
  addressBox_->setText(QString::fromStdString(selectionAddressText(selectedAreas())));
  problem_->clear();
}

void RangeDialog::addressTyped() {
  if (addressBox_->isModified()) applyAddressBox();
}

bool RangeDialog::applyAddressBox() {
  TypedAddress typed;
  try {
    typed = parseTypedAddress(addressBox_->text().toStdString());
  } catch (const AddressError& error) {
    problem_->setText(QString::fromStdString(error.what()));
    return false;
  }
  if (!typed.sheetName.empty()) {
    const QString name = QString::fromStdString(typed.sheetName);
    int found = -1;
    for (int tab = 0; tab < tabs_->count() && found < 0; ++tab)
      if (sheetName(tab).compare(name, Qt::CaseInsensitive) == 0) found = tab;
    if (found < 0) {
      problem_->setText("No worksheet is named \"" + name + "\".");
      return false;
    }
    tabs_->setCurrentIndex(found);
  }
  if (tabs_->currentIndex() < 0) {
    problem_->setText("The workbook has no worksheets.");
    return false;
  }
  select(typed.areas);
  addressBox_->setText(QString::fromStdString(selectionAddressText(typed.areas)));
  problem_->clear();
  return true;
}

void RangeDialog::accept() {
  if (!applyAddressBox()) return;
  picked_ = PickedRange{addressBox_->text().toStdString(),
                        sheetName(tabs_->currentIndex()).toStdString()};
  QDialog::accept();
}

}  // namespace quill
