// A settings store that cannot be read or holds garbage: every key gives its default,
// nothing is shown, and the next save still lands.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "shell/settings_store.h"

namespace quill {
namespace {

QString storeFile() {
  return QSettings("Marrowfen", "Quillmere").fileName();
}

void replaceStoreFile(const QByteArray& content) {
  QFile::remove(storeFile());
  QDir().rmpath(storeFile());
  QDir().mkpath(QFileInfo(storeFile()).path());
  QFile file(storeFile());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
}

void expectDefaultsEverywhere() {
  SettingsStore store;
  for (const char* key : {kExcelFileKey, kCompareWithKey, kOutputFolderKey, kLastFolderKey})
    EXPECT_EQ(store.get(key, "default"), "default") << key;
}

TEST(DamagedSettings, GarbageGivesTheDefaults) {
  const QByteArray garbage[] = {
      // Random-looking bytes, NULs and broken section headers.
      QByteArray("\xff\xfe\x00\x01[[[\n=\n\x80\x81garbage", 22),
      // Keys that parse, but not as texts: a list and a damaged typed value.
      "[General]\nExcel%20File=a, b\nCompare%20With=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10x)\n"
      "Output%20Folder=@ByteArray(x)\nLastFolderDot=@Invalid()\n",
  };
  for (const QByteArray& content : garbage) {
    SCOPED_TRACE(content.toStdString());
    replaceStoreFile(content);
    expectDefaultsEverywhere();
    SettingsStore().save(kExcelFileKey, "/a, b.xls");
    EXPECT_EQ(SettingsStore().get(kExcelFileKey, "default"), "/a, b.xls");
  }
  QSettings("Marrowfen", "Quillmere").clear();
}

TEST(DamagedSettings, AnUnreadableStoreGivesTheDefaults) {
  QFile::remove(storeFile());
  ASSERT_TRUE(QDir().mkpath(storeFile()));  // a folder where the file should be
  expectDefaultsEverywhere();
  QDir().rmpath(storeFile());
}

}  // namespace
}  // namespace quill
