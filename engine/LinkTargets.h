// Where links that a source's comments write into a page lead: a help compiler packs every
// local file a page links to, so a target outside the output folder would put that file into
// the help file.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace qm {

/// True when target, a link written in a page depth folders below the output folder, names a
/// local file outside that folder: an absolute path, a drive ("C:"), a "file:" address, or a
/// ".." that climbs above the output folder ("\" counts as a separator as it does for the
/// help compiler, and "%2e" and the like are read as what they stand for). Addresses with
/// another scheme (http, https, mailto, ...) and anchors ("#x") are not local.
bool TargetLeavesFolder(std::string_view target, size_t depth);

/// True when name, a page name below a folder, leads out of it: TargetLeavesFolder at depth 0,
/// without schemes (a name is always a path).
bool NameLeavesFolder(std::string_view name);

/// Calls found with the value of each HREF and SRC attribute in line (any case, quoted with
/// '"' or '\'' or not at all).
void ForEachLinkTarget(std::string_view line, const std::function<void(std::string_view)>& found);

} // namespace qm
