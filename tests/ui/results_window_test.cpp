#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <cerrno>

#include "report/pending_file.h"
#include "report/root_markup.h"
#include "windows_fixture.h"

namespace quill::test {
namespace {

QByteArray innerMarkup(const QByteArray& document) {
  const std::string_view inner =
      innerRootMarkup(std::string_view(document.constData(), std::size_t(document.size())));
  return QByteArray(inner.data(), qsizetype(inner.size()));
}

class ResultsWindowTest : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(compareToResults());
  }

  QString temporaryDocument(const char* name) { return context->temporaryFolder + "/" + name; }

  // The grid's focused anchor is that cell's, and its cell is marked.
  void expectGridFocusOn(const QString& anchor) {
    QWebEnginePage& grid = *resultsWindow().gridView().page();
    EXPECT_EQ(runScript(grid, "document.activeElement.name").toString(), anchor);
    EXPECT_TRUE(runScript(grid, "document.activeElement.parentElement.style.border")
                    .toString()
                    .contains("red"));
  }
};

TEST_F(ResultsWindowTest, ListLinkFocusesItsGridCell) {
  QSignalSpy shown(&resultsWindow(), &ResultsWindow::cellShown);
  const QVariant clicked =
      runScript(*resultsWindow().reportView().page(),
                "var links = document.querySelectorAll('a[target=Visualized]');"
                "links[0].click(); links.length;");
  EXPECT_EQ(clicked.toInt(), 1);
  ASSERT_TRUE(waitFor([&] { return shown.count() > 0; }));
  EXPECT_EQ(shown[0][0].toString(), "My Sheet!E30");
  EXPECT_TRUE(shown[0][1].toBool());
  expectGridFocusOn("My Sheet!E30");
}

TEST_F(ResultsWindowTest, MouseClickOnAListLinkFocusesItsGridCell) {
  const QVariantList centre =
      runScript(*resultsWindow().reportView().page(),
                "var box = document.querySelector('a[target=Visualized]').getBoundingClientRect();"
                "[box.left + box.width / 2, box.top + box.height / 2];")
          .toList();
  ASSERT_EQ(centre.size(), 2);
  QSignalSpy shown(&resultsWindow(), &ResultsWindow::cellShown);
  QWidget* surface = resultsWindow().reportView().focusProxy();
  ASSERT_NE(surface, nullptr);
  QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(centre[0].toInt(), centre[1].toInt()));
  ASSERT_TRUE(waitFor([&] { return shown.count() > 0; }));
  EXPECT_EQ(shown[0][0].toString(), "My Sheet!E30");
  EXPECT_EQ(runScript(*resultsWindow().gridView().page(), "document.activeElement.name").toString(),
            "My Sheet!E30");
}

TEST_F(ResultsWindowTest, TimerRemovesTheTemporaryDocumentsAndSavingStillWorks) {
  ASSERT_TRUE(shownReport.contains("My Sheet!E30"));
  ASSERT_TRUE(waitFor([&] {
    return !QFile::exists(temporaryDocument("report.htm")) &&
           !QFile::exists(temporaryDocument("visualized.htm"));
  }));

  const QString target = programFolder + "/saved";
  ASSERT_TRUE(QDir().mkpath(target));
  box(resultsWindow(), "Text1").setText(target);
  EXPECT_EQ(settings.get(kOutputFolderKey, "?"), target);
  for (int save = 0; save < 2; ++save) {
    dialogs.messages.clear();
    button(resultsWindow(), "PushButton6").click();
    EXPECT_EQ(dialogs.messages, QStringList{"Done."});
  }
  const QByteArray savedReport = readAll(target + "/report.htm");
  EXPECT_EQ(savedReport, innerMarkup(shownReport));
  EXPECT_TRUE(savedReport.startsWith("<head>"));
  EXPECT_EQ(readAll(target + "/visualized.htm"), innerMarkup(shownGrid));
}

TEST_F(ResultsWindowTest, SavingIntoAMissingFolderWritesNothing) {
  const QString missing = programFolder + "/missing";
  box(resultsWindow(), "Text1").setText(missing + "/");
  button(resultsWindow(), "PushButton6").click();
  EXPECT_EQ(dialogs.messages, QStringList{"Folder does not exist. Please select another folder."});
  EXPECT_FALSE(QFile::exists(missing));

  dialogs.messages.clear();
  box(resultsWindow(), "Text1").setText(makeFile("a-file"));
  button(resultsWindow(), "PushButton6").click();
  EXPECT_EQ(dialogs.messages, QStringList{"Folder does not exist. Please select another folder."});
}

TEST_F(ResultsWindowTest, SavingIntoAReadOnlyFolderReportsOnceAndNotDone) {
  QString readOnly = programFolder + "/read-only";
  ASSERT_TRUE(QDir().mkpath(readOnly));
  ::chmod(readOnly.toLocal8Bit().constData(), 0555);
  // The superuser writes anywhere; /proc takes no new files from anyone.
  if (::access(readOnly.toLocal8Bit().constData(), W_OK) == 0) readOnly = "/proc";
  box(resultsWindow(), "Text1").setText(readOnly);
  button(resultsWindow(), "PushButton6").click();
  EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("|").toStdString();
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_TRUE(dialogs.errors[0].contains("Form3.PushButton6_Click at line 102"));
  ::chmod((programFolder + "/read-only").toLocal8Bit().constData(), 0755);
}

TEST_F(ResultsWindowTest, AFailureOnTheGridKeepsTheOldPairWithOneMessage) {
  const QString target = programFolder + "/full";
  ASSERT_TRUE(QDir().mkpath(target));
  for (const char* name : {"report.htm", "visualized.htm"}) {
    QFile old(target + "/" + name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  box(resultsWindow(), "Text1").setText(target);
  // The disk fills up once the report is written.
  const std::size_t room = std::size_t(innerMarkup(shownReport).size());
  std::size_t taken = 0;
  WriteCallOverride full([&](int fd, const void* data, std::size_t size) -> ssize_t {
    if (taken + size > room) {
      errno = ENOSPC;
      return -1;
    }
    taken += size;
    return ::write(fd, data, size);
  });
  button(resultsWindow(), "PushButton6").click();
  EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("|").toStdString();
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_TRUE(dialogs.errors[0].contains("visualized.htm"));
  EXPECT_EQ(readAll(target + "/report.htm"), "old");
  EXPECT_EQ(readAll(target + "/visualized.htm"), "old");
  EXPECT_EQ(QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
            2);
}

TEST_F(ResultsWindowTest, FolderPickerStartsAtTheLastPickAndCancelChangesNothing) {
  settings.save(kLastFolderKey, "/last/pick");
  box(resultsWindow(), "Text1").setText("/kept/");
  dialogs.folderAnswer = "";
  button(resultsWindow(), "PushButton7").click();
  EXPECT_EQ(dialogs.pickFolderTitle, "Please select folder:");
  EXPECT_EQ(dialogs.pickFolderStart, "/last/pick");
  EXPECT_EQ(box(resultsWindow(), "Text1").text(), "/kept/");
  EXPECT_EQ(settings.get(kLastFolderKey, "?"), "/last/pick");
  EXPECT_EQ(settings.get(kOutputFolderKey, "?"), "/kept/");

  dialogs.folderAnswer = "/new/pick";
  button(resultsWindow(), "PushButton7").click();
  EXPECT_EQ(box(resultsWindow(), "Text1").text(), "/new/pick/");
  EXPECT_EQ(settings.get(kLastFolderKey, "?"), "/new/pick");
  EXPECT_EQ(settings.get(kOutputFolderKey, "?"), "/new/pick/");

  dialogs.folderAnswer = "/";
  button(resultsWindow(), "PushButton7").click();
  EXPECT_EQ(box(resultsWindow(), "Text1").text(), "/");
}

TEST_F(ResultsWindowTest, SecondComparisonReusesTheWindowAndKeepsItsDocuments) {
  ASSERT_TRUE(waitFor([&] { return !QFile::exists(temporaryDocument("report.htm")); }));
  ResultsWindow* first = &resultsWindow();
  button(resultsWindow(), "PushButton8").click();
  ASSERT_NO_FATAL_FAILURE(compareToResults());
  EXPECT_EQ(&resultsWindow(), first);
  // The clean-up runs once, for the first documents: nothing is left to remove these.
  const auto* cleanUp = resultsWindow().findChild<QTimer*>("Timer1");
  ASSERT_NE(cleanUp, nullptr);
  EXPECT_FALSE(cleanUp->isActive());
  EXPECT_TRUE(QFile::exists(temporaryDocument("report.htm")));
}

// The clean-up removes the first comparison's documents only: a comparison that ends
// before it runs keeps its own, which the window shows and saves.
TEST_F(ResultsWindowTest, CleanUpLeavesTheDocumentsOfAComparisonThatEndedBeforeIt) {
  button(resultsWindow(), "PushButton8").click();
  ASSERT_NO_FATAL_FAILURE(compareToResults());
  const auto* cleanUp = resultsWindow().findChild<QTimer*>("Timer1");
  ASSERT_NE(cleanUp, nullptr);
  ASSERT_TRUE(waitFor([&] { return !cleanUp->isActive(); }));
  EXPECT_EQ(readAll(temporaryDocument("report.htm")), shownReport);
  EXPECT_EQ(readAll(temporaryDocument("visualized.htm")), shownGrid);
}

// Pages of about 2,000 bytes cut the 40-row grid into several pages.
class PagedResultsTest : public ResultsWindowTest {
 protected:
  void SetUp() override {
    ResultsWindowTest::SetUp();
    resultsWindow().setGridPageBytes(2000);
    button(resultsWindow(), "PushButton8").click();
    ASSERT_NO_FATAL_FAILURE(compareToResults());
    ASSERT_GT(resultsWindow().gridPageCount(), 3u);
  }

  QString gridText() {
    return runScript(*resultsWindow().gridView().page(), "document.body.innerText").toString();
  }

  bool gridShows(const QString& text) {
    return waitFor([&] { return gridText().contains(text); });
  }
};

TEST_F(PagedResultsTest, ListLinkToACellOnALaterPageLoadsThatPageAndFocusesTheCell) {
  const QString pages = QString::number(resultsWindow().gridPageCount());
  ASSERT_TRUE(gridShows("(page 1 of " + pages + ")"));
  EXPECT_TRUE(gridShows("Rows 1 to "));
  EXPECT_EQ(runScript(*resultsWindow().gridView().page(),
                      "document.getElementsByName('My Sheet!E30').length")
                .toInt(),
            0);

  runScript(*resultsWindow().gridView().page(), "window.loadedOnce = 'yes';");
  QSignalSpy shown(&resultsWindow(), &ResultsWindow::cellShown);
  runScript(*resultsWindow().reportView().page(),
            "document.querySelector('a[target=Visualized]').click();");
  ASSERT_TRUE(waitFor([&] { return shown.count() > 0; }));
  EXPECT_EQ(runScript(*resultsWindow().gridView().page(), "window.loadedOnce").toString(), "yes");
  EXPECT_EQ(shown[0][0].toString(), "My Sheet!E30");
  EXPECT_TRUE(shown[0][1].toBool());
  EXPECT_FALSE(gridText().contains("(page 1 of "));
  expectGridFocusOn("My Sheet!E30");
}

TEST_F(PagedResultsTest, PageLinksStepThroughThePagesAndSavingWritesTheWholeGrid) {
  const QString pages = QString::number(resultsWindow().gridPageCount());
  ASSERT_TRUE(gridShows("(page 1 of " + pages + ")"));
  // Later pages are put in place of the first one: the page loaded keeps what a script left.
  runScript(*resultsWindow().gridView().page(), "window.loadedOnce = 'yes';");
  const QString clickLink = "[...document.links].find(a => a.textContent.includes('%1')).click();";
  runScript(*resultsWindow().gridView().page(), clickLink.arg("next page"));
  ASSERT_TRUE(gridShows("(page 2 of " + pages + ")"));
  runScript(*resultsWindow().gridView().page(), clickLink.arg("next page"));
  ASSERT_TRUE(gridShows("(page 3 of " + pages + ")"));
  runScript(*resultsWindow().gridView().page(), clickLink.arg("previous page"));
  ASSERT_TRUE(gridShows("(page 2 of " + pages + ")"));
  EXPECT_EQ(resultsWindow().shownGridPage(), 1u);
  EXPECT_EQ(runScript(*resultsWindow().gridView().page(), "window.loadedOnce").toString(), "yes");
  EXPECT_EQ(runScript(*resultsWindow().gridView().page(), "window.scrollY").toInt(), 0);

  const QString target = programFolder + "/saved";
  ASSERT_TRUE(QDir().mkpath(target));
  box(resultsWindow(), "Text1").setText(target);
  button(resultsWindow(), "PushButton6").click();
  EXPECT_EQ(dialogs.messages, QStringList{"Done."});
  EXPECT_EQ(readAll(target + "/visualized.htm"), innerMarkup(shownGrid));
}

// The window pages only from the index the writer recorded; documents handed over without
// one are shown whole, however small the pages asked for.
TEST_F(PagedResultsTest, DocumentsShownWithoutTheirWritersIndexAreShownWhole) {
  QTemporaryDir folder;
  for (const auto& [name, bytes] :
       {std::pair{"report.htm", shownReport}, {"visualized.htm", shownGrid}}) {
    QFile file(folder.path() + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  resultsWindow().setListPageBytes(100);
  resultsWindow().showDocuments(folder.path());
  EXPECT_EQ(resultsWindow().gridPageCount(), 0u);
  EXPECT_EQ(resultsWindow().listPageCount(), 0u);
  ASSERT_TRUE(waitFor([&] { return !resultsWindow().isLoading(); }));
  EXPECT_FALSE(gridText().contains("(page ")) << gridText().toStdString();
  EXPECT_TRUE(gridText().contains("40"));
}

TEST_F(ResultsWindowTest, ColumnLettersStayInViewWhileTheGridScrolls) {
  QWebEnginePage& grid = *resultsWindow().gridView().page();
  const QString letterTop =
      "document.querySelector('table tr:first-child td.header:nth-child(2)')"
      ".getBoundingClientRect().top";
  const double before = runScript(grid, letterTop).toDouble();
  runScript(grid, "window.scrollTo(0, document.body.scrollHeight);");
  ASSERT_TRUE(waitFor([&] { return runScript(grid, "window.scrollY").toInt() > 0; }));
  const int scrolled = runScript(grid, "window.scrollY").toInt();
  EXPECT_GT(before, 0.0);
  // Scrolled past where it stood, the header row stays at the top of the view.
  EXPECT_GT(scrolled, before);
  EXPECT_NEAR(runScript(grid, letterTop).toDouble(), 0.0, 1.0);
}

TEST_F(ResultsWindowTest, ARendererThatFailsIsToldOnceForBothViews) {
  emit resultsWindow().gridView().page()->renderProcessTerminated(
      QWebEnginePage::CrashedTerminationStatus, 11);
  emit resultsWindow().reportView().page()->renderProcessTerminated(
      QWebEnginePage::CrashedTerminationStatus, 11);
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].startsWith(
      "The results cannot be shown: the web view's renderer process crashed."))
      << dialogs.messages[0].toStdString();
  // A normal end, as when the window goes, is no failure.
  emit resultsWindow().gridView().page()->renderProcessTerminated(
      QWebEnginePage::NormalTerminationStatus, 0);
  EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(ResultsWindowTest, ClosingTheResultsWindowEndsTheProgram) {
  QSignalSpy ending(windows.get(), &ProgramWindows::programEnding);
  resultsWindow().close();
  EXPECT_EQ(ending.count(), 1);
}

}  // namespace
}  // namespace quill::test

namespace quill::test {
namespace {

TEST_F(ResultsWindowTest, ReviewWorkbookIsSavedIntoTheFolderBelow) {
  const QString target = programFolder + "/review";
  ASSERT_TRUE(QDir().mkpath(target));
  box(resultsWindow(), "Text1").setText(target);
  button(resultsWindow(), "SaveReviewWorkbook").click();
  EXPECT_EQ(dialogs.messages, QStringList{"Done."}) << dialogs.errors.join("|").toStdString();
  const QByteArray saved = readAll(target + "/review.xlsx");
  EXPECT_TRUE(saved.startsWith("PK")) << saved.size();
  // Nothing else is left in the folder.
  EXPECT_EQ(QDir(target).entryList(QDir::Hidden | QDir::Files), QStringList{"review.xlsx"});
}

TEST_F(ResultsWindowTest, ReviewWorkbookIntoAMissingFolderWritesNothing) {
  box(resultsWindow(), "Text1").setText(programFolder + "/missing");
  button(resultsWindow(), "SaveReviewWorkbook").click();
  EXPECT_EQ(dialogs.messages, QStringList{"Folder does not exist. Please select another folder."});
  EXPECT_FALSE(QFile::exists(programFolder + "/missing"));
}

}  // namespace
}  // namespace quill::test
