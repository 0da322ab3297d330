#include "screenshot_driver.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWebEngineView>

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

// Follows the first link of the difference list, so that the grid shows a marked cell.
void followFirstLink(ResultsWindow& results) {
  results.activateWindow();
  results.reportView().page()->runJavaScript(
      "var link = document.querySelector('a[target=Visualized]'); if (link) link.click();");
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

}  // namespace

void driveScreenshots(ProgramWindows& windows, const QString& folder) {
  QDir().mkpath(folder);
  QTimer::singleShot(kGiveUpMilliseconds, [] { QCoreApplication::exit(1); });
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
