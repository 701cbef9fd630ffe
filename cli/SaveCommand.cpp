#include "cli/SaveCommand.h"

#include "base/AnsiText.h"
#include "base/FileSystem.h"
#include "cli/CliTexts.h"
#include "cli/ExistingProject.h"
#include "cli/ExitStatus.h"
#include "cli/Terminal.h"
#include "engine/Generator.h"
#include "project/ProjectFile.h"

namespace qm::cli {

int RunSaveCommand(const Options& options) {
  ProjectSettings settings;
  if (!options.FromFile.empty()) {
    settings = LoadExistingProject(options.FromFile);
  } else {
    // A freshly started program: default values and the templates from the Templates folder.
    const TGenerator generator(ProgramFolderOf(options));
    settings.Templates = generator.InstalledTemplates();
  }
  ApplySettingFlags(options.Settings, settings);
  // Merging a project into some other file would leave that file neither one nor the other.
  if (!options.Force && FileExists(options.ProjectFile) &&
      !HoldsProjectSection(options.ProjectFile)) {
    PrintUtf8(stderr, Format(kErrNotAProject, options.ProjectFile.c_str()));
    return kExitFailure;
  }
  SaveProjectFile(options.ProjectFile, settings);
  return kExitSuccess;
}

} // namespace qm::cli
