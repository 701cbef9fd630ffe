// Patterns that pick files and folders by their path relative to a folder, as the source
// search leaves them out.
#pragma once

#include "base/AnsiText.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// A list of patterns, each matching a whole path relative to a folder ("Alt/Unit1.pas"):
/// names are separated by "/" (a "\" counts as "/"); "*" stands for any run of characters
/// within one name, "?" for one character of a name, and "**" as a whole name for any number
/// of folders, none included ("Alt/**" picks Alt and everything below it, "**/Backup/*"
/// everything directly in a folder Backup at any depth). A pattern that ends in "/" picks
/// folders only. Names compare without regard to case, as the masks of the source kinds do.
///
/// Matching costs time in proportion to the pattern times the path at worst, never more: no
/// "*" or "**" makes it try the ways to split a path one inside the other.
class PathPatterns {
public:
  PathPatterns() = default;
  /// patterns are paths as the file system spells them (PathFromText of a typed pattern).
  explicit PathPatterns(const Lines& patterns);

  bool Empty() const { return patterns_.empty(); }
  /// Whether a pattern picks relative, which names a folder when isFolder is set.
  bool Matches(std::string_view relative, bool isFolder) const;

private:
  struct Pattern {
    std::vector<std::string> names; ///< case keys; "**" stands for itself
    bool foldersOnly = false;
  };
  std::vector<Pattern> patterns_;
};

} // namespace qm
