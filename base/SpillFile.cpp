#include "base/SpillFile.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

SpillFile::~SpillFile() {
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
  }
}

void SpillFile::Append(std::string_view bytes) {
  int fd = -1;
  bool made = false;
  if (temp_.empty()) {
    temp_ = MakeTempBeside(ReplacementTarget(path_), fd);
    if (temp_.empty()) {
      throw Error::File(FileOperation::Create, kMsgCannotCreateBecause, path_, errno);
    }
    made = true;
  } else {
    // The file is opened for each piece: a run may spill many files, each piece is large.
    fd = ::open(temp_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
      throw Error::File(FileOperation::Write, kMsgWriteFailed, path_, errno);
    }
  }
  struct stat before {};
  ::fstat(fd, &before);
  const bool written = WriteAllBytes(fd, bytes);
  int err = written ? 0 : errno;
  if (::close(fd) != 0 && err == 0) {
    err = errno;
  }
  if (err != 0) {
    // The piece stays with the caller; the file keeps only what was spilled before it.
    if (made) {
      ::unlink(temp_.c_str());
      temp_.clear();
    } else {
      [[maybe_unused]] const int ignored = ::truncate(temp_.c_str(), before.st_size);
    }
    throw Error::File(FileOperation::Write, kMsgWriteFailed, path_, err);
  }
}

namespace {

// True when the regular files a and b (links followed) hold the same bytes.
bool SameContent(const std::string& a, const std::string& b) {
  const int fa = ::open(a.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  const int fb = fa < 0 ? -1 : ::open(b.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  bool same = false;
  struct stat sa {};
  struct stat sb {};
  if (fb >= 0 && ::fstat(fa, &sa) == 0 && ::fstat(fb, &sb) == 0 && S_ISREG(sa.st_mode) &&
      S_ISREG(sb.st_mode) && sa.st_size == sb.st_size) {
    std::string ba(size_t{1} << 16, '\0');
    std::string bb(ba.size(), '\0');
    for (;;) {
      const ssize_t na = ::read(fa, ba.data(), ba.size());
      if (na <= 0) {
        same = na == 0;
        break;
      }
      size_t got = 0;
      while (got < static_cast<size_t>(na)) {
        const ssize_t nb = ::read(fb, bb.data() + got, static_cast<size_t>(na) - got);
        if (nb <= 0) {
          break;
        }
        got += static_cast<size_t>(nb);
      }
      if (got != static_cast<size_t>(na) ||
          std::string_view(ba).substr(0, got) != std::string_view(bb).substr(0, got)) {
        break;
      }
    }
  }
  if (fb >= 0) {
    ::close(fb);
  }
  if (fa >= 0) {
    ::close(fa);
  }
  return same;
}

} // namespace

void SpillFile::Commit(std::string_view rest, bool mayExist) {
  if (temp_.empty()) {
    WriteFileIfChanged(path_, rest, mayExist);
    return;
  }
  Append(rest);
  const std::string target = ReplacementTarget(path_);
  if (mayExist && SameContent(temp_, target)) {
    ::unlink(temp_.c_str());
    temp_.clear();
    return;
  }
  const int err = MoveIntoPlace(temp_, target);
  if (err != 0) {
    throw Error::File(FileOperation::Write, kMsgWriteFailed, path_, err);
  }
  temp_.clear();
}

} // namespace qm
