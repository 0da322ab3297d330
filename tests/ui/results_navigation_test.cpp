#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QWebEngineView>

#include "report/root_markup.h"
#include "ui/find_bar.h"
#include "windows_fixture.h"

namespace quill::test {
namespace {

constexpr int kDifferences = 10;

// A longer pair than the other window tests use: ten changed cells spread over 300 rows, so
// that with small grid pages most of them lie past the first page.
class ResultsNavigationTest : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    context->openSession = [](SpreadsheetSession& session, const std::string&, const std::string&,
                              ErrorBox&, const ReadOptions&) {
      openBooks(
          session, [](StoredWorkbook& book) { fillLong(book, false); },
          [](StoredWorkbook& book) { fillLong(book, true); });
    };
    ASSERT_NO_FATAL_FAILURE(compareToResults());
    resultsWindow().setGridPageBytes(4000);
    button(resultsWindow(), "PushButton8").click();
    ASSERT_NO_FATAL_FAILURE(compareToResults());
    ASSERT_GT(resultsWindow().gridPageCount(), 3u);
    resultsWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&resultsWindow()));
  }

  // Rows 15, 45, ..., 285 hold one changed cell each, in a column that moves along.
  static long changedColumn(long row) { return row % 30 == 15 ? (row / 30) % 6 + 1 : 0; }
  static QString difference(int index) {
    const long row = 15 + 30L * index;
    return QString("My Sheet!%1%2").arg(QChar(char16_t(u'A' + changedColumn(row) - 1))).arg(row);
  }

  // Presses a key in the results window and waits for the grid to show the cell it leads to.
  QString pressAndWait(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QSignalSpy shown(&resultsWindow(), &ResultsWindow::cellShown);
    QTest::keyClick(&resultsWindow(), key, modifiers);
    if (!waitFor([&] { return shown.count() > 0; })) return "(nothing shown)";
    EXPECT_TRUE(shown.last()[1].toBool()) << shown.last()[0].toString().toStdString();
    return shown.last()[0].toString();
  }

  QVariant inReport(const QString& script) {
    return runScript(*resultsWindow().reportView().page(), script);
  }
  QVariant inGrid(const QString& script) {
    return runScript(*resultsWindow().gridView().page(), script);
  }
  QString focusedGridCell() { return inGrid("document.activeElement.name").toString(); }
  // The text of the list row that is outlined as chosen; "" when none is.
  QString chosenRow() {
    return inReport(
               "var rows = [...document.querySelectorAll('tr')].filter(r => r.style.outline);"
               "rows.length === 1 ? rows[0].innerText : rows.length + ' rows'")
        .toString();
  }

  static void fillLong(StoredWorkbook& book, bool changed) {
    StoredSheet& sheet = book.addSheet("My Sheet");
    for (long row = 1; row <= 300; ++row) {
      for (long column = 1; column <= 6; ++column) {
        const std::string text = std::to_string(row * 7 + column);
        sheet.add(row, column, changed && changedColumn(row) == column ? "changed" : text);
      }
    }
  }
};

TEST_F(ResultsNavigationTest, KeysStepThroughTheListAndShowEachCellPastTheFirstGridPage) {
  EXPECT_EQ(pressAndWait(Qt::Key_F8), difference(0));
  EXPECT_EQ(focusedGridCell(), difference(0));
  for (int i = 1; i <= 4; ++i) ASSERT_EQ(pressAndWait(Qt::Key_F8), difference(i));
  EXPECT_EQ(focusedGridCell(), difference(4));
  EXPECT_TRUE(
      inGrid("document.activeElement.parentElement.style.border").toString().contains("red"));
  EXPECT_TRUE(chosenRow().contains("changed"));
  EXPECT_EQ(pressAndWait(Qt::Key_F8, Qt::ShiftModifier), difference(3));
  EXPECT_EQ(focusedGridCell(), difference(3));
  // The chosen row is scrolled into the list's view.
  EXPECT_TRUE(inReport("var box = window.quillmereChosen.getBoundingClientRect();"
                       "box.top >= 0 && box.bottom <= window.innerHeight")
                  .toBool());
}

TEST_F(ResultsNavigationTest, StepsStopAtTheEndsAndFollowAClickedLink) {
  // Previous before anything was chosen starts at the last difference; next stops there.
  EXPECT_EQ(pressAndWait(Qt::Key_F8, Qt::ShiftModifier), difference(kDifferences - 1));
  QTest::keyClick(&resultsWindow(), Qt::Key_F8);
  EXPECT_EQ(pressAndWait(Qt::Key_F8, Qt::ShiftModifier), difference(kDifferences - 2));

  // A clicked link is where the next step starts from.
  QSignalSpy shown(&resultsWindow(), &ResultsWindow::cellShown);
  inReport("document.querySelectorAll('a[target=Visualized]')[2].click();");
  ASSERT_TRUE(waitFor([&] { return shown.count() > 0; }));
  EXPECT_EQ(shown[0][0].toString(), difference(2));
  EXPECT_EQ(pressAndWait(Qt::Key_F8), difference(3));

  // The buttons under the list do the same as the keys.
  shown.clear();
  button(resultsWindow(), "NextDifference").click();
  ASSERT_TRUE(waitFor([&] { return shown.count() > 0; }));
  EXPECT_EQ(shown[0][0].toString(), difference(4));
  shown.clear();
  button(resultsWindow(), "PreviousDifference").click();
  ASSERT_TRUE(waitFor([&] { return shown.count() > 0; }));
  EXPECT_EQ(shown[0][0].toString(), difference(3));
  EXPECT_EQ(focusedGridCell(), difference(3));
}

TEST_F(ResultsNavigationTest, CtrlFFindsTextInTheViewThatHasTheKeyboard) {
  FindBar& find = resultsWindow().findBar();
  QSignalSpy searched(&find, &FindBar::searched);

  pressAndWait(Qt::Key_F8);  // the grid has the keyboard now
  QTest::keyClick(&resultsWindow(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(find.isVisible());
  EXPECT_EQ(find.target(), &resultsWindow().gridView());
  auto* text = find.findChild<QLineEdit*>("FindText");
  ASSERT_NE(text, nullptr);
  QTest::keyClicks(text, "changed");
  ASSERT_TRUE(waitFor([&] { return searched.count() > 0 && searched.last()[0].toInt() > 0; }));
  searched.clear();
  QTest::keyClicks(text, "nowhere");
  ASSERT_TRUE(waitFor([&] { return searched.count() > 0; }));
  EXPECT_EQ(searched.last()[0].toInt(), 0);
  QTest::keyClick(text, Qt::Key_Escape);
  EXPECT_FALSE(find.isVisible());

  // Opened again over the list, the box searches the list for its last text at once.
  resultsWindow().reportView().setFocus();
  searched.clear();
  QTest::keyClick(&resultsWindow(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(find.target(), &resultsWindow().reportView());
  ASSERT_TRUE(waitFor([&] { return searched.count() > 0; }));
  EXPECT_EQ(searched.last()[0].toInt(), 0);
  text->setText("changed");
  searched.clear();
  QTest::keyClick(text, Qt::Key_Return);
  ASSERT_TRUE(waitFor([&] { return searched.count() > 0; }));
  EXPECT_EQ(searched.last()[0].toInt(), kDifferences);
}

TEST_F(ResultsNavigationTest, ContextMenuOfADifferenceOpensEitherWorkbook) {
  const QVariantList centre =
      inReport(
          "var box = document.querySelector('a[target=Visualized]').getBoundingClientRect();"
          "[box.left + box.width / 2, box.top + box.height / 2];")
          .toList();
  ASSERT_EQ(centre.size(), 2);
  QWidget* surface = resultsWindow().reportView().focusProxy();
  ASSERT_NE(surface, nullptr);
  QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(centre[0].toInt(), centre[1].toInt()));
  QMenu* menu = nullptr;
  ASSERT_TRUE(waitFor([&] {
    menu = resultsWindow().findChild<QMenu*>("DifferenceMenu");
    return menu != nullptr;
  }));
  auto* second = menu->findChild<QAction*>("OpenFile2");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->text(), "Open File #2 (two.xlsx)");
  QStringList items;
  for (QAction* action : menu->actions())
    if (!action->isSeparator()) items << action->text();
  EXPECT_EQ(items, (QStringList{"Open File #1 (one.xlsx)", "Open File #2 (two.xlsx)", "Copy"}));
  // Without a selection, Copy takes the difference's cell address.
  menu->findChild<QAction*>("Copy")->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), difference(0));
  second->trigger();
  EXPECT_EQ(dialogs.openedFiles, QStringList{box(mainWindow(), "Text2").text()});
  menu->close();

  // Without a program for the file type the user hears why nothing opened.
  dialogs.desktopOpens = false;
  QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(centre[0].toInt(), centre[1].toInt()));
  ASSERT_TRUE(waitFor([&] {
    menu = resultsWindow().findChild<QMenu*>("DifferenceMenu");
    return menu != nullptr && menu->isVisible();
  }));
  menu->findChild<QAction*>("OpenFile1")->trigger();
  EXPECT_EQ(dialogs.messages.last(),
            "No program is set up to open " + box(mainWindow(), "Text1").text() + ".");
}

// Off a listed difference, and anywhere in the grid, the menu holds copying alone: none of the
// views' own items (back, forward, reload, save page, view source).
TEST_F(ResultsNavigationTest, ContextMenusOfTheViewsOfferOnlyTheWindowsItems) {
  for (QWebEngineView* view : {&resultsWindow().reportView(), &resultsWindow().gridView()}) {
    SCOPED_TRACE(view->objectName().toStdString());
    QWidget* surface = view->focusProxy();
    ASSERT_NE(surface, nullptr);
    QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(3, 3));
    QMenu* menu = nullptr;
    ASSERT_TRUE(waitFor([&] {
      menu = resultsWindow().findChild<QMenu*>("ViewMenu");
      return menu != nullptr && menu->isVisible();
    }));
    QStringList items;
    for (QAction* action : menu->actions()) items << action->text();
    EXPECT_EQ(items, QStringList{"Copy"});
    menu->close();
    ASSERT_TRUE(waitFor([&] { return resultsWindow().findChild<QMenu*>("ViewMenu") == nullptr; }));
  }
}

TEST_F(ResultsNavigationTest, AListInPagesIsSteppedAcrossItsPagesAndTurnedByItsLine) {
  resultsWindow().setListPageBytes(700);
  button(resultsWindow(), "PushButton8").click();
  ASSERT_NO_FATAL_FAILURE(compareToResults());
  const std::size_t pages = resultsWindow().listPageCount();
  ASSERT_GT(pages, 3u);
  resultsWindow().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&resultsWindow()));
  const QString line = inReport("document.querySelector('#quillmere-page p').innerText").toString();
  EXPECT_TRUE(line.startsWith("Differences 1 to ")) << line.toStdString();
  EXPECT_TRUE(line.contains(QString(" of 10 (page 1 of %1) next page >").arg(pages)))
      << line.toStdString();

  inReport("window.loadedOnce = 'yes';");
  for (int i = 0; i < kDifferences; ++i) ASSERT_EQ(pressAndWait(Qt::Key_F8), difference(i));
  EXPECT_EQ(resultsWindow().shownListPage(), pages - 1);
  // The list's later pages were put in place of the first one, not loaded anew.
  EXPECT_EQ(inReport("window.loadedOnce").toString(), "yes");
  EXPECT_EQ(focusedGridCell(), difference(kDifferences - 1));
  EXPECT_TRUE(chosenRow().contains("changed"));
  for (int i = kDifferences - 2; i >= 0; --i)
    ASSERT_EQ(pressAndWait(Qt::Key_F8, Qt::ShiftModifier), difference(i));
  EXPECT_EQ(resultsWindow().shownListPage(), 0u);

  // The line's link turns to the next page, whose links still lead to their grid pages.
  QSignalSpy listShown(&resultsWindow(), &ResultsWindow::pageShown);
  inReport("[...document.querySelectorAll('a')].find(a => a.href.endsWith('?page=2')).click();");
  ASSERT_TRUE(waitFor([&] { return listShown.count() > 0; }));
  EXPECT_EQ(resultsWindow().shownListPage(), 1u);
  QSignalSpy shown(&resultsWindow(), &ResultsWindow::cellShown);
  inReport("document.querySelector('a[target=Visualized]').click();");
  ASSERT_TRUE(waitFor([&] { return shown.count() > 0; }));
  const QString firstOnPage = shown[0][0].toString();
  EXPECT_NE(firstOnPage, difference(0));
  EXPECT_EQ(focusedGridCell(), firstOnPage);

  // Saving writes the documents as compared, not the pages shown.
  QTemporaryDir saved;
  box(resultsWindow(), "Text1").setText(saved.path());
  button(resultsWindow(), "PushButton6").click();
  const auto inner = [](const QByteArray& document) {
    const std::string_view markup =
        innerRootMarkup(std::string_view(document.constData(), std::size_t(document.size())));
    return QByteArray(markup.data(), qsizetype(markup.size()));
  };
  EXPECT_EQ(readAll(saved.path() + "/report.htm"), inner(shownReport));
  EXPECT_EQ(readAll(saved.path() + "/visualized.htm"), inner(shownGrid));
}

TEST_F(ResultsNavigationTest, CtrlFGoesOnInTheNextPageThatHoldsTheText) {
  resultsWindow().setListPageBytes(700);
  button(resultsWindow(), "PushButton8").click();
  ASSERT_NO_FATAL_FAILURE(compareToResults());
  ASSERT_GT(resultsWindow().listPageCount(), 3u);
  resultsWindow().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&resultsWindow()));
  FindBar& find = resultsWindow().findBar();
  QSignalSpy searched(&find, &FindBar::searched);
  auto* text = find.findChild<QLineEdit*>("FindText");
  ASSERT_NE(text, nullptr);

  // Each page of the list holds a few of the ten "changed" values; Enter past the last one
  // of a page goes on in the next page, Shift+Enter before the first in the one before.
  resultsWindow().reportView().setFocus();
  QTest::keyClick(&resultsWindow(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_EQ(find.target(), &resultsWindow().reportView());
  QTest::keyClicks(text, "changed");
  ASSERT_TRUE(waitFor([&] { return searched.count() > 0 && searched.last()[0].toInt() > 0; }));
  for (int enter = 0; enter < kDifferences && resultsWindow().shownListPage() == 0; ++enter) {
    searched.clear();
    QTest::keyClick(text, Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return searched.count() > 0; }));
  }
  EXPECT_EQ(resultsWindow().shownListPage(), 1u);
  EXPECT_GT(searched.last()[0].toInt(), 0);
  searched.clear();
  QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
  ASSERT_TRUE(waitFor([&] { return searched.count() > 0; }));
  EXPECT_EQ(resultsWindow().shownListPage(), 0u);

  // A text only a later page of the grid shows is found there at once.
  QTest::keyClick(text, Qt::Key_Escape);
  resultsWindow().gridView().setFocus();
  QTest::keyClick(&resultsWindow(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_EQ(find.target(), &resultsWindow().gridView());
  ASSERT_EQ(resultsWindow().shownGridPage(), 0u);
  searched.clear();
  text->setText("2031");  // row 290, column A
  QTest::keyClick(text, Qt::Key_Return);
  ASSERT_TRUE(waitFor([&] { return searched.count() > 0; }));
  EXPECT_EQ(searched.last()[0].toInt(), 1);
  EXPECT_GT(resultsWindow().shownGridPage(), 0u);
}

}  // namespace
}  // namespace quill::test
