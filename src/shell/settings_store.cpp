#include "shell/settings_store.h"

namespace quill {

SettingsStore::SettingsStore() : settings_("Marrowfen", "Quillmere") {}

QString SettingsStore::get(const QString& key, const QString& fallback) const {
  const QVariant value = settings_.value(key);
  return value.isValid() ? value.toString() : fallback;
}

void SettingsStore::save(const QString& key, const QString& value) {
  settings_.setValue(key, value);
  settings_.sync();
}

}  // namespace quill
