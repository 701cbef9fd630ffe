#include "desktop/SettingsValues.h"

namespace qm {

QString SettingsKey(const QString& group, const QString& name) {
  return group + '/' + name;
}

void WriteSettingsString(QSettings& settings, const QString& key, const QString& value) {
  settings.setValue(key, value);
}

std::optional<QString> ReadSettingsString(const QSettings& settings, const QString& key) {
  const QVariant value = settings.value(key);
  if (value.typeId() != QMetaType::QString) {
    return std::nullopt;
  }
  return value.toString();
}

int ReadSettingsInt(const QSettings& settings, const QString& key, int fallback) {
  const std::optional<QString> text = ReadSettingsString(settings, key);
  if (!text) {
    return fallback;
  }
  bool ok = false;
  const int number = text->trimmed().toInt(&ok);
  return ok ? number : fallback;
}

} // namespace qm
