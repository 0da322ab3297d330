// The main window's comparison options: off and empty at first, kept between runs, put into
// every comparison's request, and a tolerance that is no number refused before anything
// starts.
#include <QCheckBox>

#include "windows_fixture.h"

namespace quill::test {
namespace {

using ComparisonOptionsTest = WindowsTest;

constexpr const char* kChecks[] = {"chkIgnoreCase", "chkIgnoreSpaces", "chkFormulas", "chkAlign",
                                   "chkExactSpaces"};

QCheckBox& check(QWidget& window, const char* name) {
  auto* found = window.findChild<QCheckBox*>(name);
  EXPECT_NE(found, nullptr) << name;
  return *found;
}

TEST_F(ComparisonOptionsTest, AreOffAtFirstAndKeptBetweenRuns) {
  EXPECT_EQ(box(mainWindow(), "txtTolerance").text(), "");
  EXPECT_EQ(box(mainWindow(), "txtRelativeTolerance").text(), "");
  for (const char* name : kChecks) EXPECT_FALSE(check(mainWindow(), name).isChecked()) << name;
  const ComparisonOptions none = mainWindow().request().options;
  EXPECT_EQ(captionWithOptions("", none), "");

  box(mainWindow(), "txtTolerance").setText("0.001");
  box(mainWindow(), "txtRelativeTolerance").setText(" 1e-6 ");
  for (const char* name : kChecks) check(mainWindow(), name).setChecked(true);
  startProgram();

  EXPECT_EQ(box(mainWindow(), "txtTolerance").text(), "0.001");
  EXPECT_EQ(box(mainWindow(), "txtRelativeTolerance").text(), " 1e-6 ");
  for (const char* name : kChecks) EXPECT_TRUE(check(mainWindow(), name).isChecked()) << name;
  const ComparisonOptions options = mainWindow().request().options;
  EXPECT_EQ(options.absoluteTolerance, 0.001);
  EXPECT_EQ(options.relativeTolerance, 1e-6);
  EXPECT_TRUE(options.ignoreCase && options.ignoreSpaces && options.formulas && options.align &&
              options.exactSpaces);
  EXPECT_FALSE(options.matchKey);

  check(mainWindow(), "chkIgnoreSpaces").setChecked(false);
  startProgram();
  EXPECT_FALSE(check(mainWindow(), "chkIgnoreSpaces").isChecked());
  EXPECT_TRUE(check(mainWindow(), "chkIgnoreCase").isChecked());
}

TEST_F(ComparisonOptionsTest, AToleranceThatIsNoNumberIsRefusedBeforeAnythingStarts) {
  nameExistingFiles();
  struct Case {
    const char* field;
    QString text, caption;
  };
  for (const Case& c : {Case{"txtTolerance", "abc", "Numeric tolerance"},
                        Case{"txtTolerance", "-1", "Numeric tolerance"},
                        Case{"txtTolerance", "nan", "Numeric tolerance"},
                        Case{"txtTolerance", "1e999", "Numeric tolerance"},
                        Case{"txtRelativeTolerance", "0,5", "Relative tolerance"}}) {
    dialogs.messages.clear();
    box(mainWindow(), c.field).setText(c.text);
    button(mainWindow(), "PushButton5").click();
    EXPECT_EQ(dialogs.messages,
              QStringList{c.caption + ": \"" + c.text +
                          "\" is not a number.\n\nPlease input a number of 0 or more, such as "
                          "0.001, or leave the field empty."});
    EXPECT_FALSE(mainWindow().isComparing());
    box(mainWindow(), c.field).setText("");
  }
  EXPECT_EQ(sessionsOpened, 0);
}

TEST_F(ComparisonOptionsTest, FormulasAreReadOnlyWhenCompared) {
  std::vector<bool> formulasRead;
  context->openSession = [&](SpreadsheetSession& session, const std::string&, const std::string&,
                             ErrorBox&, const ReadOptions& options) {
    formulasRead.push_back(options.formulas);
    openBooks(session, fillBook1, fillBook2);
  };
  compareToResults();
  button(resultsWindow(), "PushButton8").click();
  check(mainWindow(), "chkFormulas").setChecked(true);
  compareToResults();
  EXPECT_EQ(formulasRead, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace quill::test
