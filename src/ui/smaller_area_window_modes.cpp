#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "engine/choose_comparison.h"
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
};

namespace {

const char* const kNotNumeric = "Please input a numeric value.";

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
  trap.at(100, [&] { lblSelectRange->setText("Range:"); });
  trap.at(102, [&] { Frame4->hide(); });
  trap.at(104, [&] { PushButton3->show(); });
  trap.at(106, [&] {
    lblCompareRange->setText("Range:");
    lblCompareRange->show();
  });
  trap.at(108, [&] { txtRange2->show(); });
  trap.at(110, [&] { firstSheetChosen(); });
}

void SmallerAreaWindow::showRowsMode() {
  static const TableLayout rows{"Select Columns to include:", "Start Row:",     "1", "End Row:",
                                "Identifying Columns:",       "Ignore Columns:"};
  showTableLayout(rows, "Option2_Click");
}

void SmallerAreaWindow::showColumnsMode() {
  static const TableLayout columns{"Select Rows to include:", "Start Columns:", "A", "End Columns:",
                                   "Identifying Rows:",       "Ignore Rows:"};
  showTableLayout(columns, "Option3_Click");
}

void SmallerAreaWindow::showTableLayout(const TableLayout& layout, const char* procedure) {
  ErrorTrap trap("Form2", procedure, errorBox_);
  trap.at(100, [&] { lblSelectRange->setText(layout.selectRange); });
  trap.at(102, [&] { Frame4->show(); });
  trap.at(104, [&] { PushButton3->hide(); });
  trap.at(106, [&] {
    lblCompareRange->clear();
    lblCompareRange->hide();
    Frame3->update();
  });
  trap.at(108, [&] { txtRange2->hide(); });
  trap.at(110, [&] {
    lblStartColumn->setText(layout.startLabel);
    txtStartColumn->setText(layout.startText);
    txtEndColumn->clear();
  });
  trap.at(112, [&] {
    lblEndColumn->setText(layout.endLabel);
    lblIdentifyingColumns->setText(layout.identifying);
    lblIgnoreColumns->setText(layout.ignore);
  });
  trap.at(114, [&] {
    const std::string used = usedAddress(1, Combo1->currentIndex());
    const bool rows = mode() == Mode::Rows;
    txtRange1->setText(QString::fromStdString(rows ? columnRangeOf(used) : rowRangeOf(used)));
  });
  trap.at(116, [&] {
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
  checkingStart_ = true;
  ErrorTrap trap("Form2", "txtStartColumn_LostFocus", errorBox_);
  trap.at(100, [&] {
    if (mode() != Mode::Rows || readsAsNumber(txtStartColumn->text())) return;
    tell(kNotNumeric);
    // Given back once the focus change under way has ended.
    QTimer::singleShot(0, txtStartColumn, [box = txtStartColumn] { box->setFocus(); });
  });
  checkingStart_ = false;
}

void SmallerAreaWindow::startComparing() {
  ErrorTrap trap("Form2", "PushButton4_Click", errorBox_);
  if (runner_->isRunning()) return;
  trap.line(100);
  const ComparisonRequest chosen = request();
  trap.line(102);
  if (const std::optional<std::string> message = startCheckMessage(chosen)) {
    tell(QString::fromStdString(*message));
    txtStartColumn->setFocus();
    return;
  }
  trap.at(104, [&] {
    setStartButtonsEnabled(false);
    runner_->start(chosen, "Form2", "PushButton4_Click", runChosenComparison);
  });
}

void SmallerAreaWindow::comparisonFinished(const ComparisonOutcome& outcome, bool cancelled) {
  setStartButtonsEnabled(true);
  // A comparison that wrote no documents has reported why; older documents are not shown.
  if (cancelled || !outcome.documentsWritten) return;
  ErrorTrap trap("Form2", "PushButton4_Click", errorBox_);
  trap.at(108, [&] { context_.callerWindow = "Form2"; });
  trap.at(110, [&] { windows_.showResults(); });
  trap.at(112, [&] { hide(); });
}

void SmallerAreaWindow::setStartButtonsEnabled(bool enabled) {
  // "< Back" is held too: the main window must not start a comparison of its own meanwhile.
  PushButton4->setEnabled(enabled);
  PushButton1->setEnabled(enabled);
}

}  // namespace quill
