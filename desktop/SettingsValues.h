// The user's settings as the form storage keeps them: every value a string, so that the
// registry on Windows and the INI file elsewhere hold the same texts.
#pragma once

#include <QSettings>
#include <QString>

#include <optional>

namespace qm {

/// group + "/" + name.
QString SettingsKey(const QString& group, const QString& name);

/// Writes value as a string. QSettings then keeps the text as it stands (quoted where needed)
/// and hands it back as a string, never as a number, a list or a boolean.
void WriteSettingsString(QSettings& settings, const QString& key, const QString& value);

/// The value at key when it is a string; nothing when it is missing or of another kind (a list,
/// "@ByteArray(...)", "@Rect(...)", or in the registry a value of another type).
std::optional<QString> ReadSettingsString(const QSettings& settings, const QString& key);

/// The value at key as a number, blanks around it ignored; fallback when it is missing, of
/// another kind or not a number.
int ReadSettingsInt(const QSettings& settings, const QString& key, int fallback);

} // namespace qm
