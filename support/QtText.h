// The boundary between the core's Windows-1252 texts and Qt's Unicode strings.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qm {

/// A Windows-1252 text of the core as Unicode.
QString FromAnsi(std::string_view ansi);
/// A Unicode text as Windows-1252 for the core; a character without a Windows-1252 form
/// becomes "?".
std::string ToAnsi(const QString& text);
/// True when text survives ToAnsi unchanged (every character has a Windows-1252 form).
bool IsAnsiText(const QString& text);
/// A UTF-8 text of a window's resources: CR LF becomes Qt's line break.
QString UiText(const char* utf8);
/// A Windows-1252 message of the core for a message box: CR LF and lone CR become line breaks.
QString MessageFromAnsi(std::string_view ansi);

} // namespace qm
