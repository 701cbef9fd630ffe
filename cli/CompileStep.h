// "convert --help-project --compile": the help compiler over the project files just written.
#pragma once

#include "base/ExternalProgram.h"
#include "project/ProjectSettings.h"

#include <string>

namespace qm::cli {

/// Compiles every project file that the help project of settings wrote into its output
/// folder, with compiler (a path FindHelpCompiler gave), and prints each compile's report on
/// stderr (the success lines only when not quiet). True when every compile is Ok. After a
/// compile that Ctrl+C stopped, nothing more is compiled or printed, and the result is false.
bool CompileHelpProjects(const ProjectSettings& settings, ProgramRunner& runner,
                         const std::string& compiler, bool quiet);

} // namespace qm::cli
