// Path text helpers. Paths are Windows-1252 strings with "/" as the separator; folder texts
// carry their trailing separator.
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

} // namespace qm
