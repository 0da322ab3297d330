#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "shell/app_title.h"
#include "shell/desktop.h"
#include "shell/program_paths.h"
#include "shell/settings_store.h"

namespace quill {
namespace {

TEST(ApplicationTitle, DropsTheLastWordAndShortensToForty) {
  struct Case {
    const char* name;
    const char* title;
  };
  for (const Case& c : {Case{"Quillmere", "Quillmere"}, Case{"Marrowfen Quillmere", "Marrowfen"},
                        Case{"a b", "a"}, Case{"", ""},
                        Case{"one two three four five six seven eight nine ten",
                             "one two three four five six seven eight"},
                        Case{"0123456789012345678901234567890123456789012 x",
                             "0123456789012345678901234567890123456789012"}}) {
    EXPECT_EQ(makeApplicationTitle(c.name), c.title) << c.name;
  }
}

TEST(Settings, MissingKeysGiveTheDefaultAndStoredEmptyTextsStayEmpty) {
  QSettings("Marrowfen", "Quillmere").clear();
  SettingsStore store;
  EXPECT_EQ(store.get(kOutputFolderKey, "fallback"), "fallback");
  store.save(kOutputFolderKey, "");
  EXPECT_EQ(SettingsStore().get(kOutputFolderKey, "fallback"), "");
  store.save(kLastFolderKey, "/a b/c");
  EXPECT_EQ(SettingsStore().get(kLastFolderKey, ""), "/a b/c");
}

TEST(Desktop, FolderEndsWithOneSeparator) {
  const QString folder = desktopFolder();
  EXPECT_TRUE(folder.endsWith('/'));
  EXPECT_FALSE(folder.endsWith("//"));
  EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(TemporaryFolder, LiesBesideTheProgramUnlessThatCannotBeWritten) {
  QTemporaryDir program;
  EXPECT_EQ(temporaryDocumentsFolder(program.path()), program.path() + "/temp");
  EXPECT_TRUE(QFileInfo(program.path() + "/temp").isDir());
  EXPECT_EQ(temporaryDocumentsFolder("/proc/quillmere"),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/temp");
}

}  // namespace
}  // namespace quill
