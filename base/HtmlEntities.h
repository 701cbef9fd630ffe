// HTML character references in help-file text: the sitemap writers turn "ü" into "&uuml;",
// and a viewer, like the search data of a web help, gives the character again.
#pragma once

#include <string>
#include <string_view>

namespace qm {

/// text with every character reference replaced by its character in UTF-8: named references
/// of HTML 4 ("&uuml;", "&amp;", "&euro;", ...) and numeric ones ("&#252;", "&#xFC;"; 128-159
/// are read as Windows-1252, as browsers do). A reference must end in ";"; an unknown name, a
/// missing ";" or a number that is no character leaves the text as it stands. Other bytes are
/// copied unchanged. Linear in the length of text.
std::string DecodeEntities(std::string_view text);

/// Appends the UTF-8 form of code point cp (which must be a valid scalar value).
void AppendUtf8(std::string& out, char32_t cp);

} // namespace qm
