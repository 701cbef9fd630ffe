// Characters that Windows-1252 lacks, carried through Windows-1252 engine text as codes and
// written out in the form each kind of output takes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

/// A character that Windows-1252 lacks stands in engine text as this byte followed by
/// kForeignDigits digits, its code point in base 4, highest digit first. The mark and the
/// digits are five bytes that Windows-1252 leaves unassigned: they are no character of any
/// Windows-1252 text, so no row of the character table, no tag word, no placeholder, marker,
/// comment syntax, blank or case mapping holds or changes them, and a code passes every
/// conversion as it is. A source read as Windows-1252 where codes may be made has its own
/// mark bytes turned into the code of U+0081 (which writes them back as they were), so every
/// mark in engine text starts a code.
inline constexpr char kForeignMark = '\x81';
inline constexpr size_t kForeignDigits = 11;
inline constexpr size_t kForeignCodeSize = 1 + kForeignDigits;

/// Appends the code of code point cp (up to U+10FFFF).
void AppendForeignCode(std::string& out, char32_t cp);
/// The code point of the code that starts at text[at], or nothing when none does.
std::optional<char32_t> ForeignCodeAt(std::string_view text, size_t at);
/// Whether text holds a mark byte (and so possibly a code).
bool HoldsForeignCodes(std::string_view text);

/// How a code is written out.
enum class ForeignForm {
  Html, ///< a numeric character reference ("&#321;")
  Link, ///< "_", as in a link name or an anchor
};
/// text with every code written in form; the code of U+0081 becomes the mark byte again.
/// Other bytes stay. Text without a mark comes back as it is.
std::string ExpandForeignCodes(std::string_view text, ForeignForm form);

} // namespace qm
