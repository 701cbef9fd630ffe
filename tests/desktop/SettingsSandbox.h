// Points the user's settings (QSettings, user scope) at a fresh temporary folder, so that GUI
// tests never read or write the user's own configuration.
#pragma once

#include "TestUtil.h"

#include <QSettings>
#include <QString>

#include <string>
#include <string_view>

namespace qmtest {

class SettingsSandbox {
public:
  SettingsSandbox() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(dir_.path()));
  }

  /// The file of organisation "Pellhardt", application "Quillmark" on this platform.
  std::string File() const { return dir_ / "Pellhardt/Quillmark.conf"; }
  /// Writes the settings file by hand, as a user or an older version might have left it.
  void Seed(std::string_view text) const { WriteFile(File(), text); }
  std::string Text() const { return ReadFile(File()); }

private:
  TempDir dir_;
};

} // namespace qmtest
