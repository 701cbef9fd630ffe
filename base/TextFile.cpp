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

// The most that is read of a regular file that reports no size.
constexpr size_t kUnsizedLimit = size_t{64} << 20;

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
  if (known != nullptr && S_ISREG(known->st_mode)) {
    // What is added while the file is read is not taken: a file that keeps growing would
    // otherwise be read without end. A file that gives no size (those of /proc) is read up to
    // a bound instead.
    limit =
        std::min(known->st_size > 0 ? static_cast<size_t>(known->st_size) : kUnsizedLimit, limit);
    expected = known->st_size > 0 ? limit : 0;
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
  // Opened without waiting, so that a fifo is refused rather than read forever.
  const int fd = ::open(std::string(path).c_str(), kReadFlags);
  if (fd < 0) {
    Fail(FileOperation::Open, kMsgCannotOpen, path, errno);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    if (S_ISDIR(st.st_mode)) {
      Fail(FileOperation::Open, kMsgCannotOpen, path, EISDIR);
    }
    Fail(FileOperation::Open, kMsgNotRegularFile, path, 0);
  }
  return ReadAllAndClose(fd, path, SIZE_MAX, &st);
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
    Fail(FileOperation::Create, kMsgCannotCreateBecause, path, errno);
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

namespace {

// Words for the two ways an atomic replacement fails: the file may not be replaced or the
// temporary file cannot be made, or it cannot be written or put in place.
struct AtomicFailure {
  FileOperation createOperation;
  FileFormat createMessage;
  FileOperation writeOperation;
  FileFormat writeMessage;
};

// How a replacement treats a link at the path, and whether the new bytes are flushed to the
// disk before the rename (for files a user saves; pages are many, and what a kill or a
// failure can do to them the rename alone already rules out).
struct AtomicWay {
  bool followLinks;
  bool sync;
};

void ReplaceAtomically(std::string_view path, std::string_view bytes, const AtomicFailure& words,
                       AtomicWay way) {
  const std::string target = way.followLinks ? ReplacementTarget(path) : std::string(path);
  if (const int refused = CheckReplaceable(target); refused != 0) {
    Fail(words.createOperation, words.createMessage, path, refused);
  }
  int fd = -1;
  const std::string temp = MakeTempBeside(target, fd);
  if (temp.empty()) {
    Fail(words.createOperation, words.createMessage, path, errno);
  }
  const bool ok = WriteAllBytes(fd, bytes) && (!way.sync || ::fsync(fd) == 0);
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

constexpr AtomicFailure kFileFailure{FileOperation::Create, kMsgCannotCreateBecause,
                                     FileOperation::Write, kMsgWriteFailed};

} // namespace

bool ReplaceFileIfChanged(std::string_view path, std::string_view bytes, bool mayExist) {
  const std::string native(path);
  if (mayExist && FileHoldsBytes(native, bytes)) {
    return false;
  }
  ReplaceAtomically(native, bytes, kFileFailure, {false, false});
  return true;
}

void WriteFileAtomic(std::string_view path, std::string_view bytes, FileFormat failMessage) {
  ReplaceAtomically(path, bytes,
                    {FileOperation::Save, failMessage, FileOperation::Save, failMessage},
                    {true, true});
}

void ReplaceTextFile(std::string_view path, const Lines& lines) {
  ReplaceAtomically(path, JoinLines(lines), kFileFailure, {false, true});
}

} // namespace qm
