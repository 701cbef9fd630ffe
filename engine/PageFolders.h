// What a run knows of the files in its page folders: each folder is listed once, and the
// run's own writes and deletions keep that knowledge current, so that a page that cannot be
// there is not looked for on disk.
#pragma once

#include "base/FileSystem.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qm {

class PageFolders {
public:
  /// Starts keeping listings; until then, and after Stop, every page may exist.
  void Start() { keeping_ = true; }
  /// Forgets every listing.
  void Stop();

  /// Keeps what a listing of folder (ListFolder with its error) says about the pages in it,
  /// and removes the temporary files of replacements that a killed run left there.
  void Keep(const std::string& folder, const std::vector<DirEntry>& entries, int error);
  /// Whether a file may be at page: false only when the listing of its folder (made now if
  /// there is none yet) says there is none.
  bool MayExist(const std::string& page);
  /// Records that the run made page or removed it.
  void Note(const std::string& page, bool exists);

private:
  /// Looked up by views into a page's path, which need no string of their own.
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  using Names = std::unordered_set<std::string, Hash, std::equal_to<>>;

  bool keeping_ = false;
  /// Page folder -> the names of its entries that are no folders; nothing for a folder that
  /// could not be listed (anything may be there).
  std::unordered_map<std::string, std::optional<Names>, Hash, std::equal_to<>> listings_;
};

} // namespace qm
