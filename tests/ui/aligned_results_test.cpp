// The results window of an aligned comparison: the list names an inserted row as the text
// output does, its link lands on the row, and the grid numbers the rows of each file apart.
#include <QCheckBox>
#include <QSignalSpy>
#include <QWebEngineView>
#include <string>
#include <utility>
#include <vector>

#include "windows_fixture.h"

namespace quill::test {
namespace {

// Three rows of a name and a number; the second book has a row inserted at row 2.
void fillRows(StoredWorkbook& book, bool inserted) {
  StoredSheet& sheet = book.addSheet("My Sheet");
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"alpha", "10"}, {"beta", "20"}, {"gamma", "30"}};
  long row = 1;
  for (const auto& [name, number] : rows) {
    if (inserted && row == 2) {
      sheet.add(row, 1, "new");
      sheet.add(row, 2, "0");
      ++row;
    }
    sheet.add(row, 1, name);
    sheet.add(row, 2, number);
    ++row;
  }
}

class AlignedResultsTest : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    context->openSession = [](SpreadsheetSession& session, const std::string&, const std::string&,
                              ErrorBox&, const ReadOptions&) {
      openBooks(
          session, [](StoredWorkbook& book) { fillRows(book, false); },
          [](StoredWorkbook& book) { fillRows(book, true); });
    };
    auto* align = mainWindow().findChild<QCheckBox*>("chkAlign");
    ASSERT_NE(align, nullptr);
    align->setChecked(true);
    ASSERT_NO_FATAL_FAILURE(compareToResults());
  }
};

TEST_F(AlignedResultsTest, ListNamesTheInsertedRowAndTheGridNumbersBothFiles) {
  QWebEnginePage& list = *resultsWindow().reportView().page();
  const QStringList items =
      runScript(list,
                "Array.from(document.querySelectorAll('a[target=Visualized]'), a => "
                "a.parentElement.previousElementSibling.innerText.trim() + ' ' + a.innerText)")
          .toStringList();
  EXPECT_EQ(items, QStringList{"Row added My Sheet!2"});

  QSignalSpy shown(&resultsWindow(), &ResultsWindow::cellShown);
  runScript(list, "document.querySelector('a[target=Visualized]').click()");
  ASSERT_TRUE(waitFor([&] { return shown.count() > 0; }));
  EXPECT_TRUE(shown[0][1].toBool());

  const QStringList labels =
      runScript(*resultsWindow().gridView().page(),
                "Array.from(document.querySelectorAll('tr'), r => r.cells[0].innerText.trim())")
          .toStringList();
  EXPECT_EQ(labels, (QStringList{"", "1", "2", "2/3", "3/4"}));
}

}  // namespace
}  // namespace quill::test
