#include "chm/ChmArchive.h"

#include "base/FileSystem.h"

#include <chm_lib.h>

#include <algorithm>
#include <cerrno>

namespace qm {

namespace {

/// CHMLib keeps object paths in buffers of this size; a longer path names no object.
bool Resolvable(std::string_view path) {
  return !path.empty() && path.size() <= CHM_MAX_PATHLEN && path.find('\0') == std::string::npos;
}

} // namespace

ChmArchive::ChmArchive(chmFile* handle, unsigned long long fileSize)
    : handle_(handle), fileSize_(fileSize) {}

ChmArchive::~ChmArchive() {
  chm_close(handle_);
}

ChmArchive::Opened ChmArchive::Open(const std::string& path) {
  Opened result;
  int err = 0;
  const std::optional<PathInfo> info = LookUp(path, &err);
  if (!info) {
    result.Status = err == EACCES ? HelpOpenStatus::AccessDenied : HelpOpenStatus::Missing;
    return result;
  }
  if (info->kind != EntryKind::File) {
    result.Status = HelpOpenStatus::NotAFile;
    return result;
  }
  // Asked first so that a file we may not read is not reported as damaged.
  if (!CanOpenForReading(path, &err)) {
    result.Status = err == EACCES ? HelpOpenStatus::AccessDenied : HelpOpenStatus::Damaged;
    return result;
  }
  chmFile* handle = chm_open(path.c_str());
  if (handle == nullptr) {
    result.Status = HelpOpenStatus::Damaged;
    return result;
  }
  result.Archive.reset(new ChmArchive(handle, info->size));
  result.Status = HelpOpenStatus::Ok;
  return result;
}

std::optional<std::string> ChmArchive::Resolve(std::string_view path) const {
  if (!Resolvable(path)) {
    return std::nullopt;
  }
  chmUnitInfo unit{};
  if (chm_resolve_object(handle_, std::string(path).c_str(), &unit) != CHM_RESOLVE_SUCCESS) {
    return std::nullopt;
  }
  unit.path[CHM_MAX_PATHLEN] = '\0';
  return std::string(unit.path);
}

ChmObject ChmArchive::Read(std::string_view path) const {
  ChmObject object;
  chmUnitInfo unit{};
  if (!Resolvable(path) ||
      chm_resolve_object(handle_, std::string(path).c_str(), &unit) != CHM_RESOLVE_SUCCESS) {
    return object;
  }
  object.Status = ChmReadStatus::Damaged;
  if (unit.length > kMaxObjectSize) {
    return object;
  }
  // An uncompressed object lies in the file as it is: its extent must fit the file.
  if (unit.space == CHM_UNCOMPRESSED &&
      (unit.start > fileSize_ || unit.length > fileSize_ - unit.start)) {
    return object;
  }
  if (unit.length == 0) {
    object.Status = ChmReadStatus::Ok;
    return object;
  }
  std::string bytes(static_cast<size_t>(unit.length), '\0');
  const LONGINT64 got =
      chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                          static_cast<LONGINT64>(unit.length));
  if (got != static_cast<LONGINT64>(unit.length)) {
    return object;
  }
  object.Status = ChmReadStatus::Ok;
  object.Bytes = std::move(bytes);
  return object;
}

std::vector<std::string> ChmArchive::Files() const {
  std::vector<std::string> files;
  const auto collect = [](chmFile*, chmUnitInfo* unit, void* context) -> int {
    auto* list = static_cast<std::vector<std::string>*>(context);
    unit->path[CHM_MAX_PATHLEN] = '\0';
    list->emplace_back(unit->path);
    // A damaged directory may list entries without end.
    return list->size() < kMaxListed ? CHM_ENUMERATOR_CONTINUE : CHM_ENUMERATOR_SUCCESS;
  };
  chm_enumerate(handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collect, &files);
  std::sort(files.begin(), files.end());
  return files;
}

} // namespace qm
