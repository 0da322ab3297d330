// The main window's check boxes for what whole workbooks hold besides cell texts: off at
// first, kept between runs, and put into the comparison, which then reads and reports it.
#include <QCheckBox>

#include "windows_fixture.h"

namespace quill::test {
namespace {

using ContentsOptionsTest = WindowsTest;

// Each box with the part of the contents it turns on.
struct ContentsBox {
  const char* name;
  bool ContentsToRead::*part;
};
constexpr ContentsBox kBoxes[] = {
    {"chkNotes", &ContentsToRead::notes},     {"chkNames", &ContentsToRead::names},
    {"chkHidden", &ContentsToRead::hidden},   {"chkMerged", &ContentsToRead::merged},
    {"chkFormats", &ContentsToRead::formats}, {"chkMacros", &ContentsToRead::macros}};

QCheckBox& check(QWidget& window, const char* name) {
  auto* found = window.findChild<QCheckBox*>(name);
  EXPECT_NE(found, nullptr) << name;
  return *found;
}

TEST_F(ContentsOptionsTest, EachBoxIsOffAtFirstAndKeptForTheNextWindow) {
  for (const ContentsBox& box : kBoxes) {
    EXPECT_FALSE(check(mainWindow(), box.name).isChecked()) << box.name;
    EXPECT_FALSE(mainWindow().request().options.contents.*box.part) << box.name;
  }
  // Each box alone turns on its own part, in a new run of the program too.
  for (const ContentsBox& ticked : kBoxes) {
    check(mainWindow(), ticked.name).setChecked(true);
    startProgram();
    const ContentsToRead contents = mainWindow().request().options.contents;
    for (const ContentsBox& box : kBoxes) {
      const bool on = box.part == ticked.part;
      EXPECT_EQ(check(mainWindow(), box.name).isChecked(), on) << ticked.name << " " << box.name;
      EXPECT_EQ(contents.*box.part, on) << ticked.name << " " << box.name;
    }
    check(mainWindow(), ticked.name).setChecked(false);
  }
  startProgram();
  EXPECT_FALSE(mainWindow().request().options.contents.any());
}

TEST_F(ContentsOptionsTest, ATickedBoxIsReadAndReportedByTheComparison) {
  std::vector<bool> notesRead;
  // The same cell texts; only the second has a note on B3.
  const auto book = [](bool withNote) {
    return [withNote](StoredWorkbook& made) {
      StoredSheet& sheet = made.addSheet("My Sheet");
      for (long row = 1; row <= 4; ++row) sheet.add(row, 2, std::to_string(row));
      made.contents().read.notes = true;
      if (withNote) sheet.contents().notes.push_back({3, 2, "Ann", "checked"});
    };
  };
  context->openSession = [&](SpreadsheetSession& session, const std::string&, const std::string&,
                             ErrorBox&, const ReadOptions& options) {
    notesRead.push_back(options.contents.notes);
    openBooks(session, book(false), book(true));
  };
  compareToResults();
  EXPECT_EQ(shownReport.indexOf("Different note"), -1);
  button(resultsWindow(), "PushButton8").click();

  check(mainWindow(), "chkNotes").setChecked(true);
  compareToResults();
  EXPECT_EQ(notesRead, (std::vector<bool>{false, true}));
  EXPECT_NE(shownReport.indexOf("Different note"), -1) << shownReport.toStdString();
  EXPECT_NE(shownReport.indexOf("Ann: checked"), -1);
  EXPECT_NE(shownGrid.indexOf("name=\"My Sheet!B3\""), -1) << shownGrid.toStdString();
}

}  // namespace
}  // namespace quill::test
