#include "cli/ExistingProject.h"

#include "app/ProjectFile.h"
#include "engine/AnsiText.h"
#include "engine/Error.h"
#include "engine/FileSystem.h"
#include "engine/TextFile.h"

namespace qm::cli {

ProjectSettings LoadExistingProject(const std::string& path) {
  if (!FileExists(path)) {
    throw Error(Format(kMsgCannotOpen, path.c_str()));
  }
  return LoadProjectFile(path);
}

} // namespace qm::cli
