#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>

#include "engine/choose_comparison.h"
#include "shell/comparison_settings.h"
#include "ui/comparison_runner.h"
#include "ui/program_context.h"
#include "ui/program_windows.h"
#include "ui/smaller_area_window.h"

namespace quill {

struct SmallerAreaWindow::TableLayout {
  const char* selectRange;
  const char* startLabel;
  const char* startText;
  const char* endLabel;
  const char* identifying;
  const char* ignore;
  const char* matchKey;
};

namespace {

const char* const kNotNumeric = "Please input a numeric value.";

// The line labels of Option1_Click.
enum class RangeModeLine {
  RangeCaption = 100,
  HideTableProperties = 102,
  ShowSecondPicker = 104,
  ShowSecondCaption = 106,
  ShowSecondRange = 108,
  ShowUsedArea = 110,
};

// The line labels of Option2_Click and Option3_Click.
enum class TableModeLine {
  RangeCaption = 100,
  ShowTableProperties = 102,
  HideSecondPicker = 104,
  HideSecondCaption = 106,
  HideSecondRange = 108,
  StartAndEnd = 110,
  Captions = 112,
  ShowUsedArea = 114,
  ClearLists = 116,
};

// The line label of txtStartColumn_LostFocus.
enum class StartCheckLine { Check = 100 };

// The line labels of PushButton4_Click, up to the comparison's start; the comparison
// and the results that follow it continue the numbering.
enum class StartComparingLine { ReadRequest = 100, CheckStart = 102, Start = 104 };

// Whether a text reads as a number, blanks around it allowed; an empty text does not.
bool readsAsNumber(const QString& text) {
  bool ok = false;
  QLocale::c().toDouble(text.trimmed(), &ok);
  return ok;
}

// Focus that moves to another control, as opposed to a popup or another window taking it.
bool leavesForAnotherControl(const QFocusEvent& event) {
  return event.reason() != Qt::PopupFocusReason && event.reason() != Qt::ActiveWindowFocusReason;
}

}  // namespace

void SmallerAreaWindow::showRangeMode() {
  ErrorTrap trap("Form2", "Option1_Click", errorBox_);
  trap.at(RangeModeLine::RangeCaption, [&] { lblSelectRange->setText("Range:"); });
  trap.at(RangeModeLine::HideTableProperties, [&] { Frame4->hide(); });
  trap.at(RangeModeLine::ShowSecondPicker, [&] { PushButton3->show(); });
  trap.at(RangeModeLine::ShowSecondCaption, [&] {
    lblCompareRange->setText("Range:");
    lblCompareRange->show();
  });
  trap.at(RangeModeLine::ShowSecondRange, [&] { txtRange2->show(); });
  trap.at(RangeModeLine::ShowUsedArea, [&] { firstSheetChosen(); });
}

void SmallerAreaWindow::showRowsMode() {
  static const TableLayout rows{"Select Columns to include:",
                                "Start Row:",
                                "1",
                                "End Row:",
                                "Identifying Columns:",
                                "Ignore Columns:",
                                "Match rows by identifying columns"};
  showTableLayout(rows, "Option2_Click");
}

void SmallerAreaWindow::showColumnsMode() {
  static const TableLayout columns{"Select Rows to include:",
                                   "Start Columns:",
                                   "A",
                                   "End Columns:",
                                   "Identifying Rows:",
                                   "Ignore Rows:",
                                   "Match columns by identifying rows"};
  showTableLayout(columns, "Option3_Click");
}

void SmallerAreaWindow::showTableLayout(const TableLayout& layout, const char* procedure) {
  ErrorTrap trap("Form2", procedure, errorBox_);
  trap.at(TableModeLine::RangeCaption, [&] { lblSelectRange->setText(layout.selectRange); });
  trap.at(TableModeLine::ShowTableProperties, [&] { Frame4->show(); });
  trap.at(TableModeLine::HideSecondPicker, [&] { PushButton3->hide(); });
  trap.at(TableModeLine::HideSecondCaption, [&] {
    lblCompareRange->clear();
    lblCompareRange->hide();
    Frame3->update();
  });
  trap.at(TableModeLine::HideSecondRange, [&] { txtRange2->hide(); });
  trap.at(TableModeLine::StartAndEnd, [&] {
    lblStartColumn->setText(layout.startLabel);
    txtStartColumn->setText(layout.startText);
    txtEndColumn->clear();
  });
  trap.at(TableModeLine::Captions, [&] {
    lblEndColumn->setText(layout.endLabel);
    lblIdentifyingColumns->setText(layout.identifying);
    lblIgnoreColumns->setText(layout.ignore);
    chkMatchKey->setText(layout.matchKey);
  });
  trap.at(TableModeLine::ShowUsedArea, [&] {
    const std::string used = usedAddress(1, Combo1->currentIndex());
    const bool rows = mode() == Mode::Rows;
    txtRange1->setText(QString::fromStdString(rows ? columnRangeOf(used) : rowRangeOf(used)));
  });
  trap.at(TableModeLine::ClearLists, [&] {
    txtIdentifyingColumns->clear();
    txtIgnoreColumns->clear();
  });
}

bool SmallerAreaWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtStartColumn && event->type() == QEvent::FocusOut &&
      leavesForAnotherControl(*static_cast<QFocusEvent*>(event)))
    checkStartIsNumber();
  return QWidget::eventFilter(watched, event);
}

void SmallerAreaWindow::checkStartIsNumber() {
  // The message box takes the focus itself; that must not check the field once more.
  if (checkingStart_) return;
  const QScopedValueRollback checking(checkingStart_, true);
  ErrorTrap trap("Form2", "txtStartColumn_LostFocus", errorBox_);
  trap.at(StartCheckLine::Check, [&] {
    if (mode() != Mode::Rows || readsAsNumber(txtStartColumn->text())) return;
    tell(kNotNumeric);
    // Given back once the focus change under way has ended.
    QTimer::singleShot(0, txtStartColumn, [box = txtStartColumn] { box->setFocus(); });
  });
}

void SmallerAreaWindow::startComparing() {
  ErrorTrap trap("Form2", startProcedure(), errorBox_);
  if (runner().isRunning()) return;
  trap.line(StartComparingLine::ReadRequest);
  if (const QString problem = storedComparisonOptions(context_.settings).problem;
      !problem.isEmpty()) {
    tell(problem);
    return;
  }
  const ComparisonRequest chosen = request();
  trap.line(StartComparingLine::CheckStart);
  if (const std::optional<std::string> message = startCheckMessage(chosen, books_)) {
    tell(QString::fromStdString(*message));
    txtStartColumn->setFocus();
    return;
  }
  trap.at(StartComparingLine::Start, [&] {
    setStartButtonsEnabled(false);
    runner().start(chosen, "Form2", startProcedure(), runChosenComparison);
  });
}

void SmallerAreaWindow::setStartButtonsEnabled(bool enabled) {
  // "< Back" is held too: the main window must not start a comparison of its own meanwhile.
  PushButton4->setEnabled(enabled);
  PushButton1->setEnabled(enabled);
}

}  // namespace quill
