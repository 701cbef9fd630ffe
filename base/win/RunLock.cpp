#include "base/RunLock.h"

#include "base/win/Wide.h"

#include <cerrno>
#include <cstdio>
#include <utility>
#include <windows.h>

namespace qm {

namespace {

void Release(std::intptr_t handle) {
  if (handle != -1) {
    CloseHandle(reinterpret_cast<HANDLE>(handle));
  }
}

// The name of a folder's lock: the same for every spelling of the folder (drive letter or
// UNC name, "\" or "/", a link), since it comes from the folder's identity.
bool LockName(const std::string& folder, std::wstring& name) {
  const HANDLE h =
      CreateFileW(win::WidePath(folder.empty() ? "." : folder).c_str(), FILE_READ_ATTRIBUTES,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    win::SetErrnoFromLastError();
    return false;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = GetFileInformationByHandle(h, &info) != 0;
  if (!ok) {
    win::SetErrnoFromLastError();
  }
  CloseHandle(h);
  if (ok && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    errno = ENOTDIR;
    return false;
  }
  wchar_t buf[64];
  std::swprintf(buf, std::size(buf), L"Local\\Quillmark-RunLock-%08lx-%08lx%08lx",
                info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
  name = buf;
  return ok;
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
  std::wstring name;
  if (!LockName(folder, name)) {
    return errno;
  }
  // Making the object and learning that it was there already is one step: of two runs that
  // try at once, one makes it. It goes when its last handle closes, also with a killed process.
  const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
  if (event == nullptr) {
    return win::ErrnoOf(GetLastError());
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(event);
    return EWOULDBLOCK;
  }
  Release(lock_);
  lock_ = reinterpret_cast<std::intptr_t>(event);
  return 0;
}

} // namespace qm
