#include "ui/window_passwords.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <future>

#include "recording_dialogs.h"

namespace quill {
namespace {

// Asks on a thread of its own, as the readers do, while this thread runs the event loop.
std::optional<std::string> askFromWorker(WindowPasswords& passwords, int fileNumber,
                                         const std::string& path, int attempt) {
  auto answer =
      std::async(std::launch::async, [&] { return passwords.password(fileNumber, path, attempt); });
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
      15000));
  return answer.get();
}

TEST(WindowPasswordsTest, AsksOncePerFileSayingWhichAndAgainAfterAWrongOne) {
  test::RecordingDialogs dialogs;
  WindowPasswords passwords(dialogs);
  dialogs.passwordAnswers = {"first"};
  EXPECT_EQ(askFromWorker(passwords, 2, "/data/book.xlsx", 1), "first");
  ASSERT_EQ(dialogs.passwordPrompts.size(), 1);
  EXPECT_TRUE(dialogs.passwordPrompts[0].contains("Excel File #2"))
      << dialogs.passwordPrompts[0].toStdString();
  EXPECT_TRUE(dialogs.passwordPrompts[0].contains("book.xlsx"))
      << dialogs.passwordPrompts[0].toStdString();

  // The same file again in this run: the password is known.
  EXPECT_EQ(askFromWorker(passwords, 2, "/data/book.xlsx", 1), "first");
  EXPECT_EQ(dialogs.passwordPrompts.size(), 1);

  // After a wrong one the box asks again and says so; a cancel gives nothing and forgets it.
  dialogs.passwordAnswers = {};
  EXPECT_EQ(askFromWorker(passwords, 2, "/data/book.xlsx", 2), std::nullopt);
  ASSERT_EQ(dialogs.passwordPrompts.size(), 2);
  EXPECT_TRUE(dialogs.passwordPrompts[1].contains("wrong"))
      << dialogs.passwordPrompts[1].toStdString();
  dialogs.passwordAnswers = {"second"};
  EXPECT_EQ(askFromWorker(passwords, 2, "/data/book.xlsx", 1), "second");
  EXPECT_EQ(dialogs.passwordPrompts.size(), 3);
  for (const QString& prompt : dialogs.passwordPrompts) {
    EXPECT_FALSE(prompt.contains("first"));
    EXPECT_FALSE(prompt.contains("second"));
  }
}

}  // namespace
}  // namespace quill
