#include "ui/smaller_area_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <condition_variable>
#include <mutex>
#include <semaphore>
#include <stop_token>

#include "shell/comparison_settings.h"
#include "ui/range_picker.h"
#include "windows_fixture.h"

namespace quill::test {
namespace {

// Answers the range pickers in place of the range-selection dialog and keeps what they asked.
class ScriptedPicker final : public RangePicker {
 public:
  std::optional<PickedRange> pick(QWidget*, const Workbook& book, std::size_t startSheet,
                                  const QString& prompt, const QString& defaultAddress) override {
    ++calls;
    askedBookLastSheet = book.sheet(book.sheetCount()).name();
    askedSheet = startSheet;
    askedPrompt = prompt;
    askedDefault = defaultAddress;
    return answer;
  }

  std::optional<PickedRange> answer;
  int calls = 0;
  std::string askedBookLastSheet;  // "Gamma" in the first workbook, "Other" in the second
  std::size_t askedSheet = 0;
  QString askedPrompt, askedDefault;
};

// The smaller-area window opened from the main window over two in-memory workbooks.
class SmallerAreaTest : public WindowsTest {
 protected:
  void SetUp() override {
    WindowsTest::SetUp();
    context->openSession = [this](SpreadsheetSession& session, const std::string&,
                                  const std::string&, ErrorBox&, const ReadOptions&) {
      ++sessionsOpened;
      openBooks(session, fillLeft, fillRight);
    };
    auto picker = std::make_unique<ScriptedPicker>();
    picker_ = picker.get();
    smallerAreaWindow().usePicker(std::move(picker));
    nameExistingFiles();
    openFromMainWindow();
  }

  // The first workbook: Alpha, Beta and Gamma.
  static void fillLeft(StoredWorkbook& book) {
    StoredSheet& alpha = book.addSheet("Alpha");
    for (long row = 1; row <= 20; ++row)
      for (long column = 1; column <= 6; ++column)
        alpha.add(row, column, std::to_string(row * 10 + column));
    book.addSheet("Beta").add(5, 3, "only");
    StoredSheet& gamma = book.addSheet("Gamma");
    gamma.add(2, 2, "top");
    gamma.add(9, 4, "bottom");
  }

  // The second workbook: Alpha, changed in B7, and Other.
  static void fillRight(StoredWorkbook& book) {
    StoredSheet& alpha = book.addSheet("Alpha");
    for (long row = 1; row <= 20; ++row)
      for (long column = 1; column <= 6; ++column)
        alpha.add(row, column,
                  row == 7 && column == 2 ? "changed" : std::to_string(row * 10 + column));
    StoredSheet& other = book.addSheet("Other");
    other.add(1, 1, "a");
    other.add(12, 5, "e");
  }

  // Opens the window and waits until it has read and listed the workbooks.
  void openFromMainWindow() {
    button(mainWindow(), "PushButton8").click();
    ASSERT_TRUE(smallerAreaWindow().isVisible()) << dialogs.errors.join("\n").toStdString();
    ASSERT_TRUE(waitFor([&] { return !smallerAreaWindow().isReading(); }));
  }

  SmallerAreaWindow& smallerAreaWindow() { return windows->smallerAreaWindow(); }
  QComboBox& list(const char* name) { return *smallerAreaWindow().findChild<QComboBox*>(name); }
  QRadioButton& option(const char* name) {
    return *smallerAreaWindow().findChild<QRadioButton*>(name);
  }
  QLabel& label(const char* name) { return *smallerAreaWindow().findChild<QLabel*>(name); }
  QLineEdit& field(const char* name) { return box(smallerAreaWindow(), name); }
  QString text(const char* name) { return field(name).text(); }
  bool shown(const char* name) {
    return smallerAreaWindow().findChild<QWidget*>(name)->isVisible();
  }

  // Chooses a list entry as the user does.
  void choose(const char* listName, int position) {
    QComboBox& chosen = list(listName);
    chosen.setCurrentIndex(position);
    emit chosen.activated(position);
  }

  static QStringList entries(const QComboBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.itemText(i);
    return texts;
  }

  ScriptedPicker* picker_ = nullptr;
};

// Key matching is used in the keyed modes only; the main window's alignment serves range mode
// and the table's own alignment choice the keyed modes.
TEST_F(SmallerAreaTest, RequestCarriesTheMainWindowsOptionsTheModeUses) {
  settings.save(kToleranceKey, "0.5");
  saveSwitch(settings, kIgnoreCaseKey, true);
  saveSwitch(settings, kAlignKey, true);
  auto& matchKey = *smallerAreaWindow().findChild<QCheckBox*>("chkMatchKey");
  EXPECT_FALSE(matchKey.isChecked());
  matchKey.setChecked(true);
  EXPECT_EQ(smallerAreaWindow().request().options.absoluteTolerance, 0.5);
  EXPECT_TRUE(smallerAreaWindow().request().options.ignoreCase);
  EXPECT_TRUE(smallerAreaWindow().request().options.align);
  EXPECT_FALSE(smallerAreaWindow().request().options.matchKey) << "range mode pairs no keys";

  choose("Combo1", 1);
  option("Option2").click();
  EXPECT_EQ(matchKey.text(), "Match rows by identifying columns");
  EXPECT_TRUE(matchKey.isVisible());
  EXPECT_TRUE(smallerAreaWindow().request().options.matchKey);
  EXPECT_FALSE(smallerAreaWindow().request().options.align) << "rows mode aligns nothing";
  EXPECT_TRUE(smallerAreaWindow().request().options.ignoreCase);
  option("Option3").click();
  EXPECT_EQ(matchKey.text(), "Match columns by identifying rows");
  EXPECT_TRUE(smallerAreaWindow().request().options.matchKey);
  EXPECT_FALSE(smallerAreaWindow().request().options.align) << "columns mode aligns nothing";
  EXPECT_TRUE(storedSwitch(settings, kAlignKey)) << "the main window's choice stays kept";
  EXPECT_TRUE(storedSwitch(settings, kMatchKeyKey));
  auto& alignTable = *smallerAreaWindow().findChild<QCheckBox*>("chkAlignTable");
  EXPECT_TRUE(alignTable.isVisible());
  alignTable.setChecked(true);
  EXPECT_TRUE(smallerAreaWindow().request().options.align) << "columns mode aligns the table";
  option("Option2").click();
  EXPECT_TRUE(smallerAreaWindow().request().options.align) << "rows mode aligns the table";
  EXPECT_TRUE(storedSwitch(settings, kAlignTableKey));

  settings.save(kRelativeToleranceKey, "lots");
  button(smallerAreaWindow(), "PushButton4").click();
  ASSERT_EQ(dialogs.messages.size(), 1);
  EXPECT_TRUE(dialogs.messages.front().startsWith("Relative tolerance: \"lots\" is not a number."));
  EXPECT_FALSE(smallerAreaWindow().isComparing());
  EXPECT_EQ(sessionsOpened, 1) << "only the listing opened the workbooks";
}

TEST_F(SmallerAreaTest, OpensWithBothWorkbooksListedAndNothingChosen) {
  EXPECT_FALSE(mainWindow().isVisible());
  EXPECT_EQ(sessionsOpened, 1);
  EXPECT_EQ(smallerAreaWindow().windowTitle(), "Quillmere");
  EXPECT_EQ(entries(list("Combo1")), (QStringList{"", "Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(entries(list("Combo2")), (QStringList{"", "Alpha", "Other"}));
  EXPECT_EQ(list("Combo1").currentIndex(), -1);
  EXPECT_EQ(list("Combo2").currentIndex(), -1);
  EXPECT_TRUE(option("Option1").isChecked());
  EXPECT_FALSE(option("Option2").isEnabled());
  EXPECT_FALSE(option("Option3").isEnabled());
  EXPECT_FALSE(shown("Frame4"));
  EXPECT_EQ(text("txtStartColumn"), "1");
  for (const char* empty :
       {"txtRange1", "txtRange2", "txtEndColumn", "txtIdentifyingColumns", "txtIgnoreColumns"})
    EXPECT_EQ(text(empty), "") << empty;
  EXPECT_EQ(smallerAreaWindow().findChild<QGroupBox*>("Frame1")->title(), "Compare Smaller Area");
  EXPECT_EQ(button(smallerAreaWindow(), "PushButton1").text(), "< Back");
  EXPECT_EQ(button(smallerAreaWindow(), "PushButton4").text(), "Start Comparing");
  EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(SmallerAreaTest, ChoosingWorksheetsWritesTheirUsedAreasInTheModesForm) {
  struct Step {
    const char* list;
    int position;
    const char* range1;
    bool keyedModesEnabled;
  };
  for (const Step& s :
       {Step{"Combo1", 1, "$A$1:$F$20", true}, Step{"Combo1", 2, "$C$5", true},
        Step{"Combo1", 0, "", false}, Step{"Combo2", 2, "", false},
        Step{"Combo1", 3, "$B$2:$D$9", true}, Step{"Combo2", 0, "$B$2:$D$9", true}}) {
    choose(s.list, s.position);
    EXPECT_EQ(text("txtRange1"), s.range1) << s.list << " " << s.position;
    EXPECT_EQ(option("Option2").isEnabled(), s.keyedModesEnabled) << s.list << " " << s.position;
    EXPECT_EQ(option("Option3").isEnabled(), s.keyedModesEnabled) << s.list << " " << s.position;
  }
  choose("Combo2", 2);
  EXPECT_EQ(text("txtRange2"), "$A$1:$E$12");

  option("Option2").click();
  EXPECT_EQ(text("txtRange1"), "$B:$D");
  choose("Combo1", 1);
  EXPECT_EQ(text("txtRange1"), "$A:$F");
  choose("Combo1", 2);
  EXPECT_EQ(text("txtRange1"), "$C:$C");
  choose("Combo1", 0);
  EXPECT_EQ(text("txtRange1"), "");
  EXPECT_TRUE(option("Option2").isChecked()) << "the blank entry keeps the mode";
  EXPECT_FALSE(option("Option3").isEnabled());

  choose("Combo1", 3);
  option("Option3").click();
  EXPECT_EQ(text("txtRange1"), "$2:$9");
  choose("Combo1", 1);
  EXPECT_EQ(text("txtRange1"), "$1:$20");
  choose("Combo1", 2);
  EXPECT_EQ(text("txtRange1"), "$5:$5");
  EXPECT_EQ(text("txtRange2"), "$A$1:$E$12");
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

TEST_F(SmallerAreaTest, ModeSwitchesLayOutTheWindowAndResetTheTableProperties) {
  choose("Combo1", 1);
  field("txtStartColumn").setText("7");
  field("txtEndColumn").setText("9");
  field("txtIdentifyingColumns").setText("B");
  field("txtIgnoreColumns").setText("C");

  struct Layout {
    const char* option;
    QStringList captions;  // range, start, end, identifying, ignore
    const char* start;
    const char* range1;
  };
  for (const Layout& l : {Layout{"Option2",
                                 {"Select Columns to include:", "Start Row:", "End Row:",
                                  "Identifying Columns:", "Ignore Columns:"},
                                 "1",
                                 "$A:$F"},
                          Layout{"Option3",
                                 {"Select Rows to include:", "Start Columns:", "End Columns:",
                                  "Identifying Rows:", "Ignore Rows:"},
                                 "A",
                                 "$1:$20"}}) {
    option(l.option).click();
    const QStringList captions{label("lblSelectRange").text(), label("lblStartColumn").text(),
                               label("lblEndColumn").text(), label("lblIdentifyingColumns").text(),
                               label("lblIgnoreColumns").text()};
    EXPECT_EQ(captions, l.captions);
    EXPECT_EQ(text("txtStartColumn"), l.start);
    EXPECT_EQ(text("txtRange1"), l.range1);
    for (const char* empty : {"txtEndColumn", "txtIdentifyingColumns", "txtIgnoreColumns"})
      EXPECT_EQ(text(empty), "") << l.option << " " << empty;
    EXPECT_TRUE(shown("Frame4"));
    EXPECT_TRUE(shown("Combo2"));
    for (const char* gone : {"PushButton3", "lblCompareRange", "txtRange2"})
      EXPECT_FALSE(shown(gone)) << l.option << " " << gone;
    EXPECT_EQ(label("lblCompareRange").text(), "");
  }

  // Clicking the mode already on keeps what the user typed.
  field("txtIdentifyingColumns").setText("1, 2");
  option("Option3").click();
  EXPECT_EQ(text("txtIdentifyingColumns"), "1, 2");

  field("txtEndColumn").setText("C");
  option("Option1").click();
  EXPECT_FALSE(shown("Frame4"));
  for (const char* back : {"PushButton3", "lblCompareRange", "txtRange2"})
    EXPECT_TRUE(shown(back)) << back;
  EXPECT_EQ(label("lblSelectRange").text(), "Range:");
  EXPECT_EQ(label("lblCompareRange").text(), "Range:");
  EXPECT_EQ(text("txtRange1"), "$A$1:$F$20");
  EXPECT_EQ(text("txtStartColumn"), "A");
  EXPECT_EQ(text("txtEndColumn"), "C");
  EXPECT_EQ(text("txtIdentifyingColumns"), "1, 2");
}

TEST_F(SmallerAreaTest, LeavingTheStartFieldInRowsModeWantsANumber) {
  smallerAreaWindow().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&smallerAreaWindow()));
  choose("Combo1", 1);
  QLineEdit& start = field("txtStartColumn");
  struct Case {
    const char* option;
    const char* text;
    bool refused;
  };
  for (const Case& c :
       {Case{"Option2", "12", false}, Case{"Option2", " 7 ", false}, Case{"Option2", "", true},
        Case{"Option2", "word", true}, Case{"Option3", "C", false}}) {
    option(c.option).click();
    start.setFocus();
    ASSERT_TRUE(waitFor([&] { return start.hasFocus(); }));
    start.setText(c.text);
    dialogs.messages.clear();
    field("txtEndColumn").setFocus();
    // A refused text gets the focus back once the focus change has ended.
    EXPECT_TRUE(waitFor([&] { return start.hasFocus() == c.refused; })) << c.text;
    EXPECT_EQ(dialogs.messages,
              c.refused ? QStringList{"Please input a numeric value."} : QStringList{})
        << c.text;
    EXPECT_EQ(start.hasFocus(), c.refused) << c.text;
  }
}

TEST_F(SmallerAreaTest, StartChecksStopBeforeAnythingIsCompared) {
  smallerAreaWindow().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&smallerAreaWindow()));
  choose("Combo1", 1);
  struct Case {
    const char* option;
    const char* start;
    const char* end;
    const char* message;
  };
  const int opened = sessionsOpened;
  for (const Case& c :
       {Case{"Option2", "10", "9", "Start row must not be greater than end row."},
        Case{"Option2", "1", "end", "Start row must not be greater than end row."},
        Case{"Option3", "C", "A", "Start column must not be greater than end column."},
        // An end left empty is the last row or column either worksheet uses.
        Case{"Option2", "999", "", "Start row must not be greater than end row."},
        Case{"Option3", "ZZ", "", "Start column must not be greater than end column."}}) {
    option(c.option).click();
    field("txtStartColumn").setText(c.start);
    field("txtEndColumn").setText(c.end);
    dialogs.messages.clear();
    button(smallerAreaWindow(), "PushButton4").click();
    EXPECT_EQ(dialogs.messages, QStringList{c.message}) << c.start << " " << c.end;
    EXPECT_TRUE(field("txtStartColumn").hasFocus());
    field("txtEndColumn").setFocus();
    EXPECT_TRUE(smallerAreaWindow().isVisible());
  }
  EXPECT_FALSE(smallerAreaWindow().isComparing());
  EXPECT_EQ(sessionsOpened, opened);
  EXPECT_FALSE(windows->resultsShown());
}

TEST_F(SmallerAreaTest, KeyedComparisonFailuresAreReportedUnderTheStartButton) {
  choose("Combo1", 1);
  option("Option2").click();
  field("txtStartColumn").setText("first");
  button(smallerAreaWindow(), "PushButton4").click();
  ASSERT_TRUE(waitFor([&] { return !smallerAreaWindow().isComparing(); }));
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_TRUE(dialogs.errors[0].contains("Start row"));
  EXPECT_TRUE(
      dialogs.errors[0].contains("in Pellinor2021/08/31.Form2.PushButton4_Click at line 106"));
  EXPECT_TRUE(smallerAreaWindow().isVisible());
  EXPECT_TRUE(button(smallerAreaWindow(), "PushButton4").isEnabled());
}

TEST_F(SmallerAreaTest, PickersOfferTheirDefaultsOnTheChosenWorkbookAndSheet) {
  choose("Combo1", 2);
  struct Case {
    const char* option;
    const char* button;
    const char* start;
    const char* end;
    const char* bookLastSheet;
    std::size_t sheet;
    const char* offered;
  };
  for (const Case& c : {Case{"Option1", "PushButton7", "", "", "Gamma", 2, "$C$5"},
                        Case{"Option1", "PushButton3", "", "", "Other", 1, ""},
                        Case{"Option2", "PushButton2", "1", "", "Gamma", 2, "$1:$1"},
                        Case{"Option2", "PushButton8", "3", "8", "Gamma", 2, "$3:$8"},
                        Case{"Option3", "PushButton8", "A", "F", "Gamma", 2, "$A:$F"},
                        Case{"Option3", "PushButton9", "A", "", "Gamma", 2, "$5:$5"},
                        Case{"Option3", "PushButton10", "A", "", "Gamma", 2, "$5:$5"}}) {
    option(c.option).click();
    field("txtStartColumn").setText(c.start);
    field("txtEndColumn").setText(c.end);
    button(smallerAreaWindow(), c.button).click();
    EXPECT_EQ(picker_->askedPrompt, "select range with mouse");
    EXPECT_EQ(picker_->askedDefault, c.offered) << c.button;
    EXPECT_EQ(picker_->askedBookLastSheet, c.bookLastSheet) << c.button;
    EXPECT_EQ(picker_->askedSheet, c.sheet) << c.button;
  }
  EXPECT_EQ(picker_->calls, 7);
}

// Each pick is made on Gamma while Alpha is chosen, with the start and end fields holding
// other values, so that the tests see which fields a pick writes and which it leaves.
TEST_F(SmallerAreaTest, PicksAreWrittenInTheModesFormAndMoveTheList) {
  struct Case {
    const char* option;
    const char* button;
    const char* pick;
    std::vector<std::pair<const char*, const char*>> fields;
  };
  const std::vector<Case> cases = {
      {"Option1", "PushButton7", "$B$2:$D$9", {{"txtRange1", "$B$2:$D$9"}}},
      {"Option1", "PushButton7", "$A$1:$A$9,$C$1:$E$9", {{"txtRange1", "$A$1:$A$9,$C$1:$E$9"}}},
      {"Option1", "PushButton3", "$C$5", {{"txtRange2", "$C$5"}}},
      {"Option1", "PushButton9", "$A$1:$B$2", {{"txtIdentifyingColumns", ""}}},
      {"Option2", "PushButton7", "$B$2:$D$9", {{"txtRange1", "$B:$D"}}},
      {"Option2", "PushButton2", "$B$2:$D$9", {{"txtStartColumn", "2"}, {"txtEndColumn", "9"}}},
      {"Option2", "PushButton2", "$C$5", {{"txtStartColumn", "5"}, {"txtEndColumn", "6"}}},
      {"Option2", "PushButton8", "$C$5", {{"txtStartColumn", "4"}, {"txtEndColumn", "5"}}},
      {"Option2", "PushButton9", "$A$1:$A$9,$C$1:$E$9", {{"txtIdentifyingColumns", "A, C, D, E"}}},
      {"Option2", "PushButton9", "$Y$1:$AB$1", {{"txtIdentifyingColumns", "Y, Z, AA, AB"}}},
      {"Option2", "PushButton10", "$B:$D", {{"txtIgnoreColumns", "B, C, D"}}},
      {"Option3", "PushButton7", "$B$2:$D$9", {{"txtRange1", "$2:$9"}}},
      {"Option3", "PushButton7", "$1:$20", {{"txtRange1", "$1:$20"}}},
      {"Option3", "PushButton2", "$B$2:$D$9", {{"txtStartColumn", "B"}, {"txtEndColumn", "D"}}},
      {"Option3", "PushButton2", "$C$5", {{"txtStartColumn", "C"}, {"txtEndColumn", "E"}}},
      {"Option3", "PushButton8", "$AA$3", {{"txtStartColumn", "B"}, {"txtEndColumn", "AA"}}},
      {"Option3", "PushButton10", "$A$3:$F$5", {{"txtIgnoreColumns", "3, 4, 5"}}},
      {"Option3", "PushButton10", "$B$7", {{"txtIgnoreColumns", "7"}}},
      {"Option3",
       "PushButton9",
       "$A$40000:$B$40002",
       {{"txtIdentifyingColumns", "40000, 40001, 40002"}}},
      {"Option3", "PushButton9", "$1:$2,$5:$5", {{"txtIdentifyingColumns", "1, 2, 5"}}},
  };
  for (const Case& c : cases) {
    const std::string what = std::string(c.option) + " " + c.button + " " + c.pick;
    choose("Combo1", 1);
    choose("Combo2", 1);
    option(c.option).click();
    const bool rows = std::string(c.option) == "Option2";
    field("txtStartColumn").setText(rows ? "4" : "B");
    field("txtEndColumn").setText(rows ? "6" : "E");
    const bool second = std::string(c.button) == "PushButton3";
    picker_->answer = PickedRange{c.pick, second ? "Other" : "Gamma"};
    button(smallerAreaWindow(), c.button).click();
    for (const auto& [name, expected] : c.fields) EXPECT_EQ(text(name), expected) << what;
    EXPECT_EQ(list(second ? "Combo2" : "Combo1").currentIndex(), second ? 2 : 3) << what;
    EXPECT_TRUE(dialogs.errors.isEmpty()) << what << dialogs.errors.join("\n").toStdString();
    dialogs.errors.clear();
  }
  // A table takes one span: a pick of several areas is refused, not cut to its first area.
  option("Option2").click();
  picker_->answer = PickedRange{"$A$1:$A$9,$C$1:$E$9", "Gamma"};
  button(smallerAreaWindow(), "PushButton7").click();
  EXPECT_NE(text("txtRange1"), "$A:$A");
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_TRUE(dialogs.errors.front().startsWith("A table takes one area"));
  dialogs.errors.clear();
}

TEST_F(SmallerAreaTest, CancelledOrFailedPicksLeaveTheFields) {
  choose("Combo1", 1);
  option("Option2").click();
  field("txtIdentifyingColumns").setText("A");
  field("txtEndColumn").setText("9");
  auto snapshot = [&] {
    QStringList texts;
    for (const char* name : {"txtRange1", "txtRange2", "txtStartColumn", "txtEndColumn",
                             "txtIdentifyingColumns", "txtIgnoreColumns"})
      texts << text(name);
    return texts << QString::number(list("Combo1").currentIndex())
                 << QString::number(list("Combo2").currentIndex());
  };
  const QStringList before = snapshot();
  picker_->answer.reset();
  for (const char* picker :
       {"PushButton7", "PushButton2", "PushButton8", "PushButton9", "PushButton10"})
    button(smallerAreaWindow(), picker).click();
  EXPECT_EQ(picker_->calls, 5);
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(dialogs.errors.isEmpty());
  EXPECT_TRUE(dialogs.messages.isEmpty());

  // Whole rows name no columns to list, and whole columns no start row.
  picker_->answer = PickedRange{"$2:$3", "Gamma"};
  button(smallerAreaWindow(), "PushButton9").click();
  picker_->answer = PickedRange{"$B:$D", "Gamma"};
  button(smallerAreaWindow(), "PushButton2").click();
  EXPECT_EQ(snapshot(), before);
  ASSERT_EQ(dialogs.errors.size(), 2);
  EXPECT_TRUE(dialogs.errors[0].contains("Form2.PushButton9_Click at line 102"));
  EXPECT_TRUE(dialogs.errors[1].contains("Form2.PushButton2_Click at line 102"));

  // A worksheet the list lacks: the pick is written, the list keeps its entry.
  dialogs.errors.clear();
  picker_->answer = PickedRange{"$C$5", "Nowhere"};
  button(smallerAreaWindow(), "PushButton8").click();
  EXPECT_EQ(text("txtEndColumn"), "5");
  EXPECT_EQ(list("Combo1").currentIndex(), 1);
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_TRUE(dialogs.errors[0].contains("Nowhere"));
  EXPECT_TRUE(dialogs.errors[0].contains("Form2.PushButton8_Click at line 104"));
}

TEST_F(SmallerAreaTest, BackKeepsEveryFieldAndChangedPathsAreListedAfresh) {
  choose("Combo1", 3);
  choose("Combo2", 2);
  option("Option2").click();
  field("txtIdentifyingColumns").setText("B");
  button(smallerAreaWindow(), "PushButton1").click();
  EXPECT_TRUE(mainWindow().isVisible());
  EXPECT_FALSE(smallerAreaWindow().isVisible());

  openFromMainWindow();
  EXPECT_EQ(sessionsOpened, 1);
  EXPECT_EQ(list("Combo1").currentIndex(), 3);
  EXPECT_EQ(list("Combo2").currentIndex(), 2);
  EXPECT_TRUE(option("Option2").isChecked());
  EXPECT_EQ(text("txtRange1"), "$B:$D");
  EXPECT_EQ(text("txtIdentifyingColumns"), "B");

  button(smallerAreaWindow(), "PushButton1").click();
  box(mainWindow(), "Text2").setText(makeFile("three.xlsx"));
  openFromMainWindow();
  EXPECT_EQ(sessionsOpened, 2);
  EXPECT_EQ(list("Combo1").currentIndex(), -1);
  EXPECT_EQ(list("Combo2").currentIndex(), -1);
  EXPECT_EQ(text("txtRange1"), "");
  EXPECT_EQ(text("txtRange2"), "");
  EXPECT_FALSE(option("Option3").isEnabled());
  EXPECT_EQ(smallerAreaWindow().request().path2, (programFolder + "/three.xlsx").toStdString());
}

TEST_F(SmallerAreaTest, AWorkbookThatFailsToOpenLeavesItsListBlank) {
  context->openSession = [this](SpreadsheetSession& session, const std::string&, const std::string&,
                                ErrorBox& box, const ReadOptions&) {
    box.show("cannot read two.xlsx");
    session.first = bookFrom(fillLeft);
  };
  button(smallerAreaWindow(), "PushButton1").click();
  box(mainWindow(), "Text2").setText(makeFile("damaged.xlsx"));
  openFromMainWindow();
  EXPECT_EQ(entries(list("Combo1")), (QStringList{"", "Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(entries(list("Combo2")), QStringList{""});
  EXPECT_EQ(list("Combo2").currentIndex(), -1);
  ASSERT_EQ(dialogs.errors.size(), 2);
  EXPECT_EQ(dialogs.errors[0], "cannot read two.xlsx");
  EXPECT_TRUE(dialogs.errors[1].contains("Form2.loadSheets at line 102"));

  // Its picker has no workbook to show.
  dialogs.errors.clear();
  button(smallerAreaWindow(), "PushButton3").click();
  EXPECT_EQ(picker_->calls, 0);
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_TRUE(dialogs.errors[0].contains("Form2.PushButton3_Click at line 100"));
}

// Openings of the smaller-area window's workbooks that wait until the test lets them go on,
// as the reader of a large workbook keeps its thread busy.
class SmallerAreaReadingTest : public SmallerAreaTest {
 protected:
  void SetUp() override {
    SmallerAreaTest::SetUp();
    if (HasFatalFailure()) return;
    context->openSession = [gate = gate_](SpreadsheetSession& session, const std::string&,
                                          const std::string& path2, ErrorBox& box,
                                          const ReadOptions&) {
      gate->acquire();
      // The first workbook shows which of the two second files was named.
      openBooks(session, path2.ends_with("large.xlsx") ? fillLeft : fillRight, fillRight);
      box.show("read " + path2.substr(path2.rfind('/') + 1));
    };
    button(smallerAreaWindow(), "PushButton1").click();
    box(mainWindow(), "Text2").setText(makeFile("large.xlsx"));
    button(mainWindow(), "PushButton8").click();
  }

  void TearDown() override {
    gate_->release();
    SmallerAreaTest::TearDown();
  }

  void letTheReadEnd(std::ptrdiff_t reads = 1) { gate_->release(reads); }

 private:
  std::shared_ptr<std::counting_semaphore<>> gate_ = std::make_shared<std::counting_semaphore<>>(0);
};

TEST_F(SmallerAreaReadingTest, TheWindowShowsWhileItReadsAndPicksWaitForTheWorkbooks) {
  ASSERT_TRUE(smallerAreaWindow().isVisible());
  ASSERT_TRUE(smallerAreaWindow().isReading());
  EXPECT_TRUE(entries(list("Combo1")).isEmpty());
  auto* progress = smallerAreaWindow().findChild<QProgressBar*>("ProgressBar1");
  EXPECT_EQ(progress->maximum(), 0) << "a progress bar without an end runs";
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);

  picker_->answer = PickedRange{"$B$2:$C$3", "Beta"};
  button(smallerAreaWindow(), "PushButton7").click();
  EXPECT_EQ(picker_->calls, 0) << "no workbook to pick from yet";

  QSignalSpy read(&smallerAreaWindow(), &SmallerAreaWindow::workbooksRead);
  letTheReadEnd();
  ASSERT_TRUE(read.wait(15000));
  EXPECT_EQ(entries(list("Combo1")), (QStringList{"", "Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(entries(list("Combo2")), (QStringList{"", "Alpha", "Other"}));
  EXPECT_EQ(dialogs.errors, QStringList{"read large.xlsx"});
  EXPECT_EQ(picker_->calls, 1);
  EXPECT_EQ(text("txtRange1"), "$B$2:$C$3");
  EXPECT_EQ(list("Combo1").currentText(), "Beta");
  EXPECT_NE(progress->maximum(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SmallerAreaReadingTest, OtherFilesNamedDuringAReadAreReadInstead) {
  ASSERT_TRUE(smallerAreaWindow().isReading());
  button(smallerAreaWindow(), "PushButton1").click();
  box(mainWindow(), "Text2").setText(makeFile("other.xlsx"));
  button(mainWindow(), "PushButton8").click();
  ASSERT_TRUE(smallerAreaWindow().isReading());
  QSignalSpy read(&smallerAreaWindow(), &SmallerAreaWindow::workbooksRead);
  letTheReadEnd(2);
  ASSERT_TRUE(read.wait(15000));
  EXPECT_EQ(entries(list("Combo1")), (QStringList{"", "Alpha", "Other"}));
  EXPECT_EQ(dialogs.errors, QStringList{"read other.xlsx"}) << "the first read is dropped";
  EXPECT_FALSE(smallerAreaWindow().isReading());
}

TEST_F(SmallerAreaReadingTest, ClosingDuringAReadEndsTheProgramAndDropsWhatItRead) {
  ASSERT_TRUE(smallerAreaWindow().isReading());
  QSignalSpy ending(windows.get(), &ProgramWindows::programEnding);
  QSignalSpy read(&smallerAreaWindow(), &SmallerAreaWindow::workbooksRead);
  smallerAreaWindow().close();
  EXPECT_EQ(ending.count(), 1);
  EXPECT_FALSE(smallerAreaWindow().isReading());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  letTheReadEnd();
  // Ending the program waits for the worker, whose workbooks and boxes are dropped.
  windows.reset();
  EXPECT_EQ(read.count(), 0);
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

// Openings that read until they are asked to stop, as the readers of a workbook too large
// to wait for do, and then give up as the readers do.
class SmallerAreaStoppingTest : public SmallerAreaTest {
 protected:
  // What the worker's opening saw, shared with it.
  struct Opening {
    std::mutex mutex;
    std::condition_variable_any changed;
    bool released = false;  // lets a read the test failed to stop end
    bool stopSeen = false;
  };

  void SetUp() override {
    SmallerAreaTest::SetUp();
    if (HasFatalFailure()) return;
    context->openSession = [opening = opening_](SpreadsheetSession&, const std::string&,
                                                const std::string&, ErrorBox& box,
                                                const ReadOptions& options) {
      std::stop_token stop = options.stop;
      std::unique_lock lock(opening->mutex);
      opening->changed.wait(lock, stop, [&] { return opening->released; });
      opening->stopSeen = stop.stop_requested();
      lock.unlock();
      stopIfRequested(stop);
      box.show("read to its end");
    };
    button(smallerAreaWindow(), "PushButton1").click();
    box(mainWindow(), "Text2").setText(makeFile("large.xlsx"));
    button(mainWindow(), "PushButton8").click();
  }

  void TearDown() override {
    {
      const std::lock_guard lock(opening_->mutex);
      opening_->released = true;
    }
    opening_->changed.notify_all();
    SmallerAreaTest::TearDown();
  }

  bool stopSeen() {
    const std::lock_guard lock(opening_->mutex);
    return opening_->stopSeen;
  }

  std::shared_ptr<Opening> opening_ = std::make_shared<Opening>();
};

TEST_F(SmallerAreaStoppingTest, ClosingDuringAReadStopsItsReadersWithoutABox) {
  ASSERT_TRUE(smallerAreaWindow().isReading());
  QSignalSpy read(&smallerAreaWindow(), &SmallerAreaWindow::workbooksRead);
  smallerAreaWindow().close();
  EXPECT_FALSE(smallerAreaWindow().isReading());
  ASSERT_TRUE(waitFor([&] { return stopSeen(); })) << "the read goes on after the window closed";
  windows.reset();
  EXPECT_EQ(read.count(), 0);
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

// Quitting destroys the windows, which must not wait for the read to reach its end.
TEST_F(SmallerAreaStoppingTest, EndingTheProgramDuringAReadStopsItsReaders) {
  ASSERT_TRUE(smallerAreaWindow().isReading());
  windows.reset();
  EXPECT_TRUE(stopSeen());
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

TEST_F(SmallerAreaTest, ClosingWhileComparingStopsTheComparisonAndEndsTheProgram) {
  context->openSession = [](SpreadsheetSession&, const std::string&, const std::string&,
                            ErrorBox& box, const ReadOptions&) { box.show("first failure"); };
  dialogs.onError = [&] { smallerAreaWindow().close(); };
  QSignalSpy ending(windows.get(), &ProgramWindows::programEnding);
  button(smallerAreaWindow(), "PushButton4").click();
  EXPECT_FALSE(button(smallerAreaWindow(), "PushButton1").isEnabled())
      << "no way back while comparing";
  ASSERT_TRUE(waitFor([&] { return !smallerAreaWindow().isComparing(); }));
  EXPECT_EQ(ending.count(), 1);
  EXPECT_EQ(dialogs.errors, QStringList{"first failure"});
  EXPECT_FALSE(windows->resultsShown());
}

// The sample workbooks, read by the real readers, compared in each mode from this window.
class SmallerAreaSamplesTest : public SmallerAreaTest {
 protected:
  void SetUp() override {
    const QString samples = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../Samples");
    if (!QFile::exists(samples + "/sample1.xls")) GTEST_SKIP() << "no sample workbooks";
    WindowsTest::SetUp();
    context->openSession = openWorkbookPair;
    auto picker = std::make_unique<ScriptedPicker>();
    picker_ = picker.get();
    smallerAreaWindow().usePicker(std::move(picker));
    box(mainWindow(), "Text1").setText(samples + "/sample1.xls");
    box(mainWindow(), "Text2").setText(samples + "/sample2.xls");
    openFromMainWindow();
  }

  // Starts comparing and waits for the results window; returns the difference list.
  QByteArray compareToResults() {
    button(smallerAreaWindow(), "PushButton4").click();
    EXPECT_TRUE(waitFor([&] { return windows->hasResultsWindow() && resultsWindow().isVisible(); }))
        << dialogs.errors.join("\n").toStdString();
    const QByteArray report = readAll(context->temporaryFolder + "/report.htm");
    EXPECT_TRUE(waitFor([&] { return !resultsWindow().isLoading(); }));
    EXPECT_EQ(context->callerWindow, "Form2");
    EXPECT_FALSE(smallerAreaWindow().isVisible());
    button(resultsWindow(), "PushButton8").click();
    EXPECT_TRUE(smallerAreaWindow().isVisible());
    return report;
  }
};

TEST_F(SmallerAreaSamplesTest, EachModeComparesAndComesBack) {
  ASSERT_EQ(entries(list("Combo2")), (QStringList{"", "Inventory", "Prices", "Suppliers"}));
  field("txtRange1").setText("$A$1:$B$2");
  const QByteArray whole = compareToResults();
  EXPECT_TRUE(whole.contains("Suppliers")) << "both lists untouched: the whole workbooks";
  EXPECT_EQ(text("txtRange1"), "$A$1:$B$2");

  choose("Combo1", 1);
  const QByteArray range = compareToResults();
  EXPECT_TRUE(range.contains("Inventory!D3"));
  EXPECT_FALSE(range.contains("Suppliers"));

  option("Option2").click();
  field("txtIdentifyingColumns").setText("A");
  EXPECT_FALSE(compareToResults().isEmpty());
  EXPECT_TRUE(option("Option2").isChecked());
  EXPECT_EQ(text("txtIdentifyingColumns"), "A");

  choose("Combo1", 2);
  option("Option3").click();
  field("txtIdentifyingColumns").setText("1");
  EXPECT_FALSE(compareToResults().isEmpty());
  EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("\n").toStdString();
}

}  // namespace
}  // namespace quill::test
