#include "base/RunLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace qm {

namespace {

void Release(std::intptr_t fd) {
  if (fd >= 0) {
    ::close(static_cast<int>(fd));
  }
}

} // namespace

RunLock::RunLock(RunLock&& other) noexcept : lock_(std::exchange(other.lock_, kNone)) {}

RunLock& RunLock::operator=(RunLock&& other) noexcept {
  if (this != &other) {
    Release(lock_);
    lock_ = std::exchange(other.lock_, kNone);
  }
  return *this;
}

RunLock::~RunLock() {
  Release(lock_);
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
  Release(lock_);
  lock_ = fd;
  return 0;
}

} // namespace qm
