// The own pages of a run: blocks that go to a page of their own are collected in memory and
// saved, each with one page header and one page footer, when the run ends.
#pragma once

#include "base/AnsiText.h"
#include "engine/PageFolders.h"
#include "engine/PageSink.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm {

/// One own page: in memory, and once it grows large, partly in a temporary file beside it.
struct TExtraAusgabeDatei {
  std::string FileName;             ///< full path; the key, compared byte for byte
  qm::Lines Lines;                  ///< the page's lines in order, after those already in Spilled
  size_t HeldBytes = 0;             ///< what the lines given to Append take on disk
  std::optional<SpillFile> Spilled; ///< the first part of the page, once it went to disk
  bool SpillFailed = false;         ///< the page stays in memory after its spill failed
};

/// The own pages of a run, in the order in which they were created. The run writes their
/// headers and footers; the collection keeps their lines and saves them.
class TExtraAusgabeDateien {
public:
  TExtraAusgabeDateien() = default;
  TExtraAusgabeDateien(const TExtraAusgabeDateien&) = delete;
  TExtraAusgabeDateien& operator=(const TExtraAusgabeDateien&) = delete;

  /// Position of the page whose FileName equals name exactly (case counts), or -1.
  int IndexOf(std::string_view name) const;
  /// Whether a page's FileName equals name exactly.
  bool Contains(const std::string& name) const { return index_.contains(name); }
  /// Adds an empty page for name, which is not in the collection yet, at its end.
  void Add(const std::string& name);
  /// Appends lines to the page for name, which is in the collection. A page whose lines in
  /// memory grow beyond kPageMemoryLimit bytes puts them into a temporary file beside it; its
  /// own file is still written only by SaveAll.
  void Append(const std::string& name, qm::Lines lines);
  /// Saves every page (CR LF after every line); folders says which files may be there already
  /// and learns of each page saved. A page that cannot be saved does not stop the others; the
  /// first failure is thrown after all were tried. Empties the collection in every case.
  /// Returns the number of pages saved.
  size_t SaveAll(PageFolders& folders);
  /// Drops every page without saving (and removes what went to temporary files).
  void Clear();

  size_t Count() const { return items_.size(); }
  const TExtraAusgabeDatei& Item(size_t i) const { return *items_[i]; }

private:
  std::vector<std::unique_ptr<TExtraAusgabeDatei>> items_;
  std::unordered_map<std::string, size_t> index_;
};

} // namespace qm
