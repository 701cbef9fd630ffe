#include "base/TextFile.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qm {

namespace {

// Opening for writing never waits: a fifo at the place of a page has no reader, and the open
// fails (ENXIO) instead of blocking the run. On a regular file the flag changes nothing.
constexpr int kWriteFlags = O_WRONLY | O_NONBLOCK | O_CLOEXEC;

} // namespace

bool WriteAllBytes(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

namespace {

[[noreturn]] void Fail(FileOperation operation, FileFormat format, std::string_view path, int err) {
  throw Error::File(operation, format, path, err);
}

[[noreturn]] void FailWrite(std::string_view path, int err) {
  throw Error::File(FileOperation::Write, kMsgWriteFailed, path, err);
}

// Reads everything from fd, or its first limit bytes, and closes it; throws
// Error(kMsgCannotOpen) naming path.
std::string ReadAllAndClose(int fd, std::string_view path, size_t limit = SIZE_MAX,
                            const struct stat* known = nullptr) {
  // A regular file's size is known: the bytes are read straight into a string of that size
  // (plus one byte, so that the read that finds the end needs no second allocation), not
  // through a buffer that would copy them once more.
  struct stat st {};
  if (known == nullptr && ::fstat(fd, &st) == 0) {
    known = &st;
  }
  size_t expected = 0;
  if (known != nullptr && S_ISREG(known->st_mode) && known->st_size > 0) {
    expected = std::min(static_cast<size_t>(known->st_size), limit);
  }
  constexpr size_t kChunk = size_t{1} << 16;
  std::string out;
  size_t size = 0;
  while (size < limit) {
    if (out.size() == size) {
      // Room for the bytes still expected and the probe for the end, or one more chunk.
      const size_t room = size < expected ? expected - size + 1 : kChunk;
      out.resize(size + std::min(room, limit - size));
    }
    const ssize_t n = ::read(fd, out.data() + size, out.size() - size);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      const int err = errno;
      ::close(fd);
      Fail(FileOperation::Open, kMsgCannotOpen, path, err);
    }
    if (n == 0) {
      break;
    }
    size += static_cast<size_t>(n);
  }
  ::close(fd);
  out.resize(size);
  return out;
}

// ReadRegularFileBytes once the file is open: its kind is checked on the descriptor.
std::optional<std::string> ReadOpenRegularFile(int fd, std::string_view path, EntryKind* kind,
                                               size_t limit) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    if (kind != nullptr) {
      *kind = KindOfMode(st.st_mode);
    }
    return std::nullopt;
  }
  return ReadAllAndClose(fd, path, limit, &st);
}

constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

} // namespace

std::string FileErrorMessage(std::string_view path, int err) {
  return Error::File(FileOperation::Write, kMsgWriteFailed, path, err).what();
}

std::string ReadFileBytes(std::string_view path) {
  const int fd = ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    Fail(FileOperation::Open, kMsgCannotOpen, path, errno);
  }
  return ReadAllAndClose(fd, path);
}

std::optional<std::string> ReadRegularFileBytes(std::string_view path, EntryKind* kind,
                                                size_t limit) {
  const std::string native(path);
  // The kind is looked at before the open, which for a device could already do something, and
  // again on the open file, which may have been swapped in between. Neither open nor read
  // waits: a fifo is opened without blocking and never read.
  struct stat st {};
  if (::stat(native.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    if (kind != nullptr) {
      *kind = KindOfMode(st.st_mode);
    }
    return std::nullopt;
  }
  const int fd = ::open(native.c_str(), kReadFlags);
  if (fd < 0) {
    Fail(FileOperation::Open, kMsgCannotOpen, path, errno);
  }
  return ReadOpenRegularFile(fd, path, kind, limit);
}

std::optional<std::string> ReadListedFileBytes(std::string_view path, size_t limit) {
  const int fd = ::open(std::string(path).c_str(), kReadFlags);
  if (fd < 0) {
    Fail(FileOperation::Open, kMsgCannotOpen, path, errno);
  }
  return ReadOpenRegularFile(fd, path, nullptr, limit);
}

Lines ReadTextLines(std::string_view path) {
  return SplitLines(ReadFileBytes(path));
}

void WriteFileBytes(std::string_view path, std::string_view bytes) {
  const int fd = ::open(std::string(path).c_str(), kWriteFlags | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) {
    Fail(FileOperation::Create, kMsgCannotCreate, path, errno);
  }
  const bool ok = WriteAllBytes(fd, bytes);
  const int err = errno;
  if (::close(fd) != 0 || !ok) {
    FailWrite(path, ok ? errno : err);
  }
}

void WriteTextLines(std::string_view path, const Lines& lines) {
  WriteFileBytes(path, JoinLines(lines));
}

void AppendFileBytes(std::string_view path, std::string_view bytes) {
  const int fd = ::open(std::string(path).c_str(), kWriteFlags | O_APPEND);
  if (fd < 0) {
    FailWrite(path, errno);
  }
  const bool ok = WriteAllBytes(fd, bytes);
  const int err = errno;
  if (::close(fd) != 0 || !ok) {
    FailWrite(path, ok ? errno : err);
  }
}

OutputFile::OutputFile(std::string_view path) : path_(path) {
  fd_ = ::open(std::string(path).c_str(), kWriteFlags | O_CREAT | O_TRUNC, 0666);
  if (fd_ < 0) {
    Fail(FileOperation::Create, kMsgCannotCreate, path, errno);
  }
}

OutputFile OutputFile::Replace(std::string_view path) {
  const std::string native(path);
  const int fd = ::open(native.c_str(), kWriteFlags | O_NOFOLLOW);
  if (fd >= 0) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 &&
        ::ftruncate(fd, 0) == 0) {
      OutputFile file;
      file.fd_ = fd;
      file.path_ = std::string(path);
      return file;
    }
    ::close(fd);
  }
  ::unlink(native.c_str());
  return OutputFile(path);
}

OutputFile OutputFile::Rewrite(std::string_view path, bool followLinks) {
  const std::string native(path);
  const int fd =
      ::open(native.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
  if (fd >= 0) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (followLinks || st.st_nlink == 1)) {
      OutputFile file;
      file.fd_ = fd;
      file.path_ = native;
      file.rewrite_ = true;
      file.comparing_ = true;
      file.oldSize_ = static_cast<size_t>(st.st_size);
      return file;
    }
    ::close(fd);
  }
  return followLinks ? OutputFile(path) : Replace(path);
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)), rewrite_(other.rewrite_),
      comparing_(other.comparing_), pos_(other.pos_), oldSize_(other.oldSize_) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
    rewrite_ = other.rewrite_;
    comparing_ = other.comparing_;
    pos_ = other.pos_;
    oldSize_ = other.oldSize_;
  }
  return *this;
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

namespace {

// How many bytes at the start of a and b (size bytes each) are equal. Most pages compared are
// unchanged: the library's compare settles that at once, and only a difference is looked for
// in steps.
size_t EqualPrefix(const char* a, const char* b, size_t size) {
  if (std::memcmp(a, b, size) == 0) {
    return size;
  }
  constexpr size_t kStep = 64;
  size_t equal = 0;
  while (equal + kStep <= size && std::memcmp(a + equal, b + equal, kStep) == 0) {
    equal += kStep;
  }
  while (equal < size && a[equal] == b[equal]) {
    ++equal;
  }
  return equal;
}

} // namespace

size_t OutputFile::SameBytes(std::string_view bytes) const {
  char buf[1 << 16];
  size_t same = 0;
  while (same < bytes.size() && pos_ + same < oldSize_) {
    const size_t want = std::min({sizeof buf, bytes.size() - same, oldSize_ - pos_ - same});
    const ssize_t n = ::pread(fd_, buf, want, static_cast<off_t>(pos_ + same));
    if (n <= 0) {
      if (n < 0 && errno == EINTR) {
        continue;
      }
      // What cannot be read back is written again.
      break;
    }
    const size_t got = static_cast<size_t>(n);
    const size_t equal = EqualPrefix(bytes.data() + same, buf, got);
    same += equal;
    if (equal < got) {
      break;
    }
  }
  return same;
}

void OutputFile::Write(std::string_view bytes) {
  if (comparing_) {
    const size_t same = SameBytes(bytes);
    pos_ += same;
    bytes.remove_prefix(same);
    if (bytes.empty()) {
      return;
    }
    // From the first byte that differs the file is written as usual.
    comparing_ = false;
    if (::lseek(fd_, static_cast<off_t>(pos_), SEEK_SET) < 0) {
      FailWrite(path_, errno);
    }
  }
  if (!WriteAllBytes(fd_, bytes)) {
    FailWrite(path_, errno);
  }
  pos_ += bytes.size();
}

void OutputFile::Close() {
  const int fd = std::exchange(fd_, -1);
  if (fd < 0) {
    return;
  }
  // A rewritten file that got shorter loses its old tail.
  if (rewrite_ && pos_ < oldSize_ && ::ftruncate(fd, static_cast<off_t>(pos_)) != 0) {
    const int err = errno;
    ::close(fd);
    FailWrite(path_, err);
  }
  if (::close(fd) != 0) {
    FailWrite(path_, errno);
  }
}

bool WriteFileIfChanged(std::string_view path, std::string_view bytes, bool mayExist) {
  if (!mayExist) {
    WriteFileBytes(path, bytes);
    return true;
  }
  OutputFile file = OutputFile::Rewrite(path, true);
  file.Write(bytes);
  const bool changed = !file.Unchanged();
  file.Close();
  return changed;
}

namespace {

// Words for the two ways an atomic replacement fails: the temporary file cannot be made, or
// it cannot be written or put in place.
struct AtomicFailure {
  FileOperation createOperation;
  FileFormat createMessage;
  FileOperation writeOperation;
  FileFormat writeMessage;
};

void ReplaceAtomically(std::string_view path, std::string_view bytes, const AtomicFailure& words) {
  const std::string target = ReplacementTarget(path);
  int fd = -1;
  const std::string temp = MakeTempBeside(target, fd);
  if (temp.empty()) {
    Fail(words.createOperation, words.createMessage, path, errno);
  }
  const bool ok = WriteAllBytes(fd, bytes) && ::fsync(fd) == 0;
  int err = ok ? 0 : errno;
  const bool closed = ::close(fd) == 0;
  if (ok && !closed) {
    err = errno;
  }
  if (err == 0) {
    err = MoveIntoPlace(temp, target);
  }
  if (err != 0) {
    ::unlink(temp.c_str());
    Fail(words.writeOperation, words.writeMessage, path, err);
  }
}

} // namespace

std::string ReplacementTarget(std::string_view path) {
  std::string target(path);
  if (char* resolved = ::realpath(target.c_str(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  return target;
}

std::string MakeTempBeside(const std::string& target, int& fd) {
  // Only the start of a long name goes into the temporary name, which must stay within the
  // file system's limit for one name.
  constexpr size_t kNamePart = 200;
  const size_t slash = target.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string temp =
      target.substr(0, nameStart) + "." + target.substr(nameStart, kNamePart) + ".tmpXXXXXX";
  fd = ::mkostemp(temp.data(), O_CLOEXEC);
  return fd < 0 ? std::string() : temp;
}

int MoveIntoPlace(const std::string& temp, const std::string& target) {
  // mkstemp makes the file private; the replacement keeps the permissions of the old file.
  struct stat old {};
  mode_t mode = 0;
  if (::stat(target.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::chmod(temp.c_str(), mode) != 0 || ::rename(temp.c_str(), target.c_str()) != 0) {
    return errno;
  }
  return 0;
}

void WriteFileAtomic(std::string_view path, std::string_view bytes, FileFormat failMessage) {
  ReplaceAtomically(path, bytes,
                    {FileOperation::Save, failMessage, FileOperation::Save, failMessage});
}

void ReplaceTextFile(std::string_view path, const Lines& lines) {
  ReplaceAtomically(
      path, JoinLines(lines),
      {FileOperation::Create, kMsgCannotCreateBecause, FileOperation::Write, kMsgWriteFailed});
}

} // namespace qm
