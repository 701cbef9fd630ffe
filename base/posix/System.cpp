// The operating-system calls of base/ on POSIX systems.
#include "base/System.h"

#include "base/CodePages.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::sys {

namespace {

EntryKind KindOfMode(mode_t mode) {
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

void Fill(const struct stat& st, Status& status) {
  status.kind = KindOfMode(st.st_mode);
  status.size = static_cast<std::uint64_t>(st.st_size);
  status.links = st.st_nlink;
  status.id = FileId{st.st_dev, st.st_ino};
  status.modified = st.st_mtim.tv_sec * std::int64_t{1000000000} + st.st_mtim.tv_nsec;
  status.changed = st.st_ctim.tv_sec * std::int64_t{1000000000} + st.st_ctim.tv_nsec;
}

// The kind of a listed entry: from the listing where it says, else from the entry itself,
// looked up relative to the folder (links followed), so that a name whose full path would be
// too long still gets its kind.
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

// The C/POSIX locale, also in its UTF-8 variants ("C.UTF-8", "C.utf8"), has no date format
// of a region; the program's German defaults stand in for it.
bool PlainLocale() {
  const char* name = std::setlocale(LC_TIME, nullptr);
  return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
         std::strncmp(name, "C.", 2) == 0;
}

std::string Strftime(const char* format, const std::tm& tm) {
  char buf[128];
  const size_t n = std::strftime(buf, sizeof buf, format, &tm);
  // The locale may speak UTF-8; the engine's texts are Windows-1252.
  return Utf8ToAnsi(std::string(buf, n));
}

} // namespace

int Open(const std::string& path, unsigned flags) {
  int mode = O_RDONLY;
  if ((flags & kWrite) != 0) {
    mode = (flags & kRead) != 0 ? O_RDWR : O_WRONLY;
  }
  // A fifo opened without O_NONBLOCK would wait for its other end; for reading it is opened
  // and then seen to be no file, for writing the open fails (ENXIO) instead of blocking.
  mode |= O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  mode |= (flags & kCreate) != 0 ? O_CREAT : 0;
  mode |= (flags & kTruncate) != 0 ? O_TRUNC : 0;
  mode |= (flags & kAppend) != 0 ? O_APPEND : 0;
  mode |= (flags & kNoFollow) != 0 ? O_NOFOLLOW : 0;
  int fd = -1;
  do {
    fd = ::open(path.c_str(), mode, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool Close(int fd) {
  return ::close(fd) == 0;
}

std::int64_t Read(int fd, char* buffer, size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0 || errno != EINTR) {
      return n;
    }
  }
}

std::int64_t ReadAt(int fd, char* buffer, size_t size, std::uint64_t offset) {
  for (;;) {
    const ssize_t n = ::pread(fd, buffer, size, static_cast<off_t>(offset));
    if (n >= 0 || errno != EINTR) {
      return n;
    }
  }
}

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

bool Seek(int fd, std::uint64_t offset) {
  return ::lseek(fd, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool Resize(int fd, std::uint64_t size) {
  return ::ftruncate(fd, static_cast<off_t>(size)) == 0;
}

bool Sync(int fd) {
  return ::fsync(fd) == 0;
}

bool StatusOf(int fd, Status& status) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    return false;
  }
  Fill(st, status);
  return true;
}

bool StatusAt(const std::string& path, Status& status) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    return false;
  }
  Fill(st, status);
  return true;
}

bool Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

bool MakeFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0;
}

bool ListEntries(const std::string& folder, std::vector<DirEntry>& entries) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    return false;
  }
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view raw(e->d_name);
    if (raw == "." || raw == "..") {
      continue;
    }
    DirEntry entry;
    entry.name = std::string(raw);
    entry.hidden = raw.front() == '.';
    entry.kind = KindOfEntry(::dirfd(dir), e);
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  return true;
}

std::string ResolvedPath(const std::string& path) {
  std::string resolved = path;
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    resolved = real;
    std::free(real);
  }
  return resolved;
}

int MakeTempFile(std::string& pattern, size_t suffix) {
  return ::mkostemps(pattern.data(), static_cast<int>(suffix), O_CLOEXEC);
}

bool MakeTempFolder(std::string& pattern) {
  return ::mkdtemp(pattern.data()) != nullptr;
}

int RenameOver(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

namespace {

// The permissions of a new file: 0666 less the process's umask, read once (asking changes the
// umask for a moment).
mode_t NewFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

} // namespace

int PutInPlace(const std::string& temp, const std::string& target) {
  // mkstemp makes the file private; the replacement keeps the permissions of the old file.
  struct stat old {};
  mode_t mode = NewFileMode();
  if (::lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    if (::access(target.c_str(), W_OK) != 0) {
      return errno;
    }
    mode = old.st_mode & 07777;
  }
  if (::chmod(temp.c_str(), mode) != 0) {
    return errno;
  }
  return RenameOver(temp, target);
}

int WriteRefusal(const std::string& path, bool plain) {
  struct stat st {};
  if (!plain && (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))) {
    return 0;
  }
  return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

bool IsPlainFile(const std::string& path) {
  Status status;
  return PlainFileStatus(path, status);
}

bool PlainFileStatus(const std::string& path, Status& status) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    return false;
  }
  Fill(st, status);
  return true;
}

bool IsLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool CopyPermissions(int from, int to) {
  struct stat st {};
  return ::fstat(from, &st) == 0 && ::fchmod(to, st.st_mode & 07777) == 0;
}

std::string ExecutablePath() {
  std::string buf(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) {
    return {};
  }
  buf.resize(static_cast<size_t>(n));
  return buf;
}

bool Environment(const char* name, std::string& value) {
  const char* text = std::getenv(name);
  if (text == nullptr) {
    return false;
  }
  value = text;
  return true;
}

std::string RegionalDate(const std::tm& tm) {
  return Strftime(PlainLocale() ? "%d.%m.%Y" : "%x", tm);
}

std::string RegionalTime(const std::tm& tm) {
  return Strftime(PlainLocale() ? "%H:%M:%S" : "%X", tm);
}

void LowerThreadPriority() {
#ifdef __linux__
  // Linux gives each thread a nice value of its own, addressed by its thread id; elsewhere the
  // call would lower the whole process, so it is left alone there.
  constexpr int kLower = 5;
  constexpr int kLowest = 19;
  const auto self = static_cast<id_t>(gettid());
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, self);
  if (errno == 0) {
    static_cast<void>(setpriority(PRIO_PROCESS, self, std::min(nice + kLower, kLowest)));
  }
#endif
}

} // namespace qm::sys
