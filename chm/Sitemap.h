// The contents (.hhc) and index (.hhk) sitemaps of a compiled help file: HTML lists whose
// items are <OBJECT type="text/sitemap"> with <param name="Name" ...> and "Local" values,
// nested through <UL>.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// One item of a sitemap.
struct SitemapEntry {
  /// The "Name" values in file order, Windows-1252 read as such and character references
  /// decoded, in UTF-8. A contents item has one; an index item has the keyword, then the
  /// title of its topic.
  std::vector<std::string> Names;
  /// The "Local" values in file order (page, optionally "#anchor"), with character references
  /// decoded and the file's bytes kept otherwise, since they name files.
  std::vector<std::string> Locals;
  int Parent = -1; ///< index of the item whose nested list holds this one, -1 at the top
  int Depth = 0;   ///< 0 at the top, Parent's depth + 1 below it
};

/// The deepest nesting kept; items in lists nested deeper are placed at this depth.
inline constexpr int kMaxSitemapDepth = 64;

/// The items of a sitemap in file order. Objects of other types (such as the contents'
/// "text/site properties") are skipped, as are comments. Tolerant of broken markup: unclosed
/// tags, quotes and lists end at the end of the text; a stray "</UL>" is ignored. Linear in
/// the length of text.
std::vector<SitemapEntry> ParseSitemap(std::string_view text);

} // namespace qm
