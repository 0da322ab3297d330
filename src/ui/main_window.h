#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

#include "shell/window_error_box.h"
#include "ui/twips_layout.h"

class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace quill {

class ComparisonRunner;
class ProgramWindows;
struct ComparisonOutcome;
struct ProgramContext;

// The main window: the two workbook paths, the buttons that fill, clear and browse them,
// and the starts of the whole-workbook comparison and of the smaller-area window.
class MainWindow final : public QWidget {
  Q_OBJECT
 public:
  MainWindow(ProgramContext& context, ProgramWindows& windows);
  ~MainWindow() override;

  // The start-up steps: look, cursor, caption, icon, title, the stored paths and the check
  // that workbooks can be read; false when the program cannot go on.
  bool load();
  // Stops a running comparison and waits for it; nothing when none runs.
  void stopComparison();
  bool isComparing() const;
  // Fills the path boxes with the files named on the command line: one fills the first box,
  // two fill both and start comparing. A file that does not exist is named in a message,
  // and nothing starts.
  void openFiles(const QStringList& paths);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void openProductPage();
  void clearFiles();
  void loadSampleFiles();
  void browseFirstFile();
  void startComparing();
  void browseSecondFile();
  void openSmallerArea();
  void rememberFirstPath();
  void rememberSecondPath();
  void comparisonFinished(const quill::ComparisonOutcome& outcome, bool cancelled);

 private:
  void createControls();
  QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, QRect twips,
                         Stretch stretch);
  void browseInto(QLineEdit& box);
  void tell(const QString& text);
  void setStartButtonsEnabled(bool enabled);

  ProgramContext& context_;
  ProgramWindows& windows_;
  WindowErrorBox errorBox_;
  TwipsLayout layout_;
  QPushButton* PushButton1 = nullptr;
  QPushButton* PushButton2 = nullptr;
  QPushButton* PushButton3 = nullptr;
  QPushButton* PushButton4 = nullptr;
  QPushButton* PushButton5 = nullptr;
  QPushButton* PushButton6 = nullptr;
  QPushButton* PushButton8 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  ComparisonRunner* runner_ = nullptr;
};

}  // namespace quill
