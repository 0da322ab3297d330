#include "screenshot_driver.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineView>
#include <memory>

#include "base/error_trap.h"
#include "engine/comparison.h"
#include "engine/whole_workbook.h"
#include "formats/session.h"
#include "report/html_result_writer.h"
#include "smaller_area_screenshots.h"
#include "ui/main_window.h"
#include "ui/program_windows.h"
#include "ui/results_window.h"

namespace quill {

namespace {

constexpr int kSettleMilliseconds = 1500;
constexpr int kPollMilliseconds = 200;
constexpr int kGiveUpMilliseconds = 120000;

void click(QWidget& window, const char* button) {
  if (auto* found = window.findChild<QPushButton*>(button)) found->click();
}

bool grabInto(QWidget& window, const QString& file) {
  return window.grab().save(file, "PNG");
}

// Steps to the second listed difference as F8 twice does, so that the list shows its chosen
// row and the grid a marked cell.
void followFirstLink(ResultsWindow& results) {
  results.activateWindow();
  results.stepDifference(1);
  results.stepDifference(1);
}

// Waits until the results window is shown and loaded, follows a link, lets the views paint,
// grabs the window and quits.
void grabResultsWhenShown(ProgramWindows& windows, const QString& folder, QElapsedTimer clock) {
  const bool shown = windows.hasResultsWindow() && windows.resultsWindow().isVisible();
  static bool toldShown = false;
  if (shown && !toldShown) {
    toldShown = true;
    qInfo("Results window shown %lld ms after \"Start Comparing\"", clock.elapsed());
  }
  if (!shown || windows.resultsWindow().isLoading()) {
    QTimer::singleShot(kPollMilliseconds,
                       [&windows, folder, clock] { grabResultsWhenShown(windows, folder, clock); });
    return;
  }
  qInfo("Results shown and loaded %lld ms after \"Start Comparing\"", clock.elapsed());
  followFirstLink(windows.resultsWindow());
  QTimer::singleShot(kSettleMilliseconds, [&windows, folder] {
    const bool saved = grabInto(windows.resultsWindow(), folder + "/results-window.png");
    QCoreApplication::exit(saved ? 0 : 1);
  });
}

// Prints the window process's peak resident memory and how much of what it holds now is
// its own (anonymous) and how much mapped files (the documents, which the system may drop).
void printMemory() {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return;
  QStringList lines;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM") || line.startsWith("RssAnon") || line.startsWith("RssFile"))
      lines << QString::fromLatin1(line.simplified());
  }
  qInfo("Window process memory: %s", qPrintable(lines.join(", ")));
}

// Clicks the last difference link on the list's page shown and reports how long its cell
// took to show, then ends the program.
void timeLastLinkOfThePage(ResultsWindow& results) {
  auto* clock = new QElapsedTimer;
  auto connection = std::make_shared<QMetaObject::Connection>();
  *connection = QObject::connect(&results, &ResultsWindow::cellShown, &results,
                                 [clock, connection](const QString& anchor) {
                                   QObject::disconnect(*connection);
                                   qInfo("Cell %s shown %lld ms after its link was clicked",
                                         qPrintable(anchor), clock->elapsed());
                                   delete clock;
                                   printMemory();
                                   QCoreApplication::exit(0);
                                 });
  clock->start();
  results.reportView().page()->runJavaScript(
      "var links = document.querySelectorAll('a[target=Visualized]');"
      "links[links.length - 1].click();");
}

// Prints what goes wrong while the documents are written.
class PrintedErrors final : public ErrorBox {
 public:
  void show(const std::string& text) override { qWarning("%s", text.c_str()); }
};

// Compares two files into the folder as "Start Comparing" does, with the index of the
// documents the results window pages by; an empty index when the comparison fails.
std::shared_ptr<const DocumentIndex> compareInto(const QString& folder, const QString& file1,
                                                 const QString& file2) {
  auto index = std::make_shared<DocumentIndex>();
  PrintedErrors box;
  SpreadsheetSession session;
  try {
    openWorkbookPair(session, file1.toStdString(), file2.toStdString(), box);
    ComparisonRequest request;
    request.path1 = file1.toStdString();
    request.path2 = file2.toStdString();
    HtmlResultWriter documents(folder.toStdString(), index.get());
    NoProgress progress;
    ComparisonContext run{request, session, documents, progress, box, {}};
    compareWholeWorkbooks(run);
  } catch (const std::exception& e) {
    qWarning("The documents could not be written: %s", e.what());
  }
  closeSession(session);
  return index;
}

// Shows documents already written in a folder and reports how long the list and the first
// page of the grid took to load and a link's cell to show.
void timeResultsWindow(ProgramWindows& windows, const QString& documents) {
  ResultsWindow& results = windows.resultsWindow();
  // Other page sizes, to see how they load.
  if (const qsizetype bytes = qEnvironmentVariableIntValue("QUILLMERE_GRID_PAGE_BYTES"))
    results.setGridPageBytes(std::size_t(bytes));
  if (const qsizetype bytes = qEnvironmentVariableIntValue("QUILLMERE_LIST_PAGE_BYTES"))
    results.setListPageBytes(std::size_t(bytes));
  // The window pages documents by the index their writer recorded: with the two files named,
  // they are written anew here with it, as a comparison of the window writes them.
  const QString file1 = qEnvironmentVariable("QUILLMERE_SCREENSHOT_FILE1");
  const QString file2 = qEnvironmentVariable("QUILLMERE_SCREENSHOT_FILE2");
  std::shared_ptr<const DocumentIndex> index;
  if (!file1.isEmpty() && !file2.isEmpty())
    index = compareInto(documents, file1, file2);
  else
    qWarning("Without QUILLMERE_SCREENSHOT_FILE1 and FILE2 the documents are shown whole");
  QElapsedTimer clock;
  clock.start();
  QObject::connect(&results, &ResultsWindow::documentsLoaded, &results, [&results, clock] {
    const qint64 loaded = clock.elapsed();
    qInfo(
        "List and first grid page loaded %lld ms after the documents were handed over "
        "(list in %zu pages, grid in %zu pages)",
        loaded, results.listPageCount(), results.gridPageCount());
    QTimer::singleShot(kSettleMilliseconds, [&results] { timeLastLinkOfThePage(results); });
  });
  results.showDocuments(documents, index);
  qInfo("Documents read and cut into pages in %lld ms", clock.elapsed());
  results.show();
}

}  // namespace

void driveScreenshots(ProgramWindows& windows, const QString& folder) {
  QDir().mkpath(folder);
  QTimer::singleShot(kGiveUpMilliseconds, [] { QCoreApplication::exit(1); });
  // Documents a comparison wrote already, to time the results window alone.
  const QString documents = qEnvironmentVariable("QUILLMERE_SCREENSHOT_DOCUMENTS");
  if (!documents.isEmpty()) {
    // The results window is made when a comparison starts, which starts its views'
    // renderers while the comparison runs; QUILLMERE_SCREENSHOT_COLD makes it only when the
    // documents are there.
    if (qEnvironmentVariableIsEmpty("QUILLMERE_SCREENSHOT_COLD")) windows.resultsWindow();
    QTimer::singleShot(kSettleMilliseconds,
                       [&windows, documents] { timeResultsWindow(windows, documents); });
    return;
  }
  QTimer::singleShot(kSettleMilliseconds, [&windows, folder] {
    MainWindow& main = windows.mainWindow();
    click(main, "PushButton3");
    QApplication::processEvents();
    if (!grabInto(main, folder + "/main-window.png")) QCoreApplication::exit(1);
    if (!grabSmallerAreaWindows(windows, folder)) QCoreApplication::exit(1);
    // Other files for the results, to see how long large documents take to show.
    const QString file1 = qEnvironmentVariable("QUILLMERE_SCREENSHOT_FILE1");
    const QString file2 = qEnvironmentVariable("QUILLMERE_SCREENSHOT_FILE2");
    if (!file1.isEmpty() && !file2.isEmpty()) {
      main.findChild<QLineEdit*>("Text1")->setText(file1);
      main.findChild<QLineEdit*>("Text2")->setText(file2);
    }
    QElapsedTimer clock;
    clock.start();
    click(main, "PushButton5");
    grabResultsWhenShown(windows, folder, clock);
  });
}

}  // namespace quill
