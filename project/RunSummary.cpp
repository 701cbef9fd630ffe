#include "project/RunSummary.h"

#include "base/AnsiText.h"

namespace qm {

std::string RunSummaryLine(const RunCounts& counts, int warnings, std::string_view beforeWarnings) {
  std::string line = Format(kSummarySources, counts.SourcesRead);
  if (counts.SourcesUtf8 + counts.SourcesUtf16 > 0) {
    line += Format(kSummaryDecoded, counts.SourcesUtf8, counts.SourcesUtf16);
  }
  if (counts.FoldersExcluded + counts.FilesExcluded > 0) {
    line += Format(kSummaryExcluded, counts.FoldersExcluded, counts.FilesExcluded);
  }
  line += Format(kSummaryPages, counts.PagesWritten, counts.OwnPagesWritten);
  line += beforeWarnings;
  line += Format(kSummaryWarnings, warnings);
  return line;
}

} // namespace qm
