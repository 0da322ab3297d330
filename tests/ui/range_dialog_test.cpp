#include "ui/range_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "sheet/stored_workbook.h"
#include "ui/range_dialog_model.h"

namespace quill::test {
namespace {

class RangeDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    StoredSheet& first = book.addSheet("First");
    for (long row = 1; row <= 12; ++row)
      for (long column = 1; column <= 6; ++column)
        first.add(row, column, std::to_string(row * 100 + column));
    book.addSheet("Sheet Two").add(5, 3, "five three");
    book.addSheet("R&D").add(1, 1, "x");
    book.finish();
  }

  // A shown dialog on a worksheet with a default address.
  std::unique_ptr<RangeDialog> open(std::size_t sheet = 1, const QString& address = {}) {
    auto dialog = std::make_unique<RangeDialog>(book, sheet, "select range with mouse", address);
    dialog->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    return dialog;
  }

  static QModelIndex cell(RangeDialog& dialog, int row, int column) {
    return dialog.grid().model()->index(row - 1, column - 1);
  }

  static void select(RangeDialog& dialog, QPoint from, QPoint to,
                     QItemSelectionModel::SelectionFlags flags) {
    dialog.grid().selectionModel()->select(
        QItemSelection(cell(dialog, from.y(), from.x()), cell(dialog, to.y(), to.x())), flags);
  }

  static void clickHeader(QHeaderView& header, int section,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const int position = header.sectionViewportPosition(section) + header.sectionSize(section) / 2;
    const QPoint point =
        header.orientation() == Qt::Horizontal ? QPoint(position, 5) : QPoint(5, position);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, modifiers, point);
  }

  static void type(RangeDialog& dialog, const QString& text) {
    QLineEdit& box = dialog.addressBox();
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, text);
    emit box.editingFinished();
  }

  StoredWorkbook book;
};

TEST_F(RangeDialogTest, GridShowsTheWorksheetWithLettersAndNumbers) {
  auto dialog = open();
  QAbstractItemModel& model = *dialog->grid().model();
  EXPECT_EQ(dialog->windowTitle(), "select range with mouse");
  EXPECT_EQ(model.rowCount(), kMaxRows);
  EXPECT_EQ(model.columnCount(), kMaxColumns);
  EXPECT_EQ(model.headerData(27, Qt::Horizontal).toString(), "AB");
  EXPECT_EQ(model.headerData(16383, Qt::Horizontal).toString(), "XFD");
  EXPECT_EQ(model.headerData(0, Qt::Vertical).toInt(), 1);
  EXPECT_EQ(model.data(cell(*dialog, 12, 6)).toString(), "1206");
  EXPECT_FALSE(model.data(cell(*dialog, 13, 6)).isValid());
  EXPECT_EQ(dialog->sheetTabs().count(), 3);

  dialog->sheetTabs().setCurrentIndex(1);
  EXPECT_EQ(model.data(cell(*dialog, 5, 3)).toString(), "five three");
  EXPECT_FALSE(model.data(cell(*dialog, 12, 6)).isValid());
}

TEST_F(RangeDialogTest, SelectionsShowAsAddresses) {
  auto dialog = open();
  QItemSelectionModel& selection = *dialog->grid().selectionModel();
  select(*dialog, {2, 2}, {4, 9}, QItemSelectionModel::ClearAndSelect);
  EXPECT_EQ(dialog->addressBox().text(), "$B$2:$D$9");
  select(*dialog, {3, 5}, {3, 5}, QItemSelectionModel::ClearAndSelect);
  EXPECT_EQ(dialog->addressBox().text(), "$C$5");
  select(*dialog, {1, 1}, {1, 9}, QItemSelectionModel::ClearAndSelect);
  select(*dialog, {3, 1}, {5, 9}, QItemSelectionModel::Select);
  EXPECT_EQ(dialog->addressBox().text(), "$A$1:$A$9,$C$1:$E$9");
  selection.clearSelection();
  EXPECT_EQ(dialog->addressBox().text(), "");
}

TEST_F(RangeDialogTest, MouseDragsAndHeaderClicksSelect) {
  auto dialog = open();
  QTableView& grid = dialog->grid();
  QWidget* viewport = grid.viewport();
  const QPoint from = grid.visualRect(cell(*dialog, 2, 2)).center();
  const QPoint to = grid.visualRect(cell(*dialog, 9, 4)).center();
  QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
  QMouseEvent drag(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(viewport, &drag);
  QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
  EXPECT_EQ(dialog->addressBox().text(), "$B$2:$D$9");

  const QPoint other = grid.visualRect(cell(*dialog, 11, 6)).center();
  QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, other);
  EXPECT_EQ(dialog->addressBox().text(), "$B$2:$D$9,$F$11");

  clickHeader(*grid.horizontalHeader(), 1);
  EXPECT_EQ(dialog->addressBox().text(), "$B:$B");
  clickHeader(*grid.horizontalHeader(), 3, Qt::ShiftModifier);
  EXPECT_EQ(dialog->addressBox().text(), "$B:$D");
  clickHeader(*grid.horizontalHeader(), 5, Qt::ControlModifier);
  EXPECT_EQ(dialog->addressBox().text(), "$B:$D,$F:$F");
  clickHeader(*grid.verticalHeader(), 1);
  EXPECT_EQ(dialog->addressBox().text(), "$2:$2");
  clickHeader(*grid.verticalHeader(), 8, Qt::ShiftModifier);
  EXPECT_EQ(dialog->addressBox().text(), "$2:$9");
}

TEST_F(RangeDialogTest, StartsOnTheDefaultSheetAndSelection) {
  auto dialog = open(2, "$C$5");
  EXPECT_EQ(dialog->sheetTabs().currentIndex(), 1);
  EXPECT_EQ(dialog->addressBox().text(), "$C$5");
  EXPECT_TRUE(dialog->grid().selectionModel()->isSelected(cell(*dialog, 5, 3)));
  EXPECT_EQ(dialog->grid().currentIndex(), cell(*dialog, 5, 3));

  // A default that names no cells is not offered; a start past the last sheet shows the last.
  auto unreadable = open(7, "$5");
  EXPECT_EQ(unreadable->sheetTabs().currentIndex(), 2);
  EXPECT_EQ(unreadable->addressBox().text(), "");
  EXPECT_EQ(unreadable->problem(), "");

  auto columns = open(1, "$B:$D");
  EXPECT_EQ(columns->addressBox().text(), "$B:$D");
  EXPECT_TRUE(columns->grid().selectionModel()->isSelected(cell(*columns, kMaxRows, 3)));
}

TEST_F(RangeDialogTest, TypedAddressesSelectAndMayChangeTheSheet) {
  auto dialog = open();
  type(*dialog, "b2:d9");
  EXPECT_EQ(dialog->addressBox().text(), "$B$2:$D$9");
  EXPECT_TRUE(dialog->grid().selectionModel()->isSelected(cell(*dialog, 9, 4)));
  EXPECT_FALSE(dialog->grid().selectionModel()->isSelected(cell(*dialog, 10, 4)));

  type(*dialog, "'Sheet Two'!A1:A9,C1:E9");
  EXPECT_EQ(dialog->sheetTabs().currentIndex(), 1);
  EXPECT_EQ(dialog->addressBox().text(), "$A$1:$A$9,$C$1:$E$9");

  type(*dialog, "r&d!$A:$B");
  EXPECT_EQ(dialog->sheetTabs().currentIndex(), 2);
  EXPECT_EQ(dialog->addressBox().text(), "$A:$B");

  struct Case {
    const char* text;
    const char* problemPart;
  };
  for (const Case& c : {Case{"nowhere!A1", "No worksheet is named \"nowhere\"."}, Case{"B2:", ""},
                        Case{"", "empty"}}) {
    type(*dialog, c.text);
    EXPECT_TRUE(dialog->problem().contains(c.problemPart)) << c.text;
    EXPECT_FALSE(dialog->problem().isEmpty()) << c.text;
    dialog->accept();
    EXPECT_FALSE(dialog->picked()) << c.text;
    EXPECT_TRUE(dialog->isVisible()) << c.text;
  }
}

TEST_F(RangeDialogTest, OkGivesTheAddressAndWorksheet) {
  auto dialog = open(1, "$B$2:$D$9");
  dialog->sheetTabs().setCurrentIndex(1);
  EXPECT_EQ(dialog->addressBox().text(), "") << "another sheet starts unselected";
  select(*dialog, {25, 1}, {28, 1}, QItemSelectionModel::ClearAndSelect);
  dialog->accept();
  ASSERT_TRUE(dialog->picked());
  EXPECT_EQ(dialog->picked()->address, "$Y$1:$AB$1");
  EXPECT_EQ(dialog->picked()->sheetName, "Sheet Two");
}

TEST_F(RangeDialogTest, PickerAnswersWithTheDialogOrNothing) {
  DialogRangePicker picker;
  for (bool accept : {true, false}) {
    QTimer::singleShot(0, [accept] {
      auto* dialog = qobject_cast<RangeDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->addressBox().setText("A3:F5");
      accept ? dialog->accept() : dialog->reject();
    });
    const std::optional<PickedRange> picked =
        picker.pick(nullptr, book, 3, "select range with mouse", "$A$1");
    if (accept) {
      ASSERT_TRUE(picked);
      EXPECT_EQ(picked->address, "$A$3:$F$5");
      EXPECT_EQ(picked->sheetName, "R&D");
    } else {
      EXPECT_FALSE(picked);
    }
  }
}

// A million cells: the dialog opens, scrolls to the far end and paints without one widget
// per cell. The time is printed for the record, not judged.
TEST_F(RangeDialogTest, MillionCellWorksheetOpensAndScrolls) {
  StoredWorkbook large;
  StoredSheet& sheet = large.addSheet("Large");
  for (long row = 1; row <= 50000; ++row)
    for (long column = 1; column <= 20; ++column) sheet.add(row, column, "v");
  large.finish();
  QElapsedTimer timer;
  timer.start();
  RangeDialog dialog(large, 1, "select range with mouse", "$A$1:$T$50000");
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  dialog.grid().scrollTo(dialog.grid().model()->index(49999, 19));
  const QImage painted = dialog.grab().toImage();
  std::cout << "[ measured ] million-cell range dialog opened, scrolled and painted in "
            << timer.elapsed() << " ms\n";
  EXPECT_FALSE(painted.isNull());
  EXPECT_EQ(dialog.addressBox().text(), "$A$1:$T$50000");
  EXPECT_TRUE(dialog.findChildren<QWidget*>().size() < 100);
}

}  // namespace
}  // namespace quill::test
