#pragma once

#include <QSettings>
#include <QString>

namespace quill {

// The keys under which the windows keep their texts between runs.
inline constexpr const char* kExcelFileKey = "Excel File";
inline constexpr const char* kCompareWithKey = "Compare With";
inline constexpr const char* kOutputFolderKey = "Output Folder";
inline constexpr const char* kLastFolderKey = "LastFolderDot";

// The per-user settings store of the program: text values under the maker's and the
// product's names, each written through to disk at once.
class SettingsStore {
 public:
  SettingsStore();

  // The stored text, or the default when the key is missing or holds something other than
  // a text (a damaged store); a stored "" stays "".
  QString get(const QString& key, const QString& fallback) const;
  void save(const QString& key, const QString& value);

 private:
  QSettings settings_;
};

}  // namespace quill
