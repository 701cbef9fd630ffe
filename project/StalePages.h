// Pages that earlier runs left in the output folder and that no source of the last run gives
// any more: found, and removed on request, after a complete run.
#pragma once

#include "base/AnsiText.h"
#include "base/Error.h"
#include "engine/RunResult.h"
#include "project/ProjectSettings.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace qm {

/// A page that cannot be removed: the page and the system's reason.
inline constexpr const char* kMsgCannotRemovePage =
    "Die veraltete Seite %s kann nicht gel\xF6scht werden: %s";

/// Whether settings write their pages into an output folder of their own, from which stale
/// pages may be removed: one is given, and it is not the input folder.
bool HasOwnOutputFolder(const ProjectSettings& settings);

/// What a prune found and did.
struct PruneResult {
  Lines Pages;                 ///< the stale pages in the order found: removed, or to be removed
  std::vector<Error> Failures; ///< the stale pages that could not be removed
};

/// Removes the stale pages of run, a complete run into an output folder of its own whose
/// sources were searched in inputFolder (ending in "/"): the files named "*.Doc.htm" or
/// "*.Tech.htm" directly in the output folder, and in the folders below it that the run wrote
/// pages into, that the run did not write, that are not the per-source page of one of its
/// sources and that are not in keep (paths, such as the additional files copied for the run).
/// Names compare without regard to case, as the run's page names do. Only regular files go:
/// a link is neither followed nor removed, and a folder reached through a link, or the input
/// folder or one inside it, is not looked into. With dryRun nothing is removed.
PruneResult PruneStalePages(const RunResult& run, const std::string& inputFolder,
                            const std::unordered_set<std::string>& keep, bool dryRun);

} // namespace qm
