#include "base/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>

namespace quill {
namespace {

using Action = StartRequest::Action;

std::string absolute(const std::string& path) {
  return std::filesystem::absolute(path).lexically_normal().string();
}

TEST(StartArguments, ChoosesWhatTheProgramDoes) {
  struct Case {
    std::vector<std::string> arguments;
    Action action;
    std::vector<std::string> paths;
  };
  const Case cases[] = {
      {{}, Action::OpenWindow, {}},
      {{"/a/one.xlsx"}, Action::OpenWindow, {"/a/one.xlsx"}},
      {{"/a/one.xlsx", "/b/two.ods"}, Action::OpenWindow, {"/a/one.xlsx", "/b/two.ods"}},
      // Relative paths are made absolute: the boxes and the stored settings outlive the
      // folder the program was started in.
      {{"book.xls", "../x/./other.csv"},
       Action::OpenWindow,
       {absolute("book.xls"), absolute("../x/other.csv")}},
      {{"--help"}, Action::PrintHelp, {}},
      {{"one.xlsx", "-h", "--bogus"}, Action::PrintHelp, {}},
      {{"--bogus", "--version"}, Action::PrintVersion, {}},
      {{"-v"}, Action::PrintVersion, {}},
      // After "--" every argument is a file, whatever it looks like.
      {{"--", "--help", "-"}, Action::OpenWindow, {absolute("--help"), absolute("-")}},
      {{"-"}, Action::OpenWindow, {absolute("-")}},
      {{"--bogus", "one.xlsx"}, Action::Fail, {}},
      {{"a", "b", "c"}, Action::Fail, {}},
  };
  for (const Case& c : cases) {
    std::string shown;
    for (const std::string& argument : c.arguments) shown += argument + " ";
    const StartRequest request = parseStartArguments(c.arguments);
    EXPECT_EQ(request.action, c.action) << shown;
    EXPECT_EQ(request.paths, c.paths) << shown;
    EXPECT_EQ(request.error.empty(), c.action != Action::Fail) << shown;
  }
}

TEST(StartArguments, HelpAndVersionAreAnsweredBeforeAnyWindowStarts) {
  EXPECT_TRUE(asksForTextOnly({"a.xlsx", "--version"}));
  EXPECT_TRUE(asksForTextOnly({"-h"}));
  EXPECT_FALSE(asksForTextOnly({"a.xlsx", "b.xlsx"}));
  EXPECT_FALSE(asksForTextOnly({"--", "--help"}));
  // Qt's own options are not answered here; the application takes them.
  EXPECT_FALSE(asksForTextOnly({"-platform", "offscreen"}));
}

#if defined(__unix__) && !defined(__APPLE__)
TEST(StartArguments, NoDisplayIsSaidBeforeQtStarts) {
  const auto only = [](const char* present) {
    return [present](const char* name) -> const char* {
      return std::string_view(name) == present ? ":0" : nullptr;
    };
  };
  EXPECT_NE(missingDisplay({"a.xlsx"}, only("NONE")), "");
  EXPECT_EQ(missingDisplay({"a.xlsx"}, only("DISPLAY")), "");
  EXPECT_EQ(missingDisplay({}, only("WAYLAND_DISPLAY")), "");
  EXPECT_EQ(missingDisplay({}, only("QT_QPA_PLATFORM")), "");
  EXPECT_EQ(missingDisplay({"-platform", "offscreen"}, only("NONE")), "");
  EXPECT_NE(missingDisplay({"--", "-platform"}, only("NONE")), "");
}
#endif

TEST(StartArguments, RefusalsSayWhatWasWrong) {
  EXPECT_EQ(parseStartArguments({"--bogus"}).error, "unknown option \"--bogus\"");
  EXPECT_EQ(parseStartArguments({"a", "b", "c"}).error,
            "at most two files can be compared, 3 were given");
  EXPECT_NE(startUsage().find("Usage: quillmere [OPTION]... [FILE1 [FILE2]]"), std::string::npos);
  EXPECT_EQ(versionText().rfind("quillmere ", 0), 0u);
}

}  // namespace
}  // namespace quill
