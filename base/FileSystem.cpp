#include "base/FileSystem.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"
#include "base/FileReplace.h"
#include "base/Paths.h"
#include "base/System.h"

#include <algorithm>
#include <cerrno>

namespace qm {

std::vector<DirEntry> ListFolder(std::string_view folder, int* error) {
  std::vector<DirEntry> entries;
  const std::string native(folder.empty() ? std::string_view(".") : folder);
  if (error != nullptr) {
    *error = 0;
  }
  if (!sys::ListEntries(native, entries)) {
    if (error != nullptr) {
      *error = errno;
    }
    return {};
  }
  std::vector<std::pair<std::string, size_t>> keys;
  keys.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    keys.emplace_back(AnsiUpperCase(Utf8ToAnsi(entries[i].name)), i);
  }
  std::sort(keys.begin(), keys.end(), [&entries](const auto& a, const auto& b) {
    if (a.first != b.first) {
      return a.first < b.first;
    }
    return entries[a.second].name < entries[b.second].name;
  });
  std::vector<DirEntry> sorted;
  sorted.reserve(entries.size());
  for (const auto& key : keys) {
    sorted.push_back(std::move(entries[key.second]));
  }
  return sorted;
}

bool MatchesMask(std::string_view name, std::string_view mask) {
  if (mask == "*.") {
    return name.find('.') == std::string_view::npos;
  }
  // The usual mask, "*.pas", only asks whether the name ends in what follows its star.
  if (mask.starts_with('*') && mask.find_first_of("*?", 1) == std::string_view::npos) {
    const std::string_view tail = mask.substr(1);
    return name.size() >= tail.size() && SameText(name.substr(name.size() - tail.size()), tail);
  }
  // Iterative wildcard match with one backtrack point: linear in practice, never exponential.
  size_t n = 0;
  size_t m = 0;
  size_t starM = std::string_view::npos;
  size_t starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starM = m++;
      starN = n;
    } else if (m < mask.size() &&
               (mask[m] == '?' || AnsiUpperChar(mask[m]) == AnsiUpperChar(name[n]))) {
      ++m;
      ++n;
    } else if (starM != std::string_view::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') {
    ++m;
  }
  return m == mask.size();
}

std::optional<PathInfo> LookUp(std::string_view path, int* error) {
  sys::Status status;
  if (!sys::StatusAt(std::string(path), status)) {
    if (error != nullptr) {
      *error = errno;
    }
    return std::nullopt;
  }
  return PathInfo{status.kind, status.id, status.size};
}

bool CanOpenForReading(std::string_view path, int* error) {
  const int fd = sys::Open(std::string(path), sys::kRead);
  if (fd < 0) {
    if (error != nullptr) {
      *error = errno;
    }
    return false;
  }
  sys::Close(fd);
  return true;
}

bool PathExists(std::string_view path) {
  sys::Status status;
  return sys::StatusAt(std::string(path), status);
}

bool FileExists(std::string_view path) {
  sys::Status status;
  return sys::StatusAt(std::string(path), status) && status.kind != EntryKind::Folder;
}

bool DirectoryExists(std::string_view path) {
  sys::Status status;
  return sys::StatusAt(std::string(path), status) && status.kind == EntryKind::Folder;
}

bool IsLink(std::string_view path) {
  return sys::IsLink(std::string(path));
}

bool DeleteFileAt(std::string_view path) {
  return sys::Remove(std::string(path));
}

bool CreateFolder(std::string_view path) {
  return sys::MakeFolder(std::string(path));
}

bool ForceDirectories(std::string_view path, int* error) {
  std::string p(path);
  while (p.size() > 1 && IsPathSep(p.back())) {
    p.pop_back();
  }
  if (p.empty() || DirectoryExists(p)) {
    return true;
  }
  const std::string parent = ExtractFilePath(p);
  if (!parent.empty() && parent != p && !ForceDirectories(parent, error)) {
    return false;
  }
  if (!sys::MakeFolder(p)) {
    const int err = errno;
    // Another process may have made it in the meantime.
    if (DirectoryExists(p)) {
      return true;
    }
    if (error != nullptr) {
      // Something that is no folder has the name: the path cannot lead through it.
      *error = err == EEXIST ? ENOTDIR : err;
    }
    return false;
  }
  return true;
}

int CopyFileAtomic(const std::string& from, const std::string& to) {
  const int in = sys::Open(from, sys::kRead);
  if (in < 0) {
    return errno;
  }
  int out = -1;
  const std::string temp = MakeTempBeside(to, out);
  if (out < 0) {
    const int err = errno;
    sys::Close(in);
    return err;
  }
  int err = 0;
  char buf[1 << 16];
  for (;;) {
    const std::int64_t n = sys::Read(in, buf, sizeof buf);
    if (n < 0) {
      err = errno;
    }
    if (n <= 0) {
      break;
    }
    if (!sys::WriteAll(out, buf, static_cast<size_t>(n))) {
      err = errno;
      break;
    }
  }
  if (err == 0 && (!sys::CopyPermissions(in, out) || !sys::Sync(out))) {
    err = errno;
  }
  sys::Close(in);
  if (!sys::Close(out) && err == 0) {
    err = errno;
  }
  if (err == 0) {
    err = sys::RenameOver(temp, to);
  }
  if (err != 0) {
    sys::Remove(temp);
  }
  return err;
}

std::string ProgramFolder() {
  const std::string program = sys::ExecutablePath();
  return program.empty() ? std::string(".") + kPathSep : ExtractFilePath(program);
}

} // namespace qm
