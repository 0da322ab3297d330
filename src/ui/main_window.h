#pragma once

#include <QStringList>

#include "engine/request.h"
#include "ui/program_window.h"

class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace quill {

// The main window: the two workbook paths, the buttons that fill, clear and browse them,
// and the starts of the whole-workbook comparison and of the smaller-area window.
class MainWindow final : public ProgramWindowBase {
  Q_OBJECT
 public:
  MainWindow(ProgramContext& context, ProgramWindows& windows);
  ~MainWindow() override;

  // The start-up steps: look, cursor, caption, icon, title and the stored paths.
  void load();
  // Fills the path boxes with the files named on the command line: one fills the first box,
  // two fill both and start comparing. A file that does not exist is named in a message,
  // and nothing starts.
  void openFiles(const QStringList& paths);
  // What the window asks to compare: the two paths, under the options kept in the settings
  // (a tolerance that is no number reads as none here; a start refuses it first).
  ComparisonRequest request() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void setStartButtonsEnabled(bool enabled) override;
  const char* startProcedure() const override { return "PushButton5_Click"; }

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

 private:
  void createControls();
  void browseInto(QLineEdit& box);

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
};

}  // namespace quill
