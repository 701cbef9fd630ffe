// The internal files of a compiled help file that the viewer reads, as plain bytes: the
// settings ("#SYSTEM"), the context map ("#IVB" with "#STRINGS"), and the file texts that
// callers hand to the viewer. Nothing here trusts the bytes: every offset and length is
// checked against the data it points into.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qm {

/// The settings of a compiled help file that the viewer uses. Texts are the file's bytes
/// (Windows-1252), without the terminating NUL; a setting the file lacks is empty.
struct HelpSystemInfo {
  std::string ContentsFile; ///< record 0: the contents sitemap, e.g. "Table of Contents.Doc.hhc"
  std::string IndexFile;    ///< record 1: the index sitemap
  std::string DefaultTopic; ///< record 2: the start page, as the project named it
  std::string Title;        ///< record 3: the window title
};

/// Reads "#SYSTEM": a 4-byte version, then records of a 2-byte code, a 2-byte length and that
/// many bytes (little-endian). A record that runs past the end ends the reading; what was read
/// before stays. A text ends at its first NUL or at the end of its record.
HelpSystemInfo ParseSystemFile(std::string_view bytes);

/// Context numbers and the targets a help compiler stored for them.
class HelpContextMap {
public:
  /// Reads "#IVB": a 4-byte length of the pairs that follow, then pairs of a 4-byte context
  /// number and a 4-byte offset into "#STRINGS", where the target is a NUL-terminated text.
  /// Pairs beyond the data, offsets outside "#STRINGS" and empty targets are left out; of two
  /// pairs with the same number the first counts. Targets are taken from "#STRINGS" when asked
  /// for, so many pairs that share one long text cost no more than the pairs themselves.
  /// O(n log n) in the number of pairs.
  static HelpContextMap Parse(std::string_view ivb, std::string_view strings);

  /// The target stored for number (a page path, often as it was on the compiling machine).
  std::optional<std::string> Target(std::uint32_t number) const;
  /// Every number that has a target, ascending.
  std::vector<std::uint32_t> Numbers() const;

private:
  std::string strings_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> entries_; ///< number, offset
};

/// The internal paths under which a page named by target may lie, most specific first. A
/// compiler may store a page under the path it had when the file was compiled
/// ("/home/u/proj/out/Main.Doc.htm" or "C:\Hilfe\Main.Doc.htm"), so besides the whole path
/// every shorter tail of it is tried, down to "/Main.Doc.htm". "\" counts as "/", an anchor
/// ("#...") and a file prefix ("x.chm::") are dropped. At most the last 32 parts are used.
std::vector<std::string> PageCandidates(std::string_view target);

/// A target split at "#": the page and the anchor without "#" (empty when there is none).
std::pair<std::string_view, std::string_view> SplitAnchor(std::string_view target);

/// What a caller asks the viewer for in one file text, as the help API writes it:
/// "file.chm", "file.chm>window", "file.chm::/page.htm" or "ms-its:file.chm::/page.htm".
struct HelpFileText {
  std::string File;   ///< the help file
  std::string Page;   ///< a page given after "::" (without the leading "/"), else empty
  std::string Window; ///< a window type given after ">", else empty
};
HelpFileText SplitHelpFileText(std::string_view text);

/// True when a page says in its head that it is UTF-8 (charset=utf-8 in its first 2 KiB);
/// otherwise it is read as Windows-1252.
bool DeclaresUtf8(std::string_view page);

} // namespace qm
