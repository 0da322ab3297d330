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

TEST(ProgramFolders, BuildFolderKeepsTempBesideTheProgramInstalledOneUsesTheUserData) {
  QTemporaryDir root;
  const QString user = root.path() + "/user";
  const QString build = root.path() + "/build/bin";
  ASSERT_TRUE(QDir().mkpath(build + "/Samples"));
  const ProgramFolders fromBuild = locateProgramFolders(build, user);
  EXPECT_EQ(fromBuild.files, build);
  EXPECT_EQ(fromBuild.temporary, build + "/temp");
  EXPECT_TRUE(QFileInfo(build + "/temp").isDir());

  // Installed: the binary's folder may well be writable (root, a user prefix), yet nothing
  // is written beside it.
  const QString bin = root.path() + "/usr/bin";
  ASSERT_TRUE(QDir().mkpath(bin));
  ASSERT_TRUE(QDir().mkpath(root.path() + "/usr/share/quillmere/Samples"));
  const ProgramFolders installed = locateProgramFolders(bin, user);
  EXPECT_EQ(installed.files, root.path() + "/usr/share/quillmere");
  EXPECT_EQ(installed.temporary, user + "/temp");
  EXPECT_FALSE(QFileInfo(bin + "/temp").exists());

  const ProgramFolders neither = locateProgramFolders("/proc/quillmere", user);
  EXPECT_EQ(neither.files, "/proc/quillmere");
  EXPECT_EQ(neither.temporary, user + "/temp");
}

}  // namespace
}  // namespace quill
