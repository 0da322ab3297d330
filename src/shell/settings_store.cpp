#include "shell/settings_store.h"

#include "shell/app_title.h"

namespace quill {

SettingsStore::SettingsStore() : settings_(kMakerName, kProductName) {}

QString SettingsStore::get(const QString& key, const QString& fallback) const {
  // The store holds only texts; a value of any other kind is damage and counts as missing.
  const QVariant value = settings_.value(key);
  return value.typeId() == QMetaType::QString ? value.toString() : fallback;
}

void SettingsStore::save(const QString& key, const QString& value) {
  settings_.setValue(key, value);
  settings_.sync();
}

}  // namespace quill
