#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "ui/path_drops.h"
#include "windows_fixture.h"

namespace quill::test {
namespace {

using MainWindowFilesTest = WindowsTest;

// Sends a drag of these files over a widget and drops it there, as the desktop does;
// answers whether the drop was taken.
bool dropFiles(QWidget& target, const QStringList& files) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& file : files) urls << QUrl::fromLocalFile(file);
  data.setUrls(urls);
  const QPoint centre = target.rect().center();
  QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &drop);
  return drop.isAccepted();
}

TEST_F(MainWindowFilesTest, TwoFilesOnTheCommandLineFillBothBoxesAndStartComparing) {
  const QString one = makeFile("one.xlsx");
  const QString two = makeFile("two.xlsx");
  mainWindow().openFiles({one, two});
  ASSERT_TRUE(waitFor([&] { return windows->hasResultsWindow() && resultsWindow().isVisible(); }))
      << dialogs.errors.join("\n").toStdString();
  EXPECT_EQ(sessionsOpened, 1);
  EXPECT_FALSE(mainWindow().isVisible());
  EXPECT_EQ(box(mainWindow(), "Text1").text(), one);
  EXPECT_EQ(box(mainWindow(), "Text2").text(), two);
  EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowFilesTest, OneFileFillsTheFirstBoxAndMissingFilesAreNamed) {
  const QString one = makeFile("one.xlsx");
  box(mainWindow(), "Text2").setText("/kept/as/it/was.xlsx");
  mainWindow().openFiles({one});
  EXPECT_EQ(box(mainWindow(), "Text1").text(), one);
  EXPECT_EQ(box(mainWindow(), "Text2").text(), "/kept/as/it/was.xlsx");
  EXPECT_TRUE(dialogs.messages.isEmpty());

  // Both boxes show what was asked for, so that the user can mend the wrong path; nothing
  // starts, and the message names each missing file.
  const QString missing = programFolder + "/no such.xlsx";
  mainWindow().openFiles({missing, one});
  EXPECT_EQ(box(mainWindow(), "Text1").text(), missing);
  EXPECT_EQ(box(mainWindow(), "Text2").text(), one);
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_EQ(dialogs.messages[0], "File does not exist.\n\nExcel File #1: \"" + missing + "\"");
  QTest::qWait(0);
  EXPECT_EQ(sessionsOpened, 0);
  EXPECT_FALSE(windows->resultsShown());
}

TEST_F(MainWindowFilesTest, DroppedFilesFillThePathBoxes) {
  const QString one = makeFile("one.xlsx");
  const QString two = makeFile("two.ods");
  QLineEdit& first = box(mainWindow(), "Text1");
  QLineEdit& second = box(mainWindow(), "Text2");

  ASSERT_TRUE(dropFiles(mainWindow(), {one, two}));
  EXPECT_EQ(first.text(), one);
  EXPECT_EQ(second.text(), two);
  EXPECT_EQ(settings.get(kCompareWithKey, ""), two);

  // One file fills the box it lands on, or the first one when dropped elsewhere.
  ASSERT_TRUE(dropFiles(second, {one}));
  EXPECT_EQ(second.text(), one);
  EXPECT_EQ(first.text(), one);
  ASSERT_TRUE(dropFiles(button(mainWindow(), "PushButton5"), {two}));
  EXPECT_EQ(first.text(), two);

  // Three files, or anything that is not a local file, are refused and change nothing.
  EXPECT_FALSE(dropFiles(mainWindow(), {one, two, one}));
  QMimeData web;
  web.setUrls({QUrl("https://example.com/book.xlsx")});
  EXPECT_TRUE(PathDrops::droppedFiles(web).isEmpty());
  EXPECT_EQ(first.text(), two);
  EXPECT_EQ(second.text(), one);
  EXPECT_EQ(sessionsOpened, 0);
}

TEST_F(MainWindowFilesTest, WindowSizesComeBackAtTheNextStart) {
  mainWindow().resize(900, 450);
  ASSERT_NO_FATAL_FAILURE(compareToResults());
  resultsWindow().resize(700, 800);
  button(resultsWindow(), "PushButton8").click();
  mainWindow().close();

  ASSERT_NO_FATAL_FAILURE(startProgram());
  EXPECT_EQ(mainWindow().size(), QSize(900, 450));
  ASSERT_NO_FATAL_FAILURE(compareToResults());
  EXPECT_EQ(resultsWindow().size(), QSize(700, 800));

  // A damaged value leaves the designed size.
  windows.reset();
  settings.save("Main Window Placement", "not a placement");
  ASSERT_NO_FATAL_FAILURE(startProgram());
  EXPECT_NE(mainWindow().size(), QSize(900, 450));
  const int designedHeight = mainWindow().height();

  // A stored height too low for every control, as an older run left it, is raised to the
  // window's own.
  windows.reset();
  QWidget older;
  older.resize(900, designedHeight - 100);
  settings.save("Main Window Placement", QString::fromLatin1(older.saveGeometry().toBase64()));
  ASSERT_NO_FATAL_FAILURE(startProgram());
  EXPECT_EQ(mainWindow().size(), QSize(900, designedHeight));
}

}  // namespace
}  // namespace quill::test
