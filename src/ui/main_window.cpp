#include "ui/main_window.h"

#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "base/file_utils.h"
#include "shell/app_title.h"
#include "shell/comparison_settings.h"
#include "shell/desktop.h"
#include "shell/look.h"
#include "shell/settings_store.h"
#include "shell/shell_dialogs.h"
#include "ui/comparison_runner.h"
#include "ui/options_area.h"
#include "ui/path_drops.h"
#include "ui/program_context.h"
#include "ui/program_icon.h"
#include "ui/program_windows.h"
#include "ui/window_placement.h"

namespace quill {

namespace {

constexpr QSize kClientTwips(8040, 6555);
constexpr Stretch kFullWidth{0, 0, 1, 0};
constexpr Stretch kRightEdge{1, 0, 0, 0};
const QString kFileFilters =
    "All Excel Files (*.xl*);;All Workbooks (*.xl* *.ods *.csv);;All Files (*)";

// The line labels of Form_Load.
enum class LoadLine {
  Look = 100,
  HandCursor = 102,
  Caption = 104,
  Icon = 106,
  ApplicationTitle = 108,
  FirstPath = 110,
  SecondPath = 112,
};

// The line labels of the procedures that fill or clear both paths
// (PushButton2_Click, PushButton3_Click).
enum class BothPathsLine { FirstPath = 100, SecondPath = 102 };

// The line label of the procedures with a single step (PushButton1_Click, PushButton4_Click,
// PushButton6_Click).
enum class SingleStepLine { Only = 100 };

// The line labels of PushButton5_Click, up to the comparison's start; the comparison
// and the results that follow it continue the numbering.
enum class StartComparingLine { FilesExist = 100, FilesNamed = 102, Start = 104 };

// The line labels of openFiles, which fills the paths from the command line.
enum class OpenFilesLine { FillPaths = 100, FilesExist = 102 };

// The line labels of PushButton8_Click.
enum class SmallerAreaLine {
  FirstFileExists = 100,
  SecondFileExists = 102,
  ShowSmallerArea = 106,
  HideWindow = 108,
};

std::string pathOf(const QLineEdit& box) {
  return box.text().toStdString();
}

// The line that names a missing file: its frame's caption and the path in quotes, so that
// an empty or blank path shows as such.
QString missingFileLine(const QGroupBox& frame, const QLineEdit& box) {
  return frame.title() + ": \"" + box.text() + "\"";
}

}  // namespace

MainWindow::MainWindow(ProgramContext& context, ProgramWindows& windows)
    : ProgramWindowBase(context, windows, "Form1", kClientTwips) {
  createControls();
  resize(layout_.designedSize());
  // The controls keep their heights, so a lower window (one stored before the options area
  // was added) would cut the lowest off.
  setMinimumHeight(layout_.designedSize().height());
  new WindowPlacement(*this, context_.settings, "Main Window Placement");
  new PathDrops(*this, *Text1, *Text2);
}

MainWindow::~MainWindow() {
  stopComparison();
}

void MainWindow::createControls() {
  PushButton3 = addButton(this, "PushButton3", "Load Sample/Example Files",
                          QRect(120, 120, 3840, 405), {0, 0, 0.5, 0});
  PushButton2 =
      addButton(this, "PushButton2", "Clear Files", QRect(4080, 120, 3840, 405), {0.5, 0, 0.5, 0});
  Frame1 = new QGroupBox("Excel File #1", this);
  Frame1->setObjectName("Frame1");
  layout_.place(*Frame1, QRect(120, 600, 7800, 825), kFullWidth);
  Text1 = addBox(Frame1, "Text1", QRect(240, 300, 6600, 345), kFullWidth);
  PushButton4 = addButton(Frame1, "PushButton4", "...", QRect(6960, 300, 600, 345), kRightEdge);
  Frame2 = new QGroupBox("Excel File #2", this);
  Frame2->setObjectName("Frame2");
  layout_.place(*Frame2, QRect(120, 1470, 7800, 825), kFullWidth);
  Text2 = addBox(Frame2, "Text2", QRect(240, 300, 6600, 345), kFullWidth);
  PushButton6 = addButton(Frame2, "PushButton6", "...", QRect(6960, 300, 600, 345), kRightEdge);
  PushButton5 =
      addButton(this, "PushButton5", "Start Comparing", QRect(120, 2410, 7800, 405), kFullWidth);
  PushButton8 = addButton(this, "PushButton8", "Optional: Select Smaller Area",
                          QRect(120, 2920, 7800, 405), kFullWidth);
  PushButton1 =
      addButton(this, "PushButton1", kProductName, QRect(120, 3430, 7800, 405), kFullWidth);
  ProgressBar1 = addComparisonProgress(QRect(120, 3940, 7800, 405), kFullWidth);
  new OptionsArea(*this, layout_, QRect(120, 4470, 7800, 1965), kFullWidth, context_.settings);

  connect(PushButton1, &QPushButton::clicked, this, &MainWindow::openProductPage);
  connect(PushButton2, &QPushButton::clicked, this, &MainWindow::clearFiles);
  connect(PushButton3, &QPushButton::clicked, this, &MainWindow::loadSampleFiles);
  connect(PushButton4, &QPushButton::clicked, this, &MainWindow::browseFirstFile);
  connect(PushButton5, &QPushButton::clicked, this, &MainWindow::startComparing);
  connect(PushButton6, &QPushButton::clicked, this, &MainWindow::browseSecondFile);
  connect(PushButton8, &QPushButton::clicked, this, &MainWindow::openSmallerArea);
  connect(Text1, &QLineEdit::textChanged, this, &MainWindow::rememberFirstPath);
  connect(Text2, &QLineEdit::textChanged, this, &MainWindow::rememberSecondPath);
  Text1->installEventFilter(this);
  Text2->installEventFilter(this);
}

void MainWindow::load() {
  ErrorTrap trap("Form1", "Form_Load", errorBox_);
  trap.at(LoadLine::Look, [&] { applyButtonFaceColours(*this); });
  trap.at(LoadLine::HandCursor, [&] {
    context_.handCursor = handCursor(context_.programFolder);
    useHandCursor();
  });
  trap.at(LoadLine::Caption, [&] { setWindowTitle(kProductName); });
  trap.at(LoadLine::Icon, [&] { setWindowIcon(programIcon()); });
  trap.at(LoadLine::ApplicationTitle, [&] {
    context_.applicationTitle = QString::fromStdString(makeApplicationTitle(kProductName));
  });
  trap.at(LoadLine::FirstPath, [&] {
    Text1->setText(context_.settings.get(kExcelFileKey, context_.programFolder + "/Book1.xls"));
  });
  trap.at(LoadLine::SecondPath, [&] {
    Text2->setText(context_.settings.get(kCompareWithKey, context_.programFolder + "/Book2.xls"));
  });
}

void MainWindow::openProductPage() {
  ErrorTrap trap("Form1", "PushButton1_Click", errorBox_);
  trap.at(SingleStepLine::Only, [&] {
    if (!context_.dialogs.openWebPage(kProductPage))
      tell(QString("No web browser is set up to open %1.").arg(kProductPage));
  });
}

void MainWindow::clearFiles() {
  ErrorTrap trap("Form1", "PushButton2_Click", errorBox_);
  trap.at(BothPathsLine::FirstPath, [&] { Text1->setText(""); });
  trap.at(BothPathsLine::SecondPath, [&] { Text2->setText(""); });
}

void MainWindow::loadSampleFiles() {
  ErrorTrap trap("Form1", "PushButton3_Click", errorBox_);
  trap.at(BothPathsLine::FirstPath,
          [&] { Text1->setText(context_.programFolder + "/Samples/sample1.xls"); });
  trap.at(BothPathsLine::SecondPath,
          [&] { Text2->setText(context_.programFolder + "/Samples/sample2.xls"); });
}

void MainWindow::browseFirstFile() {
  ErrorTrap trap("Form1", "PushButton4_Click", errorBox_);
  trap.at(SingleStepLine::Only, [&] { browseInto(*Text1); });
}

void MainWindow::browseSecondFile() {
  ErrorTrap trap("Form1", "PushButton6_Click", errorBox_);
  trap.at(SingleStepLine::Only, [&] { browseInto(*Text2); });
}

void MainWindow::browseInto(QLineEdit& box) {
  const QString chosen = context_.dialogs.openFile(this, "Select Excel File", kFileFilters);
  if (!chosen.isEmpty()) box.setText(chosen);
}

void MainWindow::startComparing() {
  ErrorTrap trap("Form1", startProcedure(), errorBox_);
  if (runner().isRunning()) return;
  trap.line(StartComparingLine::FilesExist);
  // Both paths are tested before either result is looked at, so both missing are named.
  QStringList missing;
  if (!fileExists(pathOf(*Text1))) missing << missingFileLine(*Frame1, *Text1);
  if (!fileExists(pathOf(*Text2))) missing << missingFileLine(*Frame2, *Text2);
  if (!missing.isEmpty()) {
    tell("File does not exist.\n\n" + missing.join("\n"));
    return;
  }
  trap.line(StartComparingLine::FilesNamed);
  if (Text1->text().trimmed().isEmpty() || Text2->text().trimmed().isEmpty()) {
    tell("Please input excel file to compare and to compare with.");
    return;
  }
  if (const QString problem = storedComparisonOptions(context_.settings).problem;
      !problem.isEmpty()) {
    tell(problem);
    return;
  }
  trap.at(StartComparingLine::Start, [&] {
    setStartButtonsEnabled(false);
    runner().start(request(), "Form1", startProcedure());
  });
}

ComparisonRequest MainWindow::request() const {
  ComparisonRequest request;
  request.path1 = pathOf(*Text1);
  request.path2 = pathOf(*Text2);
  request.options = storedComparisonOptions(context_.settings).options;
  return request;
}

void MainWindow::openFiles(const QStringList& paths) {
  ErrorTrap trap("Form1", "openFiles", errorBox_);
  trap.at(OpenFilesLine::FillPaths, [&] {
    if (paths.size() > 0) Text1->setText(paths[0]);
    if (paths.size() > 1) Text2->setText(paths[1]);
  });
  trap.line(OpenFilesLine::FilesExist);
  QStringList missing;
  if (paths.size() > 0 && !fileExists(pathOf(*Text1))) missing << missingFileLine(*Frame1, *Text1);
  if (paths.size() > 1 && !fileExists(pathOf(*Text2))) missing << missingFileLine(*Frame2, *Text2);
  if (!missing.isEmpty()) {
    tell("File does not exist.\n\n" + missing.join("\n"));
    return;
  }
  if (paths.size() == 2) startComparing();
}

void MainWindow::openSmallerArea() {
  ErrorTrap trap("Form1", "PushButton8_Click", errorBox_);
  trap.line(SmallerAreaLine::FirstFileExists);
  if (!fileExists(pathOf(*Text1))) {
    tell("Please select valid File #1.");
    return;
  }
  trap.line(SmallerAreaLine::SecondFileExists);
  if (!fileExists(pathOf(*Text2))) {
    tell("Please select valid File #2.");
    return;
  }
  // Without a smaller-area window the main window stays, so the user is never left
  // without one.
  if (!context_.showSmallerArea) return;
  {
    BusyCursor busy;
    trap.at(SmallerAreaLine::ShowSmallerArea, [&] { context_.showSmallerArea(); });
  }
  trap.at(SmallerAreaLine::HideWindow, [&] { hide(); });
}

void MainWindow::rememberFirstPath() {
  context_.settings.save(kExcelFileKey, Text1->text());
}

void MainWindow::rememberSecondPath() {
  context_.settings.save(kCompareWithKey, Text2->text());
}

void MainWindow::setStartButtonsEnabled(bool enabled) {
  PushButton5->setEnabled(enabled);
  PushButton8->setEnabled(enabled);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // A box that gets the focus selects its whole text; deferred so that the click which
  // gave the focus does not clear the selection again.
  if (event->type() == QEvent::FocusIn) {
    if (auto* box = qobject_cast<QLineEdit*>(watched))
      QTimer::singleShot(0, box, &QLineEdit::selectAll);
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quill
