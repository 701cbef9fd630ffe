// Loading and saving project files (".qmpr").
#pragma once

#include "app/ProjectSettings.h"

#include <string>

namespace qm {

/// Reads a project file. Never fails: a missing file, section or key gives the loading
/// defaults, a missing template section an empty template.
ProjectSettings LoadProjectFile(const std::string& path);

/// Saves settings into path: a new file gets the seven-line header first; an existing one is
/// merged into (its other lines stay). The template sections are erased and written anew. The
/// save is atomic: on failure the file stays as it was and Error("nach %s kann nicht
/// geschrieben werden") is thrown. A value with a line break cannot be stored in its line and
/// fails the save the same way.
void SaveProjectFile(const std::string& path, const ProjectSettings& settings);

} // namespace qm
