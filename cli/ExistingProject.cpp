#include "cli/ExistingProject.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "project/ProjectFile.h"

#include <cerrno>

namespace qm::cli {

ProjectSettings LoadExistingProject(const std::string& path) {
  if (!FileExists(path)) {
    throw Error::File(FileOperation::Open, kMsgCannotOpen, path, ENOENT);
  }
  return LoadProjectFile(path);
}

} // namespace qm::cli
