// Path text helpers. Paths are the file system's own bytes (UTF-8) with "/" as the separator;
// on Windows "\" is the separator and "/" is read as one too, and a path keeps the separators
// its user typed. Folder texts carry their trailing separator. A path turns into Windows-1252 text
// only where it becomes text of a page, a help file or a message, and a path typed as
// Windows-1252 text (a project file's value) becomes a path through PathFromText.
#pragma once

#include <string>
#include <string_view>

namespace qm {

#ifdef _WIN32
/// The path separator of this platform.
inline constexpr char kPathSep = '\\';
#else
/// The path separator of this platform.
inline constexpr char kPathSep = '/';
#endif

/// True for a character that separates the parts of a path: "/", on Windows also "\".
constexpr bool IsPathSep(char c) {
  return c == '/' || c == kPathSep;
}

/// True when folder is one separator alone: "no folder given" (AddTrailingBackslash of "").
constexpr bool IsBareSeparator(std::string_view folder) {
  return folder.size() == 1 && IsPathSep(folder[0]);
}

/// The separator path is written with (its last one); kPathSep when it has none.
char SeparatorOf(std::string_view path);

/// An empty text becomes kPathSep, a text ending in a separator stays, any other text gets the
/// separator it uses itself (its last one) appended, or kPathSep when it has none.
std::string AddTrailingBackslash(std::string_view folder);
/// The part after the last separator (on Windows also after a drive's ":"); the whole text
/// when there is none.
std::string ExtractFileName(std::string_view path);
/// ExtractFileName as a view into path.
std::string_view FileNameIn(std::string_view path);
/// The part up to and including the last separator (on Windows also a drive's ":"); empty when
/// there is none.
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
/// relative (a page name below its folder) with each part that the file system cannot hold as
/// a name made into one it can: on Windows a character it forbids in names (< > : " | ? * and
/// the controls) becomes "_", as does a blank or dot at a part's end, and a reserved device
/// name (CON, NUL, COM1...) gets "_" after it. On other systems the path stays as it is.
std::string StorablePath(std::string_view relative);

/// The form of a path under which two spellings that differ only in case are equal (the
/// Windows-1252 case mapping on each character Windows-1252 has; other characters stay).
std::string PathCaseKey(std::string_view path);

} // namespace qm
