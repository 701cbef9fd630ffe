#include "cli/SaveCommand.h"

#include "app/ProjectFile.h"
#include "cli/ExistingProject.h"
#include "cli/ExitStatus.h"
#include "engine/Generator.h"

namespace qm::cli {

int RunSaveCommand(const Options& options) {
  ProjectSettings settings;
  if (!options.FromFile.empty()) {
    settings = LoadExistingProject(options.FromFile);
  } else {
    // A freshly started program: default values and the templates from the Templates folder.
    const TGenerator generator(ProgramFolderOf(options));
    settings.Templates = TemplatesOf(generator);
  }
  ApplySettingFlags(options.Settings, settings);
  SaveProjectFile(options.ProjectFile, settings);
  return kExitSuccess;
}

} // namespace qm::cli
