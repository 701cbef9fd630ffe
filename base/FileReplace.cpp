#include "base/FileReplace.h"

#include "base/Paths.h"
#include "base/System.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>

namespace qm {

namespace {

// The letters mkstemp puts in place of its "XXXXXX".
constexpr size_t kRandomPart = 6;

bool IsAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Opens path for reading when a regular file (not a link) is there; -1 otherwise.
int OpenRegular(const std::string& path, sys::Status& st) {
  const int fd = sys::Open(path, sys::kRead | sys::kNoFollow);
  if (fd >= 0 && (!sys::StatusOf(fd, st) || st.kind != EntryKind::File)) {
    sys::Close(fd);
    return -1;
  }
  return fd;
}

// Reads up to size bytes at the descriptor's position into buf; the count read (less only at
// the end of the file or on an error).
size_t ReadFull(int fd, char* buf, size_t size) {
  size_t got = 0;
  while (got < size) {
    const std::int64_t n = sys::Read(fd, buf + got, size - got);
    if (n <= 0) {
      break;
    }
    got += static_cast<size_t>(n);
  }
  return got;
}

} // namespace

bool IsReplacementTemp(std::string_view name) {
  // An extension after the random part is at most this long, dot included.
  constexpr size_t kExtension = 5;
  const size_t mark = name.rfind(kTempMark);
  if (mark == std::string_view::npos || name.front() != '.' ||
      name.size() < mark + kTempMark.size() + kRandomPart) {
    return false;
  }
  const std::string_view random = name.substr(mark + kTempMark.size(), kRandomPart);
  std::string_view extension = name.substr(mark + kTempMark.size() + kRandomPart);
  if (!extension.empty()) {
    if (extension.size() > kExtension || extension.front() != '.') {
      return false;
    }
    extension.remove_prefix(1);
  }
  for (const std::string_view part : {random, extension}) {
    for (const char c : part) {
      if (!IsAlnum(c)) {
        return false;
      }
    }
  }
  return true;
}

std::string ReplacementTarget(std::string_view path) {
  return sys::ResolvedPath(std::string(path));
}

std::string MakeTempBeside(const std::string& target, int& fd, std::string_view extension) {
  // Only the start of a long name goes into the temporary name, which must stay within the
  // file system's limit for one name.
  constexpr size_t kNamePart = 200;
  const size_t nameStart = ExtractFilePath(target).size();
  std::string temp = target.substr(0, nameStart) + "." + target.substr(nameStart, kNamePart) +
                     std::string(kTempMark) + std::string(kRandomPart, 'X') +
                     std::string(extension);
  fd = sys::MakeTempFile(temp, extension.size());
  return fd < 0 ? std::string() : temp;
}

std::string MakeTempFolderIn(const std::string& folder) {
  std::string temp = folder + std::string(kTempMark) + std::string(kRandomPart, 'X');
  if (!sys::MakeTempFolder(temp)) {
    return {};
  }
  return AddTrailingBackslash(temp);
}

void RemoveTemp(const std::string& path) noexcept {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(std::u8string(path.begin(), path.end())),
                              ignored);
}

int CheckReplaceable(const std::string& target, bool plain) {
  return sys::WriteRefusal(target, plain);
}

int MoveIntoPlace(const std::string& temp, const std::string& target) {
  return sys::PutInPlace(temp, target);
}

namespace {

FileStamp StampOf(const sys::Status& st) {
  return FileStamp{st.id, st.size, st.modified, st.changed};
}

} // namespace

std::optional<FileSnapshot> TakeSnapshot(const std::string& path, size_t limit) {
  sys::Status st;
  const int fd = OpenRegular(path, st);
  if (fd < 0) {
    return std::nullopt;
  }
  std::optional<FileSnapshot> snapshot;
  if (st.size <= limit) {
    snapshot.emplace();
    snapshot->stamp = StampOf(st);
    std::string& bytes = snapshot->bytes;
    bytes.resize(static_cast<size_t>(st.size));
    // A file that changes after the look shows another stamp when it is compared later.
    if (ReadFull(fd, bytes.data(), bytes.size()) != bytes.size()) {
      snapshot.reset();
    }
  }
  sys::Close(fd);
  return snapshot;
}

bool StillAsSeen(const std::string& path, const FileSnapshot& seen) {
  sys::Status st;
  return sys::PlainFileStatus(path, st) && StampOf(st) == seen.stamp;
}

bool FileHoldsBytes(const std::string& path, std::string_view bytes, const FileSnapshot* seen) {
  if (seen != nullptr && StillAsSeen(path, *seen)) {
    return seen->bytes == bytes;
  }
  sys::Status st;
  const int fd = OpenRegular(path, st);
  if (fd < 0) {
    return false;
  }
  bool same = st.size == bytes.size();
  // Not zero-filled first: every byte compared has just been read.
  const size_t piece = std::min(bytes.size(), size_t{1} << 16);
  const auto buf = std::make_unique_for_overwrite<char[]>(piece);
  for (size_t pos = 0; same && pos < bytes.size();) {
    const size_t want = std::min(piece, bytes.size() - pos);
    same = ReadFull(fd, buf.get(), want) == want &&
           std::string_view(buf.get(), want) == bytes.substr(pos, want);
    pos += want;
  }
  sys::Close(fd);
  return same;
}

bool FileHoldsSameAs(const std::string& path, const std::string& other) {
  sys::Status sa;
  sys::Status sb;
  const int fa = OpenRegular(path, sa);
  const int fb = fa < 0 ? -1 : OpenRegular(other, sb);
  bool same = fb >= 0 && sa.size == sb.size;
  if (same) {
    std::string ba(size_t{1} << 16, '\0');
    std::string bb(ba.size(), '\0');
    for (;;) {
      const size_t na = ReadFull(fa, ba.data(), ba.size());
      const size_t nb = ReadFull(fb, bb.data(), bb.size());
      if (na != nb || std::string_view(ba.data(), na) != std::string_view(bb.data(), nb)) {
        same = false;
        break;
      }
      if (na < ba.size()) {
        break;
      }
    }
  }
  if (fb >= 0) {
    sys::Close(fb);
  }
  if (fa >= 0) {
    sys::Close(fa);
  }
  return same;
}

size_t RemoveLeftoverTemps(const std::string& folder, const std::vector<DirEntry>& entries) {
  const std::string prefix = folder.empty() ? std::string() : AddTrailingBackslash(folder);
  size_t removed = 0;
  for (const DirEntry& e : entries) {
    if ((e.IsFile() || e.IsFolder()) && IsReplacementTemp(e.name)) {
      RemoveTemp(prefix + e.name);
      ++removed;
    }
  }
  return removed;
}

} // namespace qm
