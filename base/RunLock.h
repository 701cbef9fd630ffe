// One run at a time in a folder: an advisory lock on the folder itself, so that no file is
// added to it. The lock ends with the process that holds it, also when the process is killed.
#pragma once

#include <string>

namespace qm {

class RunLock {
public:
  RunLock() = default;
  RunLock(RunLock&& other) noexcept;
  RunLock& operator=(RunLock&& other) noexcept;
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;
  /// Releases the lock.
  ~RunLock();

  /// Takes the lock of folder without waiting. Returns 0 when it is held now, EWOULDBLOCK
  /// when another run (another process, or another RunLock of this one) holds it, or the
  /// errno of a folder that cannot be opened (the lock is not held then).
  int TryLock(const std::string& folder);
  bool Held() const { return fd_ >= 0; }

private:
  int fd_ = -1;
};

} // namespace qm
