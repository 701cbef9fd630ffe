#include "cli/ExistingProject.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "project/ProjectModel.h"

#include <cerrno>

namespace qm::cli {

void OpenExistingProject(ProjectModel& model, const std::string& path) {
  if (!FileExists(path)) {
    throw Error::File(FileOperation::Open, kMsgCannotOpen, path, ENOENT);
  }
  model.Open(path);
}

} // namespace qm::cli
