#include "ui/main_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "base/file_utils.h"
#include "shell/app_title.h"
#include "shell/desktop.h"
#include "shell/look.h"
#include "shell/settings_store.h"
#include "shell/shell_dialogs.h"
#include "ui/comparison_runner.h"
#include "ui/path_drops.h"
#include "ui/program_context.h"
#include "ui/program_icon.h"
#include "ui/program_windows.h"
#include "ui/window_placement.h"

namespace quill {

namespace {

constexpr const char* kProductName = "Quillmere";
constexpr QSize kClientTwips(8040, 4470);
constexpr Stretch kFullWidth{0, 0, 1, 0};
constexpr Stretch kRightEdge{1, 0, 0, 0};
const QString kFileFilters =
    "All Excel Files (*.xl*);;All Workbooks (*.xl* *.ods *.csv);;All Files (*)";

std::string pathOf(const QLineEdit& box) {
  return box.text().toStdString();
}

}  // namespace

MainWindow::MainWindow(ProgramContext& context, ProgramWindows& windows)
    : context_(context),
      windows_(windows),
      errorBox_(*this, context.dialogs),
      layout_(*this, kClientTwips) {
  setObjectName("Form1");
  createControls();
  resize(layout_.designedSize());
  new WindowPlacement(*this, context_.settings, "Main Window Placement");
  new PathDrops(*this, *Text1, *Text2);
  runner_ = new ComparisonRunner(*this, context_, *ProgressBar1);
  connect(runner_, &ComparisonRunner::finished, this, &MainWindow::comparisonFinished);
}

MainWindow::~MainWindow() {
  stopComparison();
}

QPushButton* MainWindow::addButton(QWidget* parent, const char* name, const QString& caption,
                                   QRect twips, Stretch stretch) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  layout_.place(*button, twips, stretch);
  return button;
}

void MainWindow::createControls() {
  PushButton3 = addButton(this, "PushButton3", "Load Sample/Example Files",
                          QRect(120, 120, 3840, 405), {0, 0, 0.5, 0});
  PushButton2 =
      addButton(this, "PushButton2", "Clear Files", QRect(4080, 120, 3840, 405), {0.5, 0, 0.5, 0});
  Frame1 = new QGroupBox("Excel File #1", this);
  Frame1->setObjectName("Frame1");
  layout_.place(*Frame1, QRect(120, 600, 7800, 825), kFullWidth);
  Text1 = new QLineEdit(Frame1);
  Text1->setObjectName("Text1");
  layout_.place(*Text1, QRect(240, 300, 6600, 345), kFullWidth);
  PushButton4 = addButton(Frame1, "PushButton4", "...", QRect(6960, 300, 600, 345), kRightEdge);
  Frame2 = new QGroupBox("Excel File #2", this);
  Frame2->setObjectName("Frame2");
  layout_.place(*Frame2, QRect(120, 1470, 7800, 825), kFullWidth);
  Text2 = new QLineEdit(Frame2);
  Text2->setObjectName("Text2");
  layout_.place(*Text2, QRect(240, 300, 6600, 345), kFullWidth);
  PushButton6 = addButton(Frame2, "PushButton6", "...", QRect(6960, 300, 600, 345), kRightEdge);
  PushButton5 =
      addButton(this, "PushButton5", "Start Comparing", QRect(120, 2410, 7800, 405), kFullWidth);
  PushButton8 = addButton(this, "PushButton8", "Optional: Select Smaller Area",
                          QRect(120, 2920, 7800, 405), kFullWidth);
  PushButton1 =
      addButton(this, "PushButton1", kProductName, QRect(120, 3430, 7800, 405), kFullWidth);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setValue(0);
  layout_.place(*ProgressBar1, QRect(120, 3940, 7800, 405), kFullWidth);

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

bool MainWindow::load() {
  ErrorTrap trap("Form1", "Form_Load", errorBox_);
  trap.at(100, [&] { applyButtonFaceColours(*this); });
  trap.at(102, [&] {
    context_.handCursor = handCursor(context_.programFolder);
    for (QPushButton* button : findChildren<QPushButton*>()) button->setCursor(context_.handCursor);
  });
  trap.at(104, [&] { setWindowTitle(kProductName); });
  trap.at(106, [&] { setWindowIcon(programIcon()); });
  trap.at(108, [&] {
    context_.applicationTitle = QString::fromStdString(makeApplicationTitle(kProductName));
  });
  trap.at(110, [&] {
    Text1->setText(context_.settings.get(kExcelFileKey, context_.programFolder + "/Book1.xls"));
  });
  trap.at(112, [&] {
    Text2->setText(context_.settings.get(kCompareWithKey, context_.programFolder + "/Book2.xls"));
  });
  trap.line(114);
  if (checkSpreadsheetAvailable()) return true;
  tell("Workbooks cannot be read: the workbook readers are missing from this program.");
  return false;
}

void MainWindow::openProductPage() {
  ErrorTrap trap("Form1", "PushButton1_Click", errorBox_);
  trap.at(100, [&] { context_.dialogs.openWebPage(kProductPage); });
}

void MainWindow::clearFiles() {
  ErrorTrap trap("Form1", "PushButton2_Click", errorBox_);
  trap.at(100, [&] { Text1->setText(""); });
  trap.at(102, [&] { Text2->setText(""); });
}

void MainWindow::loadSampleFiles() {
  ErrorTrap trap("Form1", "PushButton3_Click", errorBox_);
  trap.at(100, [&] { Text1->setText(context_.programFolder + "/Samples/sample1.xls"); });
  trap.at(102, [&] { Text2->setText(context_.programFolder + "/Samples/sample2.xls"); });
}

void MainWindow::browseFirstFile() {
  ErrorTrap trap("Form1", "PushButton4_Click", errorBox_);
  trap.at(100, [&] { browseInto(*Text1); });
}

void MainWindow::browseSecondFile() {
  ErrorTrap trap("Form1", "PushButton6_Click", errorBox_);
  trap.at(100, [&] { browseInto(*Text2); });
}

void MainWindow::browseInto(QLineEdit& box) {
  const QString chosen = context_.dialogs.openFile(this, "Select Excel File", kFileFilters);
  if (!chosen.isEmpty()) box.setText(chosen);
}

void MainWindow::startComparing() {
  ErrorTrap trap("Form1", "PushButton5_Click", errorBox_);
  if (runner_->isRunning()) return;
  trap.line(100);
  const bool exists1 = fileExists(pathOf(*Text1));
  const bool exists2 = fileExists(pathOf(*Text2));
  if (!exists1 || !exists2) {
    tell("File does not exist.");
    return;
  }
  trap.line(102);
  if (Text1->text().trimmed().isEmpty() || Text2->text().trimmed().isEmpty()) {
    tell("Please input excel file to compare and to compare with.");
    return;
  }
  trap.at(104, [&] {
    ComparisonRequest request;
    request.Text1 = pathOf(*Text1);
    request.Text2 = pathOf(*Text2);
    setStartButtonsEnabled(false);
    runner_->start(request, "Form1", "PushButton5_Click");
  });
}

void MainWindow::openFiles(const QStringList& paths) {
  ErrorTrap trap("Form1", "openFiles", errorBox_);
  trap.at(100, [&] {
    if (paths.size() > 0) Text1->setText(paths[0]);
    if (paths.size() > 1) Text2->setText(paths[1]);
  });
  QStringList missing;
  for (const QString& path : paths)
    if (!fileExists(path.toStdString())) missing << "File does not exist: " + path;
  if (!missing.isEmpty()) {
    tell(missing.join('\n'));
    return;
  }
  if (paths.size() == 2) startComparing();
}

void MainWindow::comparisonFinished(const ComparisonOutcome& outcome, bool cancelled) {
  setStartButtonsEnabled(true);
  // A comparison that wrote no documents has reported why; older documents are not shown.
  if (cancelled || !outcome.documentsWritten) return;
  ErrorTrap trap("Form1", "PushButton5_Click", errorBox_);
  trap.at(108, [&] { context_.callerWindow = "Form1"; });
  trap.at(110, [&] { windows_.showResults(); });
  trap.at(112, [&] { hide(); });
}

void MainWindow::openSmallerArea() {
  ErrorTrap trap("Form1", "PushButton8_Click", errorBox_);
  trap.line(100);
  if (!fileExists(pathOf(*Text1))) {
    tell("Please select valid File #1.");
    return;
  }
  trap.line(102);
  if (!fileExists(pathOf(*Text2))) {
    tell("Please select valid File #2.");
    return;
  }
  // Without a smaller-area window the main window stays, so the user is never left
  // without one.
  if (!context_.showSmallerArea) return;
  BusyCursor busy;
  trap.at(106, [&] { context_.showSmallerArea(); });
  trap.at(108, [&] { hide(); });
}

void MainWindow::rememberFirstPath() {
  context_.settings.save(kExcelFileKey, Text1->text());
}

void MainWindow::rememberSecondPath() {
  context_.settings.save(kCompareWithKey, Text2->text());
}

void MainWindow::tell(const QString& text) {
  context_.dialogs.message(this, context_.applicationTitle, text);
}

void MainWindow::setStartButtonsEnabled(bool enabled) {
  PushButton5->setEnabled(enabled);
  PushButton8->setEnabled(enabled);
}

void MainWindow::stopComparison() {
  runner_->cancelAndWait();
}

bool MainWindow::isComparing() const {
  return runner_->isRunning();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  ErrorTrap trap("Form1", "Form_QueryUnload", errorBox_);
  trap.at(100, [&] { windows_.endProgram(); });
  event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layout_.apply();
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
