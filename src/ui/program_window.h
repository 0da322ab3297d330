#pragma once

#include <QWidget>

#include "shell/window_error_box.h"
#include "ui/twips_layout.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace quill {

class ComparisonRunner;
class ProgramWindows;
struct ComparisonOutcome;
struct ProgramContext;

// What every window of the program shares: the program's context, an error box on the
// window, controls placed in twips, its messages, a comparison it may run with the results
// window shown afterwards, and the end of the program when it closes.
class ProgramWindowBase : public QWidget {
  Q_OBJECT
 public:
  // Stops a running comparison and waits for it; nothing when none runs.
  void stopComparison();
  bool isComparing() const;

 protected:
  // objectName is the window's name in the error boxes ("Form1").
  ProgramWindowBase(ProgramContext& context, ProgramWindows& windows, const char* objectName,
                    QSize clientTwips);
  ~ProgramWindowBase() override;

  QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, QRect twips,
                         Stretch stretch = {});
  QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, QRect twips,
                   Stretch stretch = {});
  QLineEdit* addBox(QWidget* parent, const char* name, QRect twips, Stretch stretch = {});
  // The progress bar that follows this window's comparisons.
  QProgressBar* addComparisonProgress(QRect twips, Stretch stretch);
  // Gives every button the program's hand cursor.
  void useHandCursor();

  // Shows a message box with the program's title.
  void tell(const QString& text);

  ComparisonRunner& runner() { return *runner_; }
  // Called with false when a comparison starts and with true when it has ended.
  virtual void setStartButtonsEnabled(bool) {}
  // The procedure that starts this window's comparisons, as the error boxes name it.
  virtual const char* startProcedure() const { return ""; }
  // What closing the window does before the program ends; the program's end by default.
  virtual void queryUnload(ErrorTrap& trap);

  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  ProgramContext& context_;
  ProgramWindows& windows_;
  WindowErrorBox errorBox_;
  TwipsLayout layout_;

 private:
  void comparisonFinished(const ComparisonOutcome& outcome, bool cancelled);

  ComparisonRunner* runner_ = nullptr;
};

}  // namespace quill
