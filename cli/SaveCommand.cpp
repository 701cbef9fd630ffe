#include "cli/SaveCommand.h"

#include "base/AnsiText.h"
#include "base/FileSystem.h"
#include "cli/CliTexts.h"
#include "cli/ExistingProject.h"
#include "cli/ExitStatus.h"
#include "cli/Terminal.h"
#include "project/ProjectFile.h"
#include "project/ProjectModel.h"

namespace qm::cli {

int RunSaveCommand(const Options& options) {
  ProjectModel model(ProgramFolderOf(options));
  if (!options.FromFile.empty()) {
    OpenExistingProject(model, options.FromFile);
  } else {
    // A freshly started program: default values and the templates from the Templates folder.
    model.ReadInstallation();
    model.StartFresh();
  }
  ApplySettingFlags(options.Settings, model.Edit());
  // Merging a project into some other file would leave that file neither one nor the other.
  if (!options.Force && FileExists(options.ProjectFile) &&
      !HoldsProjectSection(options.ProjectFile)) {
    PrintUtf8(stderr, Format(kErrNotAProject, options.ProjectFile.c_str()));
    return kExitFailure;
  }
  model.SaveAs(options.ProjectFile);
  return kExitSuccess;
}

} // namespace qm::cli
