// A compiled help file as the viewer uses it: its pages, settings, contents, index and
// context map, read once when it is opened. No Qt, so that tests and tools can use it alone.
#pragma once

#include "chm/ChmArchive.h"
#include "chm/HelpFileFormat.h"
#include "chm/Sitemap.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// Where a help file named by the user lies.
struct HelpFileLocation {
  std::string Path;                  ///< the file to open (the name itself when none was found)
  bool Found = false;                ///< Path names an existing entry
  std::vector<std::string> Searched; ///< the folders looked in, for a name without a folder
};

/// A name with a folder is taken as it is. A name without one is looked for in programFolder,
/// then in currentFolder (both ending in "/"); the first that holds it wins.
HelpFileLocation LocateHelpFile(std::string_view name, const std::string& programFolder,
                                const std::string& currentFolder);

/// A page of the file: its stored path ("/Main.Doc.htm") and an anchor without "#".
struct HelpPageRef {
  std::string Path;
  std::string Anchor;
};

/// What the context map says about a number.
struct HelpContextLookup {
  bool Mapped = false;             ///< the map has the number
  std::string Target;              ///< the target it stores for it
  std::optional<HelpPageRef> Page; ///< the page of the file that target names, if any
};

class HelpFile {
public:
  struct Opened {
    std::unique_ptr<HelpFile> File;
    HelpOpenStatus Status = HelpOpenStatus::Missing;
  };
  /// Opens path and reads its settings, sitemaps and context map. A file without readable
  /// settings ("#SYSTEM", which every help compiler writes) counts as damaged.
  static Opened Open(const std::string& path);

  const HelpSystemInfo& System() const { return system_; }
  const std::vector<SitemapEntry>& Contents() const { return contents_; }
  const std::vector<SitemapEntry>& Index() const { return index_; }
  const HelpContextMap& ContextMap() const { return contextMap_; }

  /// The page that page names exactly ("Main.Doc.htm", "/sub/x.htm#a", "sub\x.htm"), ASCII
  /// case ignored.
  std::optional<HelpPageRef> FindPage(std::string_view page) const;
  /// Like FindPage, and when that fails the page of the same name inside the file: every tail
  /// of the path is tried (see PageCandidates). For targets stored by a compiler.
  std::optional<HelpPageRef> FindTarget(std::string_view target) const;
  HelpContextLookup LookUpContext(std::uint32_t number) const;
  /// The default topic of the settings, else the first contents item that leads to a page,
  /// else the first HTML page of the file; nothing when the file has no page at all. Found
  /// when the file is opened.
  const std::optional<HelpPageRef>& StartPage() const { return start_; }

  /// The path the file was opened from.
  const std::string& Path() const { return path_; }

  ChmObject Read(std::string_view path) const { return archive_->Read(path); }
  /// The stored paths of the file's HTML pages (".htm", ".html"), sorted.
  std::vector<std::string> Pages() const;

private:
  explicit HelpFile(std::unique_ptr<ChmArchive> archive);
  std::vector<SitemapEntry> ReadSitemap(const std::string& named, std::string_view extension);
  std::optional<std::string> FirstFileEndingIn(std::string_view extension) const;
  const std::vector<std::string>& Files() const;
  std::optional<HelpPageRef> FindStartPage() const;

  std::unique_ptr<ChmArchive> archive_;
  std::string path_;
  HelpSystemInfo system_;
  std::vector<SitemapEntry> contents_;
  std::vector<SitemapEntry> index_;
  HelpContextMap contextMap_;
  std::optional<HelpPageRef> start_;
  mutable std::optional<std::vector<std::string>> files_; ///< listed on first need
};

} // namespace qm
