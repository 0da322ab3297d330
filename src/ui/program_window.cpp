#include "ui/program_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>

#include "shell/look.h"
#include "shell/shell_dialogs.h"
#include "ui/comparison_runner.h"
#include "ui/program_context.h"
#include "ui/program_windows.h"
#include "ui/results_window.h"

namespace quill {

namespace {

// The line labels of Form_QueryUnload in a window that only ends the program.
enum class QueryUnloadLine { EndProgram = 100 };

// The line labels that follow a finished comparison, continuing the procedure that
// started it.
enum class ResultsShowingLine { CallerWindow = 108, ShowResults = 110, HideWindow = 112 };

}  // namespace

ProgramWindowBase::ProgramWindowBase(ProgramContext& context, ProgramWindows& windows,
                                     const char* objectName, QSize clientTwips)
    : context_(context),
      windows_(windows),
      errorBox_(*this, context.dialogs),
      layout_(*this, clientTwips) {
  setObjectName(objectName);
}

ProgramWindowBase::~ProgramWindowBase() {
  // The window that derives from this one has stopped its comparison already; should one
  // still run, it ends without reporting to the parts already gone.
  if (runner_) {
    runner_->disconnect(this);
    runner_->cancelAndWait();
  }
}

QPushButton* ProgramWindowBase::addButton(QWidget* parent, const char* name, const QString& caption,
                                          QRect twips, Stretch stretch) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  layout_.place(*button, twips, stretch);
  return button;
}

QLabel* ProgramWindowBase::addLabel(QWidget* parent, const char* name, const QString& caption,
                                    QRect twips, Stretch stretch) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  layout_.place(*label, twips, stretch);
  return label;
}

QLineEdit* ProgramWindowBase::addBox(QWidget* parent, const char* name, QRect twips,
                                     Stretch stretch) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  layout_.place(*box, twips, stretch);
  return box;
}

QProgressBar* ProgramWindowBase::addComparisonProgress(QRect twips, Stretch stretch) {
  auto* bar = new QProgressBar(this);
  bar->setObjectName("ProgressBar1");
  bar->setTextVisible(false);
  bar->setValue(0);
  bar->setToolTip("Escape stops the comparison");
  layout_.place(*bar, twips, stretch);
  runner_ = new ComparisonRunner(*this, context_, *bar);
  auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  stop->setObjectName("StopComparing");
  connect(stop, &QShortcut::activated, runner_, &ComparisonRunner::stop);
  connect(runner_, &ComparisonRunner::finished, this, &ProgramWindowBase::comparisonFinished);
  // The results window, made while the comparison runs, starts its views' renderers then.
  connect(runner_, &ComparisonRunner::started, this, [this] { windows_.resultsWindow(); });
  return bar;
}

void ProgramWindowBase::useHandCursor() {
  for (QPushButton* button : findChildren<QPushButton*>()) button->setCursor(context_.handCursor);
}

void ProgramWindowBase::tell(const QString& text) {
  const NormalCursorWhileShown normal;
  context_.dialogs.message(this, context_.applicationTitle, text);
}

void ProgramWindowBase::stopComparison() {
  if (runner_) runner_->cancelAndWait();
}

bool ProgramWindowBase::isComparing() const {
  return runner_ && runner_->isRunning();
}

void ProgramWindowBase::comparisonFinished(const ComparisonOutcome& outcome, bool cancelled) {
  setStartButtonsEnabled(true);
  // A comparison that wrote no documents has reported why; older documents are not shown.
  if (cancelled || !outcome.resultComplete) return;
  const std::string name = objectName().toStdString();
  ErrorTrap trap(name, startProcedure(), errorBox_);
  trap.at(ResultsShowingLine::CallerWindow, [&] { context_.callerWindow = name; });
  trap.at(ResultsShowingLine::ShowResults, [&] {
    windows_.resultsWindow().setComparisonRepeater(
        runner_->request(),
        [runner = runner_](const ComparisonRunner::SinkMaker& sink, ErrorBox& box) {
          return runner->repeatInto(sink, box);
        });
    windows_.showResults();
  });
  trap.at(ResultsShowingLine::HideWindow, [&] { hide(); });
}

void ProgramWindowBase::queryUnload(ErrorTrap& trap) {
  trap.at(QueryUnloadLine::EndProgram, [&] { windows_.endProgram(); });
}

void ProgramWindowBase::closeEvent(QCloseEvent* event) {
  ErrorTrap trap(objectName().toStdString(), "Form_QueryUnload", errorBox_);
  queryUnload(trap);
  event->accept();
}

void ProgramWindowBase::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layout_.apply();
}

}  // namespace quill
