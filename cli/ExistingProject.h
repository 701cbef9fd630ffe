// Loading a project file named on the command line.
#pragma once

#include "project/ProjectSettings.h"

#include <string>

namespace qm::cli {

/// Loads the project file at path, which must exist. The loader itself reads a missing file
/// as all defaults; on the command line that would turn a mistyped name into a run with empty
/// settings, so a missing file is Error("Datei %s kann nicht geöffnet werden") instead.
ProjectSettings LoadExistingProject(const std::string& path);

} // namespace qm::cli
