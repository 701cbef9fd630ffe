#include "base/RunLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace qm {

RunLock::RunLock(RunLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

RunLock& RunLock::operator=(RunLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

RunLock::~RunLock() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

int RunLock::TryLock(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    return errno;
  }
  // flock belongs to the open folder: closing it, or the end of the process, releases it.
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) {
      const int err = errno;
      ::close(fd);
      return err;
    }
  }
  if (fd_ >= 0) {
    ::close(fd_);
  }
  fd_ = fd;
  return 0;
}

} // namespace qm
