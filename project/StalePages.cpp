#include "project/StalePages.h"

#include "base/FileSystem.h"
#include "base/Paths.h"
#include "engine/Generator.h"
#include "engine/Markers.h"

#include <cerrno>
#include <optional>

namespace qm {

namespace {

// Whether folder, below root, may be looked into: every folder from root down to it is a
// real folder, not a link, and none is the input folder (whose files may be sources).
bool MayLookInto(const std::string& root, const std::string& folder, const FileId& input) {
  size_t end = root.size();
  while (end < folder.size()) {
    while (end < folder.size() && !IsPathSep(folder[end])) {
      ++end;
    }
    if (end == folder.size()) {
      return false;
    }
    const std::string step = folder.substr(0, ++end);
    const std::string name = ExtractFileName(step.substr(0, step.size() - 1));
    const std::optional<PathInfo> info = LookUp(step);
    if (name == "." || name == ".." || IsLink(step) || !info || info->kind != EntryKind::Folder ||
        info->id == input) {
      return false;
    }
  }
  return true;
}

bool IsPageName(std::string_view name) {
  return MatchesMask(name, kDocPageMask) || MatchesMask(name, kTechPageMask);
}

} // namespace

bool HasOwnOutputFolder(const ProjectSettings& settings) {
  const std::string output = PathFromText(AddTrailingBackslash(settings.OutputPath));
  if (IsBareSeparator(output)) {
    return false;
  }
  const std::optional<PathInfo> out = LookUp(output);
  const std::optional<PathInfo> in = LookUp(PathFromText(AddTrailingBackslash(settings.InputPath)));
  return !out || !in || out->id != in->id;
}

PruneResult PruneStalePages(const RunResult& run, const std::string& inputFolder,
                            const std::unordered_set<std::string>& keep, bool dryRun) {
  const std::string& root = run.OutputFolder;
  // What stays, by case key: the pages written, the pages the sources give, and keep.
  std::unordered_set<std::string> live;
  Lines folders{root};
  std::unordered_set<std::string> listed{root};
  const std::optional<PathInfo> input = LookUp(inputFolder);
  for (const DocKind kind : kDocKinds) {
    for (const std::string& page : run.Of(kind).Pages) {
      live.insert(PathCaseKey(page));
      const std::string folder = ExtractFilePath(page);
      if (folder.starts_with(root) && listed.insert(folder).second &&
          MayLookInto(root, folder, input ? input->id : FileId{})) {
        folders.push_back(folder);
      }
    }
    for (const std::string& source : run.Sources) {
      live.insert(PathCaseKey(SourcePagePath(root, source, kind)));
    }
  }
  for (const std::string& path : keep) {
    live.insert(PathCaseKey(path));
  }

  PruneResult result;
  for (const std::string& folder : folders) {
    for (const DirEntry& entry : ListFolder(folder)) {
      const std::string path = folder + entry.name;
      if (!entry.IsFile() || !IsPageName(entry.name) || live.contains(PathCaseKey(path)) ||
          IsLink(path)) {
        continue;
      }
      if (!dryRun && !DeleteFileAt(path)) {
        result.Failures.push_back(
            Error::File(FileOperation::Delete, kMsgCannotRemovePage, path, errno));
        continue;
      }
      result.Pages.push_back(path);
    }
  }
  return result;
}

} // namespace qm
