// The one-line summary of a conversion, in the words both front ends use: the command line
// prints it as its last line, the desktop program shows it in the main window's status line.
#pragma once

#include "engine/RunResult.h"

#include <string>
#include <string_view>

namespace qm {

/// The summary's parts (UTF-8): the sources read; of them those read as UTF-8 and as UTF-16
/// (only when there are such); the folders and files the exclude patterns left out (only when
/// there are such); the pages written and the own pages among them; the warnings.
inline constexpr const char* kSummarySources = "%d Quelle(n) gelesen";
inline constexpr const char* kSummaryDecoded = " (davon %d als UTF-8, %d als UTF-16)";
inline constexpr const char* kSummaryExcluded = ", %d Ordner und %d Datei(en) ausgeschlossen";
inline constexpr const char* kSummaryPages = ", %d Seite(n) geschrieben (davon %d eigene)";
inline constexpr const char* kSummaryWarnings = ", %d Warnung(en)";

/// "N Quelle(n) gelesen, M Seite(n) geschrieben (davon K eigene), W Warnung(en)", with the
/// decoded sources only when a source was read as UTF-8 or UTF-16; beforeWarnings (a front
/// end's own part, starting with ", ") stands before the warnings.
std::string RunSummaryLine(const RunCounts& counts, int warnings,
                           std::string_view beforeWarnings = {});

} // namespace qm
