#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QProgressBar>
#include <QSignalSpy>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stop_token>

#include "windows_fixture.h"

namespace quill::test {
namespace {

using MainWindowTest = WindowsTest;

TEST_F(MainWindowTest, StartComparingChecksBothPathsBeforeAnythingElseAndNamesTheMissing) {
  const QString existing = makeFile("exists.xlsx");
  const QString missing = programFolder + "/missing.xlsx";
  const QString noFolder = programFolder + "/no/such/folder.xlsx";
  struct Case {
    QString text1, text2, named;
  };
  for (const Case& c :
       {Case{"", "", "Excel File #1: \"\"\nExcel File #2: \"\""},
        Case{"   ", "   ", "Excel File #1: \"   \"\nExcel File #2: \"   \""},
        Case{existing, "", "Excel File #2: \"\""}, Case{"", existing, "Excel File #1: \"\""},
        Case{existing, missing, "Excel File #2: \"" + missing + "\""},
        Case{noFolder, existing, "Excel File #1: \"" + noFolder + "\""},
        Case{missing, noFolder,
             "Excel File #1: \"" + missing + "\"\nExcel File #2: \"" + noFolder + "\""}}) {
    dialogs.messages.clear();
    box(mainWindow(), "Text1").setText(c.text1);
    box(mainWindow(), "Text2").setText(c.text2);
    button(mainWindow(), "PushButton5").click();
    EXPECT_EQ(dialogs.messages, QStringList{"File does not exist.\n\n" + c.named})
        << c.text1.toStdString() << " | " << c.text2.toStdString();
  }
  EXPECT_EQ(dialogs.titles.first(), "Quillmere");
  EXPECT_EQ(sessionsOpened, 0);
  EXPECT_FALSE(windows->resultsShown());
}

TEST_F(MainWindowTest, SmallerAreaChecksEachFileInTurnThenHandsOver) {
  const QString existing = makeFile("exists.xlsx");
  const QString missing = programFolder + "/missing.xlsx";
  int shown = 0;
  context->showSmallerArea = [&] { ++shown; };
  struct Case {
    QString text1, text2, message;
  };
  for (const Case& c : {Case{missing, missing, "Please select valid File #1."},
                        Case{"", existing, "Please select valid File #1."},
                        Case{existing, missing, "Please select valid File #2."}}) {
    dialogs.messages.clear();
    box(mainWindow(), "Text1").setText(c.text1);
    box(mainWindow(), "Text2").setText(c.text2);
    button(mainWindow(), "PushButton8").click();
    EXPECT_EQ(dialogs.messages, QStringList{c.message});
  }
  EXPECT_EQ(shown, 0);

  dialogs.messages.clear();
  box(mainWindow(), "Text2").setText(existing);
  button(mainWindow(), "PushButton8").click();
  EXPECT_TRUE(dialogs.messages.isEmpty());
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(mainWindow().isVisible());
}

TEST_F(MainWindowTest, SmallerAreaWithoutItsWindowKeepsTheMainWindow) {
  context->showSmallerArea = nullptr;
  box(mainWindow(), "Text1").setText(makeFile("a.xlsx"));
  box(mainWindow(), "Text2").setText(makeFile("b.xlsx"));
  button(mainWindow(), "PushButton8").click();
  EXPECT_TRUE(dialogs.messages.isEmpty());
  EXPECT_TRUE(mainWindow().isVisible());
}

TEST_F(MainWindowTest, FirstRunShowsTheDefaultPaths) {
  EXPECT_EQ(box(mainWindow(), "Text1").text(), programFolder + "/Book1.xls");
  EXPECT_EQ(box(mainWindow(), "Text2").text(), programFolder + "/Book2.xls");
}

TEST_F(MainWindowTest, SamplesAndClearedPathsComeBackAtTheNextStart) {
  button(mainWindow(), "PushButton3").click();
  EXPECT_EQ(settings.get(kExcelFileKey, "?"), programFolder + "/Samples/sample1.xls");
  EXPECT_EQ(settings.get(kCompareWithKey, "?"), programFolder + "/Samples/sample2.xls");
  startProgram();
  EXPECT_EQ(box(mainWindow(), "Text1").text(), programFolder + "/Samples/sample1.xls");
  EXPECT_EQ(box(mainWindow(), "Text2").text(), programFolder + "/Samples/sample2.xls");

  // The sample files are missing here: the boxes are filled all the same.
  button(mainWindow(), "PushButton5").click();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].startsWith("File does not exist.\n\n"));

  button(mainWindow(), "PushButton2").click();
  EXPECT_EQ(settings.get(kExcelFileKey, "?"), "");
  EXPECT_EQ(settings.get(kCompareWithKey, "?"), "");
  startProgram();
  EXPECT_EQ(box(mainWindow(), "Text1").text(), "");
  EXPECT_EQ(box(mainWindow(), "Text2").text(), "");
}

TEST_F(MainWindowTest, TypedPathsAreStoredAtEveryChange) {
  QTest::keyClicks(&box(mainWindow(), "Text2"), "xy");
  EXPECT_EQ(settings.get(kCompareWithKey, "?"), programFolder + "/Book2.xlsxy");
}

TEST_F(MainWindowTest, BrowsingFillsTheBoxUnlessCancelled) {
  box(mainWindow(), "Text1").setText("kept");
  dialogs.fileAnswer = "";
  button(mainWindow(), "PushButton4").click();
  EXPECT_EQ(box(mainWindow(), "Text1").text(), "kept");
  EXPECT_EQ(settings.get(kExcelFileKey, "?"), "kept");
  EXPECT_EQ(dialogs.openFileTitle, "Select Excel File");
  EXPECT_TRUE(dialogs.openFileFilters.startsWith("All Excel Files (*.xl*);;"));
  EXPECT_TRUE(dialogs.openFileFilters.contains("*.ods"));

  dialogs.fileAnswer = "/data/chosen.xls";
  button(mainWindow(), "PushButton6").click();
  EXPECT_EQ(box(mainWindow(), "Text2").text(), "/data/chosen.xls");
  EXPECT_EQ(settings.get(kCompareWithKey, "?"), "/data/chosen.xls");
}

TEST_F(MainWindowTest, PathBoxSelectsItsWholeTextOnFocus) {
  QLineEdit& path = box(mainWindow(), "Text2");
  path.setText("/some/file.xls");
  path.deselect();
  QApplication::setActiveWindow(&mainWindow());
  path.setFocus(Qt::MouseFocusReason);
  EXPECT_TRUE(waitFor([&] { return path.selectedText() == "/some/file.xls"; }, 2000));
}

TEST_F(MainWindowTest, ProductButtonOpensTheProductPage) {
  button(mainWindow(), "PushButton1").click();
  ASSERT_EQ(dialogs.webPages.size(), 1);
  EXPECT_TRUE(dialogs.webPages[0].endsWith("/quillmere/"));
}

TEST_F(MainWindowTest, ProductButtonSaysWhenNoBrowserTookThePage) {
  dialogs.browserOpens = false;
  button(mainWindow(), "PushButton1").click();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages[0].startsWith("No web browser is set up to open "));
  EXPECT_TRUE(dialogs.messages[0].endsWith("/quillmere/."));
}

TEST_F(MainWindowTest, ANewComparisonStartsWithAnEmptyProgressBarAndEscapeStopsIt) {
  compareToResults();
  auto* progress = mainWindow().findChild<QProgressBar*>("ProgressBar1");
  ASSERT_EQ(progress->value(), progress->maximum());
  button(resultsWindow(), "PushButton8").click();
  ASSERT_TRUE(mainWindow().isVisible());
  std::atomic<bool> reading = false;
  context->openSession = [&](SpreadsheetSession&, const std::string&, const std::string&,
                             ErrorBox& box, const ReadOptions& options) {
    std::mutex mutex;
    std::condition_variable_any never;
    std::unique_lock lock(mutex);
    reading = true;
    std::stop_token stop = options.stop;
    never.wait(lock, stop, [] { return false; });
    stopIfRequested(stop);
    box.show("read to its end");
  };
  button(mainWindow(), "PushButton5").click();
  ASSERT_TRUE(waitFor([&] { return reading.load(); }));
  EXPECT_EQ(progress->value(), progress->minimum());
  mainWindow().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow()));
  QTest::keyClick(&mainWindow(), Qt::Key_Escape);
  ASSERT_TRUE(waitFor([&] { return !mainWindow().isComparing(); }));
  QCoreApplication::processEvents();
  EXPECT_FALSE(windows->resultsShown());
  EXPECT_TRUE(mainWindow().isVisible());
  EXPECT_TRUE(button(mainWindow(), "PushButton5").isEnabled());
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

TEST_F(MainWindowTest, ComparisonShowsResultsAndBackReturns) {
  compareToResults();
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
  EXPECT_EQ(context->callerWindow, "Form1");
  EXPECT_TRUE(resultsWindow().isVisible());
  EXPECT_FALSE(mainWindow().isVisible());
  auto* progress = mainWindow().findChild<QProgressBar*>("ProgressBar1");
  EXPECT_EQ(progress->maximum(), 40);
  EXPECT_EQ(progress->value(), 40);
  EXPECT_FALSE(context->session.isOpen());

  button(resultsWindow(), "PushButton8").click();
  EXPECT_TRUE(mainWindow().isVisible());
  EXPECT_FALSE(resultsWindow().isVisible());
  EXPECT_TRUE(button(mainWindow(), "PushButton5").isEnabled());
}

TEST_F(MainWindowTest, StartButtonsStayDisabledWhileComparing) {
  std::atomic<bool> release = false;
  context->openSession = [&](SpreadsheetSession& session, const std::string&, const std::string&,
                             ErrorBox&, const ReadOptions&) {
    ++sessionsOpened;
    release.wait(false);
    openBooks(session, fillBook1, fillBook2);
  };
  nameExistingFiles();
  button(mainWindow(), "PushButton5").click();
  EXPECT_TRUE(mainWindow().isComparing());
  EXPECT_FALSE(button(mainWindow(), "PushButton5").isEnabled());
  EXPECT_FALSE(button(mainWindow(), "PushButton8").isEnabled());
  QMetaObject::invokeMethod(&mainWindow(), "startComparing");
  release = true;
  release.notify_all();
  ASSERT_TRUE(waitFor([&] { return !mainWindow().isComparing(); }));
  EXPECT_EQ(sessionsOpened, 1);
  EXPECT_TRUE(button(mainWindow(), "PushButton5").isEnabled());
}

TEST_F(MainWindowTest, FailedComparisonShowsNoResults) {
  failEveryOpening();
  nameExistingFiles();
  button(mainWindow(), "PushButton5").click();
  ASSERT_TRUE(waitFor([&] { return !mainWindow().isComparing(); }));
  ASSERT_EQ(dialogs.errors.size(), 2);
  EXPECT_EQ(dialogs.errors[0], "cannot open");
  EXPECT_TRUE(dialogs.errors[1].contains("in Pellinor2021/08/31.Excel1.DoItByFile at line 100"));
  EXPECT_FALSE(windows->resultsShown());
  EXPECT_TRUE(mainWindow().isVisible());
  EXPECT_TRUE(button(mainWindow(), "PushButton5").isEnabled());
}

TEST_F(MainWindowTest, ClosingWhileAnErrorBoxWaitsStopsTheComparison) {
  context->openSession = [](SpreadsheetSession&, const std::string&, const std::string&,
                            ErrorBox& box, const ReadOptions&) { box.show("first failure"); };
  dialogs.onError = [&] { mainWindow().close(); };
  QSignalSpy ending(windows.get(), &ProgramWindows::programEnding);
  nameExistingFiles();
  button(mainWindow(), "PushButton5").click();
  ASSERT_TRUE(waitFor([&] { return !mainWindow().isComparing(); }));
  EXPECT_EQ(ending.count(), 1);
  EXPECT_EQ(dialogs.errors, QStringList{"first failure"});
  EXPECT_FALSE(windows->resultsShown());
}

TEST_F(MainWindowTest, ClosingDuringALongComparisonStopsItCleanly) {
  // Long sheets, so that the comparison is still running when the window closes.
  auto fillBig = [](long column, const char* text) {
    return [column, text](StoredWorkbook& book) {
      StoredSheet& sheet = book.addSheet("Big");
      for (long row = 1; row <= 200000; ++row) sheet.add(row, column, text);
    };
  };
  context->openSession = [&](SpreadsheetSession& session, const std::string&, const std::string&,
                             ErrorBox&, const ReadOptions&) {
    openBooks(session, fillBig(1, "a"), fillBig(5, "b"));
  };
  QSignalSpy ending(windows.get(), &ProgramWindows::programEnding);
  nameExistingFiles();
  button(mainWindow(), "PushButton5").click();
  mainWindow().close();
  EXPECT_FALSE(mainWindow().isComparing());
  EXPECT_EQ(ending.count(), 1);
  EXPECT_FALSE(context->session.isOpen());
  EXPECT_FALSE(QFile::exists(context->temporaryFolder + "/report.htm"));
  // Whatever the stopped comparison left queued runs now, and shows no results.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_FALSE(windows->resultsShown());
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

// The window waits for its comparison when it closes; one still reading its workbooks must
// stop its readers rather than read on (a read that did not stop would keep close() waiting).
TEST_F(MainWindowTest, ClosingWhileTheWorkbooksAreReadStopsTheReaders) {
  std::atomic<bool> reading = false;
  std::atomic<bool> stopSeen = false;
  context->openSession = [&](SpreadsheetSession&, const std::string&, const std::string&,
                             ErrorBox& box, const ReadOptions& options) {
    std::mutex mutex;
    std::condition_variable_any never;
    std::unique_lock lock(mutex);
    reading = true;
    std::stop_token stop = options.stop;
    never.wait(lock, stop, [] { return false; });
    stopSeen = true;
    stopIfRequested(stop);
    box.show("read to its end");
  };
  QSignalSpy ending(windows.get(), &ProgramWindows::programEnding);
  nameExistingFiles();
  button(mainWindow(), "PushButton5").click();
  ASSERT_TRUE(waitFor([&] { return reading.load(); }));
  mainWindow().close();
  EXPECT_TRUE(stopSeen);
  EXPECT_FALSE(mainWindow().isComparing());
  EXPECT_EQ(ending.count(), 1);
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_FALSE(windows->resultsShown());
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

TEST_F(MainWindowTest, PointerIsTheHandOverButtonsAndBusyWhileComparing) {
  EXPECT_EQ(button(mainWindow(), "PushButton5").cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(box(mainWindow(), "Text1").cursor().shape(), Qt::IBeamCursor);
  std::atomic<bool> release = false;
  context->openSession = [&](SpreadsheetSession&, const std::string&, const std::string&, ErrorBox&,
                             const ReadOptions&) { release.wait(false); };
  nameExistingFiles();
  button(mainWindow(), "PushButton5").click();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  release = true;
  release.notify_all();
  ASSERT_TRUE(waitFor([&] { return !mainWindow().isComparing(); }));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, ErrorBoxesShownWhileBusyHaveTheOrdinaryPointer) {
  QList<Qt::CursorShape> pointers;
  dialogs.onError = [&] {
    const QCursor* shown = QApplication::overrideCursor();
    pointers << (shown ? shown->shape() : Qt::ArrowCursor);
  };
  failEveryOpening();
  nameExistingFiles();

  // From the comparison's worker, and from opening the smaller-area window's files.
  button(mainWindow(), "PushButton5").click();
  ASSERT_TRUE(waitFor([&] { return !mainWindow().isComparing(); }));
  ASSERT_EQ(pointers.size(), 2);
  button(mainWindow(), "PushButton8").click();
  ASSERT_TRUE(waitFor([&] { return pointers.size() >= 3; }));
  for (Qt::CursorShape pointer : pointers) EXPECT_EQ(pointer, Qt::ArrowCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, HandCursorFileIsUsedWhenPresent) {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::black);
  QBuffer icon;
  icon.open(QIODevice::WriteOnly);
  ASSERT_TRUE(image.save(&icon, "ICO"));
  // A cursor file is an icon file of type 2 whose entry holds the hot spot.
  QByteArray cursor = icon.data();
  cursor[2] = 2;
  cursor[10] = 6;
  cursor[11] = 0;
  cursor[12] = 1;
  cursor[13] = 0;
  QFile file(programFolder + "/HAND-M.CUR");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(cursor);
  file.close();
  startProgram();
  const QCursor hand = button(mainWindow(), "PushButton3").cursor();
  EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
  EXPECT_EQ(hand.hotSpot(), QPoint(6, 1));
}

TEST_F(MainWindowTest, PathBoxesGrowWithTheWindow) {
  const int boxWidth = box(mainWindow(), "Text1").width();
  const QRect browse = button(mainWindow(), "PushButton4").geometry();
  mainWindow().resize(mainWindow().width() + 100, mainWindow().height() + 40);
  EXPECT_EQ(box(mainWindow(), "Text1").width(), boxWidth + 100);
  EXPECT_EQ(box(mainWindow(), "Text2").width(), boxWidth + 100);
  EXPECT_EQ(button(mainWindow(), "PushButton4").geometry(), browse.translated(100, 0));
}

}  // namespace
}  // namespace quill::test
