// The own pages of a run: blocks that go to a page of their own are collected in memory and
// saved, each with one page header and one page footer, when the run ends.
#pragma once

#include "base/AnsiText.h"
#include "engine/PageSink.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm {

class TGenerator;

/// One own page: in memory, and once it grows large, partly in a temporary file beside it.
struct TExtraAusgabeDatei {
  std::string FileName;             ///< full path; the key, compared byte for byte
  qm::Lines Lines;                  ///< the page's lines in order, after those already in Spilled
  size_t HeldBytes = 0;             ///< what the lines given to Append take on disk
  std::optional<SpillFile> Spilled; ///< the first part of the page, once it went to disk
  bool SpillFailed = false;         ///< the page stays in memory after its spill failed
};

/// The own pages of a run, in the order in which they were created.
class TExtraAusgabeDateien {
public:
  explicit TExtraAusgabeDateien(TGenerator& owner) : owner_(owner) {}
  TExtraAusgabeDateien(const TExtraAusgabeDateien&) = delete;
  TExtraAusgabeDateien& operator=(const TExtraAusgabeDateien&) = delete;

  /// Position of the page whose FileName equals name exactly (case counts), or -1.
  int IndexOf(std::string_view name) const;
  /// The lines of the page for name; a new page is appended first and gets its page header
  /// (Doc when the lower-case name contains ".doc.htm", else Tech) from the generator's
  /// CurrentOutputFile, CurrentInputFile and CurrentTitle.
  qm::Lines& LinesFor(const std::string& name);
  /// Appends lines to the page for name (LinesFor). A page whose lines in memory grow beyond
  /// kPageMemoryLimit bytes puts them into a temporary file beside it; its own file is still
  /// written only by SaveAll.
  void Append(const std::string& name, qm::Lines lines);
  /// Adds the page footer to every page and saves it (CR LF after every line). A page that
  /// cannot be saved does not stop the others; the first failure is thrown after all were
  /// tried. Empties the collection in every case. Returns the number of pages saved.
  size_t SaveAll();
  /// Drops every page without saving (and removes what went to temporary files).
  void Clear();

  size_t Count() const { return items_.size(); }
  const TExtraAusgabeDatei& Item(size_t i) const { return *items_[i]; }

private:
  TGenerator& owner_;
  std::vector<std::unique_ptr<TExtraAusgabeDatei>> items_;
  std::unordered_map<std::string, size_t> index_;
};

} // namespace qm
