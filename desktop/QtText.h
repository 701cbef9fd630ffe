// The boundary between the core's texts (Windows-1252 text, paths as the file system spells
// them, UTF-8 error messages) and Qt's Unicode strings.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <string>
#include <string_view>

namespace qm {

class Error;

/// A Windows-1252 text of the core as Unicode.
QString FromAnsi(std::string_view ansi);
/// A Unicode text as Windows-1252 for the core; a character without a Windows-1252 form
/// becomes "?".
std::string ToAnsi(const QString& text);
/// True when text survives ToAnsi unchanged (every character has a Windows-1252 form).
bool IsAnsiText(const QString& text);
/// The first character of text that Windows-1252 lacks, as a view into text (a surrogate pair
/// counts as one character); nothing when there is none.
std::optional<QStringView> FirstNonAnsi(const QString& text);
/// The code point of a character that FirstNonAnsi found.
char32_t CodePointOf(QStringView character);
/// A UTF-8 text as Unicode, as it is.
QString FromUtf8(std::string_view utf8);
/// A UTF-8 text of a window's resources: CR LF becomes Qt's line break.
QString UiText(std::string_view utf8);
/// A Windows-1252 message of the core for a message box: CR LF and lone CR become line breaks.
QString MessageFromAnsi(std::string_view ansi);
/// The message of a failure for a message box: its UTF-8 wording, line breaks as above.
QString ErrorText(const Error& error);

/// A path as the file system spells it, as Unicode for display.
QString FromPath(std::string_view path);
/// A path the user chose or typed, as the file system spells it.
std::string ToPath(const QString& path);

} // namespace qm
