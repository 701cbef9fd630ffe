#include "cli/ExistingProject.h"

#include "app/ProjectFile.h"
#include "engine/AnsiText.h"
#include "engine/Error.h"
#include "engine/FileSystem.h"
#include "engine/TextFile.h"

#include <cerrno>

namespace qm::cli {

ProjectSettings LoadExistingProject(const std::string& path) {
  if (!FileExists(path)) {
    throw Error::File(FileOperation::Open, kMsgCannotOpen, path, ENOENT);
  }
  return LoadProjectFile(path);
}

} // namespace qm::cli
