#include "base/FileSystem.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"
#include "base/FileReplace.h"
#include "base/Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

namespace {

// The kind of a listed entry: from the listing where it says, else from the entry itself,
// looked up relative to the folder (links followed).
EntryKind KindOfEntry(int folder, const dirent* e) {
  switch (e->d_type) {
  case DT_REG:
    return EntryKind::File;
  case DT_DIR:
    return EntryKind::Folder;
  case DT_FIFO:
    return EntryKind::Fifo;
  case DT_SOCK:
    return EntryKind::Socket;
  case DT_CHR:
  case DT_BLK:
    return EntryKind::Device;
  default:
    break;
  }
  struct stat st {};
  if (fstatat(folder, e->d_name, &st, 0) == 0) {
    return KindOfMode(st.st_mode);
  }
  // What cannot be reached through its name is a link whose target is missing, or an entry
  // that vanished since the listing; neither can be read.
  return EntryKind::BrokenLink;
}

} // namespace

EntryKind KindOfMode(unsigned mode) {
  if (S_ISREG(mode)) {
    return EntryKind::File;
  }
  if (S_ISDIR(mode)) {
    return EntryKind::Folder;
  }
  if (S_ISFIFO(mode)) {
    return EntryKind::Fifo;
  }
  if (S_ISSOCK(mode)) {
    return EntryKind::Socket;
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return EntryKind::Device;
  }
  return EntryKind::BrokenLink;
}

std::vector<DirEntry> ListFolder(std::string_view folder, int* error) {
  std::vector<DirEntry> entries;
  const std::string native(folder.empty() ? std::string_view(".") : folder);
  if (error != nullptr) {
    *error = 0;
  }
  DIR* dir = opendir(native.c_str());
  if (dir == nullptr) {
    if (error != nullptr) {
      *error = errno;
    }
    return entries;
  }
  while (const dirent* e = readdir(dir)) {
    const std::string_view raw(e->d_name);
    if (raw == "." || raw == "..") {
      continue;
    }
    DirEntry entry;
    entry.name = std::string(raw);
    entry.hidden = raw.front() == '.';
    entry.kind = KindOfEntry(dirfd(dir), e);
    entries.push_back(std::move(entry));
  }
  closedir(dir);
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
  struct stat st {};
  if (::stat(std::string(path).c_str(), &st) != 0) {
    if (error != nullptr) {
      *error = errno;
    }
    return std::nullopt;
  }
  return PathInfo{
      KindOfMode(st.st_mode), {st.st_dev, st.st_ino}, static_cast<unsigned long long>(st.st_size)};
}

bool CanOpenForReading(std::string_view path, int* error) {
  const int fd = ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (error != nullptr) {
      *error = errno;
    }
    return false;
  }
  ::close(fd);
  return true;
}

bool PathExists(std::string_view path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(std::string(path)), ec);
}

bool FileExists(std::string_view path) {
  struct stat st {};
  return stat(std::string(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
  struct stat st {};
  return stat(std::string(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFileAt(std::string_view path) {
  return unlink(std::string(path).c_str()) == 0;
}

bool CreateFolder(std::string_view path) {
  return mkdir(std::string(path).c_str(), 0777) == 0;
}

bool ForceDirectories(std::string_view path, int* error) {
  std::string p(path);
  while (p.size() > 1 && p.back() == kPathSep) {
    p.pop_back();
  }
  if (p.empty() || DirectoryExists(p)) {
    return true;
  }
  const std::string parent = ExtractFilePath(p);
  if (!parent.empty() && parent != p && !ForceDirectories(parent, error)) {
    return false;
  }
  if (mkdir(p.c_str(), 0777) != 0) {
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

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

} // namespace

int CopyFileAtomic(const std::string& from, const std::string& to) {
  const int in = ::open(std::string(from).c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    return errno;
  }
  struct stat st {};
  int out = -1;
  const std::string temp = ::fstat(in, &st) == 0 ? MakeTempBeside(to, out) : std::string();
  if (out < 0) {
    const int err = errno;
    ::close(in);
    return err;
  }
  int err = 0;
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      err = errno;
    }
    if (n <= 0) {
      break;
    }
    if (!WriteAll(out, buf, static_cast<size_t>(n))) {
      err = errno;
      break;
    }
  }
  ::close(in);
  if (err == 0 && (::fchmod(out, st.st_mode & 07777) != 0 || ::fsync(out) != 0)) {
    err = errno;
  }
  if (::close(out) != 0 && err == 0) {
    err = errno;
  }
  if (err == 0 && ::rename(temp.c_str(), std::string(to).c_str()) != 0) {
    err = errno;
  }
  if (err != 0) {
    ::unlink(temp.c_str());
  }
  return err;
}

std::string ProgramFolder() {
  std::string buf(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) {
    return "./";
  }
  buf.resize(static_cast<size_t>(n));
  return ExtractFilePath(buf);
}

} // namespace qm
