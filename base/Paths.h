// Path text helpers. Paths are the file system's own bytes (UTF-8 here) with "/" as the
// separator; folder texts carry their trailing separator. A path turns into Windows-1252 text
// only where it becomes text of a page, a help file or a message, and a path typed as
// Windows-1252 text (a project file's value) becomes a path through PathFromText.
#pragma once

#include <string>
#include <string_view>

namespace qm {

/// The path separator of this platform.
inline constexpr char kPathSep = '/';

/// An empty text becomes "/", a text ending in "/" stays, any other text gets "/" appended.
std::string AddTrailingBackslash(std::string_view folder);
/// The part after the last "/" (the whole text when there is none).
std::string ExtractFileName(std::string_view path);
/// The part up to and including the last "/" (empty when there is none).
std::string ExtractFilePath(std::string_view path);
/// The last extension of the file name, with its dot ("" when the name has no dot).
std::string ExtractFileExt(std::string_view path);
/// The path with its last extension replaced by ext; a name without a dot gets ext appended.
std::string ChangeFileExt(std::string_view path, std::string_view ext);

/// The path that Windows-1252 text (a typed folder, an own-page name from a source) names.
std::string PathFromText(std::string_view text);
/// A path as Windows-1252 text: a character that Windows-1252 lacks becomes "?".
std::string PathToText(std::string_view path);
/// A path as Windows-1252 HTML text: a character that Windows-1252 lacks becomes its numeric
/// character reference.
std::string PathToHtmlText(std::string_view path);
/// The form of a path under which two spellings that differ only in case are equal (the
/// Windows-1252 case mapping on each character Windows-1252 has; other characters stay).
std::string PathCaseKey(std::string_view path);

} // namespace qm
