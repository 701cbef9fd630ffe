#include "cli/CompileStep.h"

#include "base/Console.h"
#include "cli/Terminal.h"
#include "helpproject/HelpCompiler.h"
#include "helpproject/HelpProjectRun.h"

#include <cstdio>

namespace qm::cli {

bool CompileHelpProjects(const ProjectSettings& settings, ProgramRunner& runner,
                         const std::string& compiler, bool quiet) {
  bool ok = true;
  for (const std::string& project : ProjectFilesOf(settings.Help, settings.OutputPath)) {
    const HelpCompileResult result = CompileHelpProject(runner, compiler, project);
    // Ctrl+C reaches the compiler too; the command then ends as cancelled, not with the
    // compiler's signal.
    if (InterruptRequested()) {
      return false;
    }
    for (const std::string& line : CompileReport(result, !quiet)) {
      PrintUtf8(stderr, line);
    }
    ok = ok && result.Ok();
  }
  return ok;
}

} // namespace qm::cli
