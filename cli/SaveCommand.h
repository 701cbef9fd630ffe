// "quillmark-cli save": writes a project file from flags, optionally over an older project.
#pragma once

#include "cli/Options.h"

namespace qm::cli {

/// Saves the project that options describe and returns the exit status. Failures leave as
/// qm::Error.
int RunSaveCommand(const Options& options);

} // namespace qm::cli
