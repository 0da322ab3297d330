#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <functional>
#include <memory>

#include "recording_dialogs.h"
#include "sheet/stored_workbook.h"
#include "shell/settings_store.h"
#include "ui/main_window.h"
#include "ui/program_context.h"
#include "ui/program_windows.h"
#include "ui/results_window.h"

namespace quill::test {

// Waits, running the event loop, until the condition holds; false after the timeout.
template <class Condition>
bool waitFor(Condition condition, int milliseconds = 15000) {
  return QTest::qWaitFor(condition, milliseconds);
}

// Runs a script in a page and waits for its result.
inline QVariant runScript(QWebEnginePage& page, const QString& script) {
  QVariant result;
  bool done = false;
  page.runJavaScript(script, [&](const QVariant& value) {
    result = value;
    done = true;
  });
  waitFor([&] { return done; });
  return result;
}

// Fills an in-memory workbook; openers build a fresh workbook from it on each opening, as
// reading the file again would.
using BookRecipe = std::function<void(StoredWorkbook&)>;

inline std::unique_ptr<Workbook> bookFrom(const BookRecipe& recipe) {
  auto book = std::make_unique<StoredWorkbook>();
  recipe(*book);
  book->finish();
  return book;
}

// Opens the session over fresh workbooks built from the two recipes.
inline void openBooks(SpreadsheetSession& session, const BookRecipe& first,
                      const BookRecipe& second) {
  session.first = bookFrom(first);
  session.second = bookFrom(second);
}

// The program's windows over a temporary program folder and an empty settings store,
// with dialogs answered by the test and workbooks held in memory.
class WindowsTest : public testing::Test {
 protected:
  void SetUp() override {
    QSettings("Marrowfen", "Quillmere").clear();
    ASSERT_TRUE(folder_.isValid());
    programFolder = folder_.path();
    startProgram();
  }

  void TearDown() override { windows.reset(); }

  // Creates the windows as a new run of the program does and loads the main window.
  void startProgram() {
    windows.reset();
    context =
        std::make_unique<ProgramContext>(dialogs, settings, programFolder, programFolder + "/temp");
    context->openSession = [this](SpreadsheetSession& session, const std::string&,
                                  const std::string&, ErrorBox&, const ReadOptions&) {
      ++sessionsOpened;
      openBooks(session, fillBook1, fillBook2);
    };
    windows = std::make_unique<ProgramWindows>(*context);
    mainWindow().load();
    mainWindow().show();
  }

  // Two workbooks of one sheet, 40 rows by 6 columns, that differ in E30.
  static void fillBook(StoredWorkbook& book, bool changed) {
    StoredSheet& sheet = book.addSheet("My Sheet");
    for (long row = 1; row <= 40; ++row) {
      for (long column = 1; column <= 6; ++column) {
        const std::string text = std::to_string(row * column);
        sheet.add(row, column, changed && row == 30 && column == 5 ? "changed" : text);
      }
    }
  }
  const BookRecipe fillBook1 = [](StoredWorkbook& book) { fillBook(book, false); };
  const BookRecipe fillBook2 = [](StoredWorkbook& book) { fillBook(book, true); };

  QString makeFile(const QString& name) {
    QFile file(programFolder + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    return file.fileName();
  }

  MainWindow& mainWindow() { return windows->mainWindow(); }
  ResultsWindow& resultsWindow() { return windows->resultsWindow(); }

  static QPushButton& button(QWidget& window, const char* name) {
    auto* found = window.findChild<QPushButton*>(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  static QLineEdit& box(QWidget& window, const char* name) {
    auto* found = window.findChild<QLineEdit*>(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }

  // Names two existing files in the main window.
  void nameExistingFiles() {
    box(mainWindow(), "Text1").setText(makeFile("one.xlsx"));
    box(mainWindow(), "Text2").setText(makeFile("two.xlsx"));
  }

  // Every opening of the two files fails with "cannot open".
  void failEveryOpening() {
    context->openSession = [](SpreadsheetSession&, const std::string&, const std::string&,
                              ErrorBox& box, const ReadOptions&) { box.show("cannot open"); };
  }

  // Compares two existing files from the main window, keeps the temporary documents as
  // they were when the results window appeared, and waits until the views have loaded.
  void compareToResults() {
    nameExistingFiles();
    button(mainWindow(), "PushButton5").click();
    ASSERT_TRUE(waitFor([&] { return windows->hasResultsWindow() && resultsWindow().isVisible(); }))
        << dialogs.errors.join("\n").toStdString();
    shownReport = readAll(context->temporaryFolder + "/report.htm");
    shownGrid = readAll(context->temporaryFolder + "/visualized.htm");
    ASSERT_TRUE(waitFor([&] { return !resultsWindow().isLoading(); }));
  }

  static QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  RecordingDialogs dialogs;
  SettingsStore settings;
  QString programFolder;
  int sessionsOpened = 0;
  QByteArray shownReport, shownGrid;
  std::unique_ptr<ProgramContext> context;
  std::unique_ptr<ProgramWindows> windows;

 private:
  QTemporaryDir folder_;
};

}  // namespace quill::test
