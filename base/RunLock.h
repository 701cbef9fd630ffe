// One run at a time in a folder: an advisory lock on the folder itself, so that no file is
// added to it. The lock ends with the process that holds it, also when the process is killed.
// On POSIX systems it is a flock on the open folder; on Windows a named kernel object made
// from the folder's identity (volume and file index), which exists while a handle to it is
// open.
#pragma once

#include <cstdint>
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
  bool Held() const { return lock_ != kNone; }

private:
  static constexpr std::intptr_t kNone = -1;
  /// The open folder's descriptor, or on Windows the kernel object's handle.
  std::intptr_t lock_ = kNone;
};

} // namespace qm
