// "quillmark-cli convert": one conversion from flags or from a project file, optionally
// followed by the help project.
#pragma once

#include "cli/Options.h"

namespace qm::cli {

/// Runs the conversion that options describe and returns the exit status. Failures of the
/// engine leave as qm::Error.
int RunConvertCommand(const Options& options);

} // namespace qm::cli
