#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "engine/request.h"
#include "formats/session.h"
#include "ui/program_window.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace quill {

class RangePicker;
class WorkbookLoader;
struct PickedRange;

// The two workbook paths the main window holds: the file to compare and the one to compare with.
using WorkbookPaths = std::pair<std::string, std::string>;

// The compare-smaller-area window: a worksheet and a range in each file, the mode (cell by
// cell, or tables keyed by rows or by columns) with its table properties, the range pickers,
// and the start of the comparison the request asks for.
class SmallerAreaWindow final : public ProgramWindowBase {
  Q_OBJECT
 public:
  SmallerAreaWindow(ProgramContext& context, ProgramWindows& windows,
                    std::function<WorkbookPaths()> paths);
  ~SmallerAreaWindow() override;

  // Shows the window, loading it at the first showing; the workbooks are read again and
  // listed afresh when the paths have changed since they were last listed. They are read
  // on a worker thread: the window shows at once and lists them once they are read.
  void showWindow();
  // Whether the workbooks are still being read; the range pickers wait for them.
  bool isReading() const;
  // What the window's controls ask for, under the options the main window keeps in the
  // settings (a tolerance that is no number reads as none; a start refuses it first).
  ComparisonRequest request() const;
  // Replaces the way ranges are picked (the range-selection dialog).
  void usePicker(std::unique_ptr<RangePicker> picker);

 signals:
  // The workbooks have been read and listed, or their failures reported.
  void workbooksRead();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void setStartButtonsEnabled(bool enabled) override;
  const char* startProcedure() const override { return "PushButton4_Click"; }
  void queryUnload(ErrorTrap& trap) override;

 private slots:
  void firstSheetChosen();
  void secondSheetChosen();
  void backToMainWindow();
  void pickStart();
  void pickSecondRange();
  void startComparing();
  void pickFirstRange();
  void pickEnd();
  void pickIdentifying();
  void pickIgnored();
  void showRangeMode();
  void showRowsMode();
  void showColumnsMode();
  void checkStartIsNumber();
  void booksRead();

 private:
  // The field a range picker writes.
  enum class PickTarget { Range1, Range2, Start, End, Identifying, Ignore };
  // The captions and texts that differ between the two table layouts.
  struct TableLayout;
  // Where one file's frame and its controls lie, and their names.
  struct FileFrameLayout;

  void createControls();
  void createFileFrames();
  void createFileFrame(const FileFrameLayout& at, QGroupBox*& frame, QComboBox*& list,
                       QLabel*& rangeLabel, QLineEdit*& rangeBox, QPushButton*& picker);
  void createTableProperties();
  void connectControls();

  void load();
  void openBooks();
  // Lists the workbooks read and takes a pick that waited for them.
  void listBooks();
  void listSheets();
  std::string columnRangeOf(const std::string& address);
  std::string rowRangeOf(const std::string& address);
  // The used area of a file's worksheet at a list position, in area form.
  std::string usedAddress(int file, int position) const;
  Mode mode() const;
  void showTableLayout(const TableLayout& layout, const char* procedure);

  void pickRange(PickTarget target, const char* procedure);
  std::optional<PickedRange> askForRange(PickTarget target);
  QString defaultAddress(PickTarget target) const;
  void writePick(PickTarget target, const std::string& address);
  void showPickedSheet(QComboBox& list, const std::string& sheetName);

  std::function<WorkbookPaths()> paths_;
  std::unique_ptr<RangePicker> picker_;
  SpreadsheetSession books_;  // the workbooks listed and picked from
  std::unique_ptr<WorkbookLoader> loader_;
  // A pick asked for while the workbooks were read, with its procedure's name.
  std::optional<std::pair<PickTarget, const char*>> pendingPick_;
  WorkbookPaths listedPaths_;
  bool loaded_ = false;
  bool checkingStart_ = false;

  QPushButton* PushButton1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QComboBox* Combo1 = nullptr;
  QLabel* lblSelectRange = nullptr;
  QLineEdit* txtRange1 = nullptr;
  QPushButton* PushButton7 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QComboBox* Combo2 = nullptr;
  QLabel* lblCompareRange = nullptr;
  QLineEdit* txtRange2 = nullptr;
  QPushButton* PushButton3 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QLabel* lblStartColumn = nullptr;
  QLineEdit* txtStartColumn = nullptr;
  QPushButton* PushButton2 = nullptr;
  QLabel* lblEndColumn = nullptr;
  QLineEdit* txtEndColumn = nullptr;
  QPushButton* PushButton8 = nullptr;
  QLabel* lblIdentifyingColumns = nullptr;
  QLineEdit* txtIdentifyingColumns = nullptr;
  QPushButton* PushButton9 = nullptr;
  QLabel* lblIgnoreColumns = nullptr;
  QLineEdit* txtIgnoreColumns = nullptr;
  QPushButton* PushButton10 = nullptr;
  QCheckBox* chkMatchKey = nullptr;
  QCheckBox* chkAlignTable = nullptr;
  QPushButton* PushButton4 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
};

}  // namespace quill
