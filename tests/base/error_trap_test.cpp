#include "base/error_trap.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/collecting_error_box.h"

namespace quill {
namespace {

enum class Line { First = 100, Second = 102, Third = 104, Fourth = 106 };

TEST(ApplicationErrorText, IsBuiltFromDescriptionLocationLabelAndAddress) {
  EXPECT_EQ(applicationErrorText("Subscript out of range",
                                 "Pellinor2021/08/31.Form1.PushButton5_Click", 104),
            "Subscript out of range\r\nin Pellinor2021/08/31.Form1.PushButton5_Click at line 104"
            "\r\rPlease email screenshot of this message to support@quillmere.example");
}

TEST(ErrorTrap, ReportsTheLabelOfTheFailingStatementAndCarriesOn) {
  test::CollectingErrorBox box;
  ErrorTrap trap("Excel1", "DoItByFile", box);
  std::vector<int> ran;
  trap.at(Line::First, [&] { throw std::runtime_error("first"); });
  trap.at(Line::Second, [&] { ran.push_back(102); });
  trap.at(Line::Third, [&] { throw std::runtime_error("second"); });
  trap.at(Line::Fourth, [&] { ran.push_back(106); });

  ASSERT_EQ(box.texts.size(), 2u);
  EXPECT_EQ(box.texts[0].substr(0, box.texts[0].find("\r\r")),
            "first\r\nin Pellinor2021/08/31.Excel1.DoItByFile at line 100");
  EXPECT_NE(box.texts[1].find("second\r\nin Pellinor2021/08/31.Excel1.DoItByFile at line 104"),
            std::string::npos);
  EXPECT_EQ(ran, (std::vector<int>{102, 106}));
  EXPECT_EQ(trap.reported(), 2);
}

TEST(ErrorTrap, LetsCancellationThrough) {
  test::CollectingErrorBox box;
  ErrorTrap trap("Form1", "PushButton5_Click", box);
  EXPECT_THROW(trap.at(Line::First, [] { throw ComparisonCancelled(); }), ComparisonCancelled);
  EXPECT_TRUE(box.texts.empty());
}

TEST(ErrorTrap, NonStandardExceptionsStillGiveADescription) {
  test::CollectingErrorBox box;
  ErrorTrap trap("Form3", "Timer1", box);
  trap.at(Line::First, [] { throw 42; });
  ASSERT_EQ(box.texts.size(), 1u);
  EXPECT_TRUE(
      box.texts[0].starts_with("Unknown error\r\nin Pellinor2021/08/31.Form3.Timer1 at line 100"));
}

}  // namespace
}  // namespace quill
