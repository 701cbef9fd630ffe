// What one conversion run gives back: the pages it wrote and the entries it collected per
// kind, its warnings, counts and times.
#pragma once

#include "base/AnsiText.h"
#include "base/Warnings.h"
#include "engine/DocKind.h"
#include "engine/RunRecords.h"

#include <array>
#include <string>
#include <vector>

namespace qm {

/// What a run collected for one kind of documentation.
struct KindRecords {
  Lines Pages; ///< full paths of the pages written, in the order written (a page may repeat)
  std::vector<KeywordEntry> Toc;          ///< contents entries, in the order written
  std::vector<KeywordEntry> Index;        ///< index entries, in the order written
  std::vector<ContextIdEntry> ContextIds; ///< one per block with a context id
};

/// Counts of a run: sources read (and of them those decoded from UTF-8 and from UTF-16), pages
/// written (per-source and own pages, each page once) and the own pages among them; and the
/// folders and files that the search's exclude patterns left out.
struct RunCounts {
  int FoldersExcluded = 0;
  int FilesExcluded = 0;
  int SourcesRead = 0;
  int SourcesUtf8 = 0;
  int SourcesUtf16 = 0;
  int PagesWritten = 0;
  int OwnPagesWritten = 0;
};

/// Where a run's time went, in seconds summed over its threads: reading sources, converting
/// them, writing pages, and the calling thread waiting for a worker's result.
struct RunTimes {
  double reading = 0;
  double converting = 0;
  double writing = 0;
  double waiting = 0;
};

/// A link or contents entry of a source that leads out of the output folder.
struct OutsideTarget {
  SourceLine where;
  std::string target; ///< as the source gives it (Windows-1252)
  bool operator==(const OutsideTarget&) const = default;
};

/// The result of one run. A run fills it from scratch; when a failure ends the run, it holds
/// what was done up to the failure.
struct RunResult {
  /// The folder the run wrote into (ending in "/"; "/" alone: pages beside their sources).
  /// Empty until a run fills the result.
  std::string OutputFolder;
  std::array<KindRecords, 2> Kinds;
  /// The files the source search found, in its order.
  Lines Sources;
  /// The pages that were in the output folder when the run started, with their titles.
  std::vector<PageTitle> ExistingPages;
  /// The source search's warnings, then the run's, in the order found.
  WarningList Warnings;
  /// The targets of the run's sources that lead out of the output folder (each also warned):
  /// a help file compiled from the pages would carry the files they name.
  std::vector<OutsideTarget> OutsideTargets;
  RunCounts Counts;
  RunTimes Times;

  KindRecords& Of(DocKind kind) { return Kinds[EnumIndex(kind)]; }
  const KindRecords& Of(DocKind kind) const { return Kinds[EnumIndex(kind)]; }
  /// Whether a run filled this result.
  bool Ran() const { return !OutputFolder.empty(); }
};

} // namespace qm
