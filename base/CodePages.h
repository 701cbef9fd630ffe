// Conversions between the code pages Quillmark meets: Windows-1252 inside the engine,
// UTF-8 at the operating system and in the terminal, code page 850 in MS-DOS sources.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

/// Windows-1252 to UTF-8. The five unassigned bytes become the C1 controls of the same value;
/// the code of a character that Windows-1252 lacks (ForeignChars.h) becomes that character.
std::string AnsiToUtf8(std::string_view ansi);
/// The Windows-1252 byte of code point cp, or -1 when Windows-1252 lacks it (the five
/// unassigned bytes stand for the C1 controls of the same value).
int AnsiByteOf(char32_t cp);
/// UTF-8 to Windows-1252. A character without a Windows-1252 form, or a malformed byte,
/// becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);
/// UTF-8 to Windows-1252 when every character has a Windows-1252 form; nothing when one
/// lacks it or a byte is malformed.
std::optional<std::string> Utf8ToAnsiExact(std::string_view utf8);
/// UTF-8 to Windows-1252 for HTML text: a character without a Windows-1252 form becomes its
/// numeric character reference ("&#321;" for a capital L with stroke), a malformed byte "?".
std::string Utf8ToHtmlAnsi(std::string_view utf8);
/// Code page 850 to Windows-1252, byte for byte; a character without a Windows-1252 form
/// becomes its closest look-alike (box drawing to "+", "-", "|", shades to "#") or "?".
std::string OemToAnsi(std::string_view oem);

} // namespace qm
