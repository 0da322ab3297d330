#include <gtest/gtest.h>

#include "engine/whole_workbook.h"
#include "request_run.h"

namespace quill {
namespace {

using Entries = std::vector<std::string>;

// A workbook of one sheet "Data" holding A1:B3, whose contents the test fills in.
std::unique_ptr<StoredWorkbook> dataBook(
    const std::function<void(StoredWorkbook&, SheetContents&)>& fill,
    const std::string& a2 = "two") {
  auto book = std::make_unique<StoredWorkbook>();
  StoredSheet& sheet = book->addSheet("Data");
  sheet.add(1, 1, "one");
  sheet.add(2, 1, a2);
  sheet.add(3, 2, "three");
  fill(*book, sheet.contents());
  book->finish();
  return book;
}

struct ContentsRun {
  test::ComparisonRun run{{}, {}};
  ContentsRun(std::unique_ptr<StoredWorkbook> first, std::unique_ptr<StoredWorkbook> second,
              ContentsToRead compared, bool align = false) {
    run.session = sessionOf(std::move(first), std::move(second));
    run.request.options.contents = compared;
    run.request.options.align = align;
    run.run(compareWholeWorkbooks);
  }
  Entries contents() const { return run.transcript.starting("content "); }
};

void withNoteAndName(StoredWorkbook& book, SheetContents& sheet) {
  sheet.notes = {{2, 1, "", "checked"}};
  book.contents().names = {{"Rate", "", "=Data!$A$1"}};
}

void withOtherNoteAndName(StoredWorkbook& book, SheetContents& sheet) {
  sheet.notes = {{2, 1, "", "to check"}};
  book.contents().names = {{"Rate", "", "=Data!$A$2"}};
}

TEST(WholeWorkbookContents, IdenticalTextsDifferOnlyWhenContentsAreCompared) {
  ContentsRun plain(dataBook(withNoteAndName), dataBook(withOtherNoteAndName), {});
  EXPECT_TRUE(plain.contents().empty());
  EXPECT_EQ(plain.run.outcome.differences, 0);
  EXPECT_EQ(plain.run.transcript.entries.front(), "caption ");

  ContentsRun compared(dataBook(withNoteAndName), dataBook(withOtherNoteAndName),
                       ContentsToRead::all());
  EXPECT_EQ(compared.contents(),
            (Entries{"content different note 2/1 2/1 checked|to check",
                     "content name changed 0/0 0/0 Rate =Data!$A$1|=Data!$A$2"}));
  EXPECT_EQ(compared.run.outcome.differences, 2);
  EXPECT_EQ(compared.run.outcome.sheetsWithDifferences, 1);
  EXPECT_EQ(compared.run.transcript.entries.front(),
            "caption Options: compare notes, names, hidden, merged, formats, macros");
}

TEST(WholeWorkbookContents, SheetItemsComeInTheirTableAndWorkbookItemsAfterTheLast) {
  ContentsRun run(dataBook(withNoteAndName), dataBook(withOtherNoteAndName), ContentsToRead::all());
  const Entries& entries = run.run.transcript.entries;
  const auto note =
      std::find(entries.begin(), entries.end(), "content different note 2/1 2/1 checked|to check");
  ASSERT_NE(note, entries.end());
  EXPECT_EQ(*std::prev(note), "texts 3/3 | three|three");
  EXPECT_EQ(entries.back(), "content name changed 0/0 0/0 Rate =Data!$A$1|=Data!$A$2");
}

TEST(WholeWorkbookContents, AlignedRowsCarryTheirNotesAlong) {
  auto inserted = std::make_unique<StoredWorkbook>();
  StoredSheet& sheet = inserted->addSheet("Data");
  sheet.add(1, 1, "one");
  sheet.add(2, 1, "new row");
  sheet.add(3, 1, "two");
  sheet.add(4, 2, "three");
  sheet.contents().notes = {{3, 1, "", "to check"}};
  inserted->finish();
  ContentsRun run(dataBook(withNoteAndName), std::move(inserted), ContentsToRead::all(), true);
  EXPECT_EQ(run.contents(), (Entries{"content different note 2/1 3/1 checked|to check",
                                     "content name removed 0/0 0/0 Rate =Data!$A$1|"}));
}

// The sheet pair's items come ahead of its lines with the table's start, and again, the same,
// after them; the whole workbooks' items only after the last table.
TEST(WholeWorkbookContents, ATablesStartCarriesItsSheetItemsAhead) {
  for (const bool align : {false, true}) {
    ContentsRun run(dataBook(withNoteAndName), dataBook(withOtherNoteAndName),
                    ContentsToRead::all(), align);
    const Entries& entries = run.run.transcript.entries;
    const Entries ahead = run.run.transcript.starting("ahead ");
    EXPECT_EQ(ahead, (Entries{"ahead different note 2/1 2/1 checked|to check"})) << align;
    const auto first = std::find(entries.begin(), entries.end(), ahead.front());
    const auto firstLine = std::find_if(entries.begin(), entries.end(), [](const std::string& e) {
      return e.starts_with("texts");
    });
    EXPECT_LT(first, firstLine) << align;
  }
  ContentsRun plain(dataBook(withNoteAndName), dataBook(withOtherNoteAndName), {});
  EXPECT_TRUE(plain.run.transcript.starting("ahead ").empty());
}

}  // namespace
}  // namespace quill
