#include "engine/TextFile.h"

#include "engine/Error.h"
#include "engine/FileSystem.h"
#include "engine/Paths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace qm {

namespace {

// Writes all bytes to fd; false with errno set on failure.
bool WriteAll(int fd, std::string_view bytes) {
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

[[noreturn]] void Fail(FileOperation operation, const char* fmt, std::string_view path, int err) {
  throw Error::File(operation, fmt, path, err);
}

[[noreturn]] void FailWrite(std::string_view path, int err) {
  throw Error::File(FileOperation::Write, kMsgWriteFailed, path, err);
}

} // namespace

std::string FileErrorMessage(std::string_view path, int err) {
  return Error::File(FileOperation::Write, kMsgWriteFailed, path, err).what();
}

std::string ReadFileBytes(std::string_view path) {
  const int fd = ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    Fail(FileOperation::Open, kMsgCannotOpen, path, errno);
  }
  std::string out;
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
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
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return out;
}

Lines ReadTextLines(std::string_view path) {
  return SplitLines(ReadFileBytes(path));
}

void WriteFileBytes(std::string_view path, std::string_view bytes) {
  const int fd = ::open(std::string(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    Fail(FileOperation::Create, kMsgCannotCreate, path, errno);
  }
  const bool ok = WriteAll(fd, bytes);
  const int err = errno;
  if (::close(fd) != 0 || !ok) {
    FailWrite(path, ok ? errno : err);
  }
}

void WriteTextLines(std::string_view path, const Lines& lines) {
  WriteFileBytes(path, JoinLines(lines));
}

void AppendFileBytes(std::string_view path, std::string_view bytes) {
  const int fd = ::open(std::string(path).c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) {
    FailWrite(path, errno);
  }
  const bool ok = WriteAll(fd, bytes);
  const int err = errno;
  if (::close(fd) != 0 || !ok) {
    FailWrite(path, ok ? errno : err);
  }
}

OutputFile::OutputFile(std::string_view path) : path_(path) {
  fd_ = ::open(std::string(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    Fail(FileOperation::Create, kMsgCannotCreate, path, errno);
  }
}

OutputFile OutputFile::Replace(std::string_view path) {
  const std::string native(path);
  const int fd = ::open(native.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
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

OutputFile::OutputFile(OutputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

void OutputFile::Write(std::string_view bytes) {
  if (!WriteAll(fd_, bytes)) {
    FailWrite(path_, errno);
  }
}

void OutputFile::Close() {
  const int fd = std::exchange(fd_, -1);
  if (fd >= 0 && ::close(fd) != 0) {
    FailWrite(path_, errno);
  }
}

namespace {

// Words for the two ways an atomic replacement fails: the temporary file cannot be made, or
// it cannot be written or put in place.
struct AtomicFailure {
  FileOperation createOperation;
  const char* createMessage;
  FileOperation writeOperation;
  const char* writeMessage;
};

// The longest part of the target's name that goes into the temporary name, so that the
// temporary name stays within the file system's limit for one name.
constexpr size_t kTempNamePart = 200;

void ReplaceAtomically(std::string_view path, std::string_view bytes, const AtomicFailure& words) {
  // Through a link, the file it names is replaced, so that the link stays a link.
  std::string target(path);
  if (char* resolved = ::realpath(target.c_str(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  const size_t slash = target.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string temp =
      target.substr(0, nameStart) + "." + target.substr(nameStart, kTempNamePart) + ".tmpXXXXXX";
  // The new file keeps the permissions of the one it replaces (mkstemp makes it private).
  struct stat old {};
  mode_t mode = 0;
  if (::stat(target.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    Fail(words.createOperation, words.createMessage, path, errno);
  }
  const bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  int err = ok ? 0 : errno;
  const bool closed = ::close(fd) == 0;
  if (ok && !closed) {
    err = errno;
  }
  if (ok && closed && ::rename(temp.c_str(), target.c_str()) != 0) {
    err = errno;
  }
  if (err != 0) {
    ::unlink(temp.c_str());
    Fail(words.writeOperation, words.writeMessage, path, err);
  }
}

} // namespace

void WriteFileAtomic(std::string_view path, std::string_view bytes, const char* failMessage) {
  ReplaceAtomically(path, bytes,
                    {FileOperation::Save, failMessage, FileOperation::Save, failMessage});
}

void ReplaceTextFile(std::string_view path, const Lines& lines) {
  ReplaceAtomically(
      path, JoinLines(lines),
      {FileOperation::Create, kMsgCannotCreateBecause, FileOperation::Write, kMsgWriteFailed});
}

} // namespace qm
