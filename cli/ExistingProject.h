// Opening a project file named on the command line.
#pragma once

#include <string>

namespace qm {
class ProjectModel;
}

namespace qm::cli {

/// Opens the project file at path, which must exist, in model. The model reads a missing file
/// as all defaults; on the command line that would turn a mistyped name into a run with empty
/// settings, so a missing file is Error("Datei %s kann nicht geöffnet werden") instead.
void OpenExistingProject(ProjectModel& model, const std::string& path);

} // namespace qm::cli
