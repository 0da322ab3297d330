#include "smaller_area_screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "formats/workbook_file.h"
#include "ui/main_window.h"
#include "ui/program_windows.h"
#include "ui/range_dialog.h"
#include "ui/smaller_area_window.h"

namespace quill {

namespace {

template <class Control>
Control* control(QWidget& window, const char* name) {
  return window.findChild<Control*>(name);
}

bool grabInto(QWidget& window, const QString& file) {
  QApplication::processEvents();
  return window.grab().save(file, "PNG");
}

// The range dialog over a workbook file, with two areas of its first worksheet selected.
bool grabRangeDialog(const std::string& path, const QString& file) {
  const std::unique_ptr<Workbook> book = readWorkbookFile(path);
  RangeDialog dialog(*book, 1, "select range with mouse", "$A$1:$A$9,$C$1:$E$9");
  dialog.show();
  const bool saved = grabInto(dialog, file);
  dialog.reject();
  return saved;
}

}  // namespace

bool grabSmallerAreaWindows(ProgramWindows& windows, const QString& folder) {
  MainWindow& main = windows.mainWindow();
  control<QPushButton>(main, "PushButton8")->click();
  SmallerAreaWindow& smaller = windows.smallerAreaWindow();
  if (!smaller.isVisible()) return false;
  // The window lists the workbooks once its worker has read them.
  if (smaller.isReading()) {
    QEventLoop reading;
    QObject::connect(&smaller, &SmallerAreaWindow::workbooksRead, &reading, &QEventLoop::quit);
    reading.exec();
  }
  QComboBox* sheets = control<QComboBox>(smaller, "Combo1");
  sheets->setCurrentIndex(1);
  emit sheets->activated(1);
  control<QRadioButton>(smaller, "Option2")->click();
  control<QLineEdit>(smaller, "txtIdentifyingColumns")->setText("A");
  const bool savedWindow = grabInto(smaller, folder + "/smaller-area-window.png");
  bool savedDialog = false;
  try {
    savedDialog = grabRangeDialog(smaller.request().path1, folder + "/range-dialog.png");
  } catch (const std::exception& error) {
    qWarning("The range dialog could not be shown: %s", error.what());
  }
  control<QPushButton>(smaller, "PushButton1")->click();
  return savedWindow && savedDialog;
}

}  // namespace quill
