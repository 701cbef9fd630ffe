// The operating-system calls of base/ on Windows, through the wide-character API. Open files
// are C run-time descriptors that wrap a handle, so that the rest of base/ holds an int as on
// POSIX systems; reading and writing go to the handle directly.
#include "base/System.h"

#include "base/CodePages.h"
#include "base/win/Wide.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace qm::sys {

using win::Narrow;
using win::SetErrnoFromLastError;
using win::WidePath;

namespace {

HANDLE HandleOf(int fd) {
  return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// Reads and writes go in pieces that a DWORD can count.
constexpr size_t kMaxPiece = size_t{1} << 30;

// Files are shared for reading, writing and deleting, as POSIX files are: a page that another
// program has open can still be replaced by a rename.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool Fill(HANDLE h, Status& status) {
  switch (GetFileType(h)) {
  case FILE_TYPE_CHAR:
    status = Status{EntryKind::Device, 0, 1, {}, 0, 0};
    return true;
  case FILE_TYPE_PIPE:
    status = Status{EntryKind::Fifo, 0, 1, {}, 0, 0};
    return true;
  default:
    break;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(h, &info)) {
    SetErrnoFromLastError();
    return false;
  }
  status.kind =
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder : EntryKind::File;
  status.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  status.links = info.nNumberOfLinks;
  status.id = FileId{info.dwVolumeSerialNumber,
                     (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
  // 100-nanosecond steps; the file's own change time is not part of this information.
  const std::uint64_t written = (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                                info.ftLastWriteTime.dwLowDateTime;
  status.modified = static_cast<std::int64_t>(written) * 100;
  status.changed = 0;
  return true;
}

// Opens path for looking at it (a folder too), links followed; INVALID_HANDLE_VALUE with
// errno set when that fails.
HANDLE OpenForStatus(const std::string& path) {
  const HANDLE h = CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    SetErrnoFromLastError();
  }
  return h;
}

// True when path is a file marked read-only. Windows refuses to write, delete or replace such
// a file for every user; the check is made here as well, so that a process with the right to
// pass over file permissions (Wine run as root) refuses it too.
bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0 &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// True when a part of the folders of path is a file, not a folder.
bool FileAmongFolders(const std::string& path) {
  std::string folder = path;
  for (;;) {
    const size_t sep = folder.find_last_of("/\\");
    if (sep == std::string::npos || sep == 0) {
      return false;
    }
    folder.resize(sep);
    const DWORD attributes = GetFileAttributesW(WidePath(folder).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
      return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
  }
}

// The errno of a call on path that failed with error. Windows says "access denied" for a folder
// where a file should be and "path not found" for a file where a folder should be; POSIX systems
// name both, and so do the messages built on errno.
int ErrnoAt(DWORD error, const std::string& path) {
  if (error == ERROR_ACCESS_DENIED && IsFolder(path)) {
    return EISDIR;
  }
  if (error == ERROR_PATH_NOT_FOUND && FileAmongFolders(path)) {
    return ENOTDIR;
  }
  return win::ErrnoOf(error);
}

// A unique text of six letters and digits for a temporary name.
std::string UniqueText() {
  static std::atomic<std::uint64_t> counter{0};
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  std::uint64_t x = static_cast<std::uint64_t>(now.QuadPart) ^
                    (std::uint64_t{GetCurrentProcessId()} << 32) ^
                    (counter.fetch_add(1) * 0x9E3779B97F4A7C15ULL);
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string text(6, '0');
  for (char& c : text) {
    x ^= x >> 29;
    x *= 0xBF58476D1CE4E5B9ULL;
    c = kLetters[x % (sizeof kLetters - 1)];
  }
  return text;
}

// True when the environment asks for the plain C/POSIX locale, as tests and reproducible
// builds do (LC_ALL, else LC_TIME, else LANG): the program's German date formats then stand in
// for the user's regional ones.
bool PlainLocale() {
  for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
    std::string value;
    if (Environment(name, value) && !value.empty()) {
      return value == "C" || value == "POSIX" || value.starts_with("C.");
    }
  }
  return false;
}

SYSTEMTIME SystemTimeOf(const std::tm& tm) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(tm.tm_year + 1900);
  st.wMonth = static_cast<WORD>(tm.tm_mon + 1);
  st.wDay = static_cast<WORD>(tm.tm_mday);
  st.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  st.wHour = static_cast<WORD>(tm.tm_hour);
  st.wMinute = static_cast<WORD>(tm.tm_min);
  st.wSecond = static_cast<WORD>(tm.tm_sec);
  return st;
}

std::string Strftime(const char* format, const std::tm& tm) {
  char buf[64];
  return std::string(buf, std::strftime(buf, sizeof buf, format, &tm));
}

std::string AnsiOfWide(const wchar_t* text, int length) {
  return Utf8ToAnsi(Narrow(std::wstring_view(text, length > 0 ? length - 1 : 0)));
}

} // namespace

int Open(const std::string& path, unsigned flags) {
  if ((flags & (kWrite | kAppend | kTruncate)) != 0 && IsReadOnlyFile(path)) {
    errno = EACCES;
    return -1;
  }
  DWORD access = 0;
  if ((flags & kRead) != 0) {
    access |= GENERIC_READ;
  }
  if ((flags & kAppend) != 0) {
    // Without the right to write elsewhere, every write goes to the end.
    access |= FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
  } else if ((flags & kWrite) != 0) {
    access |= GENERIC_WRITE;
  }
  // CREATE_ALWAYS and TRUNCATE_EXISTING refuse a hidden file; the file is cut after the open.
  const DWORD disposition = (flags & kCreate) != 0 ? OPEN_ALWAYS : OPEN_EXISTING;
  const DWORD attributes =
      FILE_ATTRIBUTE_NORMAL | ((flags & kNoFollow) != 0 ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
  const HANDLE h = CreateFileW(WidePath(path).c_str(), access, kShareAll, nullptr, disposition,
                               attributes, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    errno = ErrnoAt(GetLastError(), path);
    return -1;
  }
  if ((flags & kNoFollow) != 0) {
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (GetFileInformationByHandleEx(h, FileAttributeTagInfo, &tag, sizeof tag) &&
        (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      CloseHandle(h);
      errno = ELOOP;
      return -1;
    }
  }
  if ((flags & kTruncate) != 0) {
    FILE_END_OF_FILE_INFO end{};
    if (!SetFileInformationByHandle(h, FileEndOfFileInfo, &end, sizeof end)) {
      SetErrnoFromLastError();
      CloseHandle(h);
      return -1;
    }
  }
  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY);
  if (fd < 0) {
    CloseHandle(h);
    errno = EMFILE;
  }
  return fd;
}

bool Close(int fd) {
  return ::_close(fd) == 0;
}

std::int64_t Read(int fd, char* buffer, size_t size) {
  DWORD got = 0;
  if (!ReadFile(HandleOf(fd), buffer, static_cast<DWORD>(std::min(size, kMaxPiece)), &got,
                nullptr)) {
    // The writing end of a pipe has gone: that is its end.
    if (GetLastError() == ERROR_BROKEN_PIPE) {
      return 0;
    }
    SetErrnoFromLastError();
    return -1;
  }
  return got;
}

std::int64_t ReadAt(int fd, char* buffer, size_t size, std::uint64_t offset) {
  const HANDLE h = HandleOf(fd);
  // A read with an offset moves the position of a synchronous handle; it is put back.
  LARGE_INTEGER position{};
  if (!SetFilePointerEx(h, LARGE_INTEGER{}, &position, FILE_CURRENT)) {
    SetErrnoFromLastError();
    return -1;
  }
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  const bool ok =
      ReadFile(h, buffer, static_cast<DWORD>(std::min(size, kMaxPiece)), &got, &at) != 0;
  const DWORD error = GetLastError();
  SetFilePointerEx(h, position, nullptr, FILE_BEGIN);
  if (!ok) {
    if (error == ERROR_HANDLE_EOF) {
      return 0;
    }
    errno = win::ErrnoOf(error);
    return -1;
  }
  return got;
}

bool WriteAll(int fd, const char* data, size_t size) {
  const HANDLE h = HandleOf(fd);
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(h, data, static_cast<DWORD>(std::min(size, kMaxPiece)), &written, nullptr)) {
      SetErrnoFromLastError();
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

bool Seek(int fd, std::uint64_t offset) {
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(HandleOf(fd), to, nullptr, FILE_BEGIN)) {
    SetErrnoFromLastError();
    return false;
  }
  return true;
}

bool Resize(int fd, std::uint64_t size) {
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFileInformationByHandle(HandleOf(fd), FileEndOfFileInfo, &end, sizeof end)) {
    SetErrnoFromLastError();
    return false;
  }
  return true;
}

bool Sync(int fd) {
  if (!FlushFileBuffers(HandleOf(fd))) {
    SetErrnoFromLastError();
    return false;
  }
  return true;
}

bool StatusOf(int fd, Status& status) {
  return Fill(HandleOf(fd), status);
}

bool StatusAt(const std::string& path, Status& status) {
  const HANDLE h = OpenForStatus(path);
  if (h == INVALID_HANDLE_VALUE) {
    return false;
  }
  const bool ok = Fill(h, status);
  CloseHandle(h);
  return ok;
}

bool Remove(const std::string& path) {
  if (IsReadOnlyFile(path)) {
    errno = EACCES;
    return false;
  }
  if (!DeleteFileW(WidePath(path).c_str())) {
    SetErrnoFromLastError();
    return false;
  }
  return true;
}

bool MakeFolder(const std::string& path) {
  if (!CreateDirectoryW(WidePath(path).c_str(), nullptr)) {
    errno = ErrnoAt(GetLastError(), path);
    return false;
  }
  return true;
}

bool ListEntries(const std::string& folder, std::vector<DirEntry>& entries) {
  std::string prefix = folder.empty() ? std::string(".") : folder;
  if (prefix.back() != '\\' && prefix.back() != '/') {
    prefix.push_back('\\');
  }
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileExW(WidePath(prefix + "*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    // A folder without any entry (a drive's root has no "." or "..") is listed as empty.
    if (GetLastError() == ERROR_FILE_NOT_FOUND) {
      return true;
    }
    SetErrnoFromLastError();
    return false;
  }
  do {
    const std::wstring_view raw(data.cFileName);
    if (raw == L"." || raw == L"..") {
      continue;
    }
    DirEntry entry;
    entry.name = Narrow(raw);
    entry.hidden = raw.front() == L'.' || (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      // A link is taken as what it leads to; one that leads nowhere cannot be read.
      Status status;
      entry.kind = StatusAt(prefix + entry.name, status) ? status.kind : EntryKind::BrokenLink;
    } else {
      entry.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder
                                                                           : EntryKind::File;
    }
    entries.push_back(std::move(entry));
  } while (FindNextFileW(find, &data));
  const DWORD error = GetLastError();
  FindClose(find);
  if (error != ERROR_NO_MORE_FILES) {
    errno = win::ErrnoOf(error);
    return false;
  }
  return true;
}

std::string ResolvedPath(const std::string& path) {
  // Only a link at the name itself is resolved; every other path keeps the spelling it has.
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    return path;
  }
  const HANDLE h = OpenForStatus(path);
  if (h == INVALID_HANDLE_VALUE) {
    return path;
  }
  std::wstring final(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()), 0);
  if (n >= final.size()) {
    final.resize(n);
    n = GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()), 0);
  }
  CloseHandle(h);
  if (n == 0 || n >= final.size()) {
    return path;
  }
  final.resize(n);
  if (final.starts_with(L"\\\\?\\UNC\\")) {
    final = L"\\\\" + final.substr(8);
  } else if (final.starts_with(L"\\\\?\\")) {
    final = final.substr(4);
  }
  return Narrow(final);
}

bool MakeTempFolder(std::string& pattern) {
  const size_t start = pattern.size() - 6;
  for (int attempt = 0; attempt < 100; ++attempt) {
    pattern.replace(start, 6, UniqueText());
    if (CreateDirectoryW(WidePath(pattern).c_str(), nullptr)) {
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      SetErrnoFromLastError();
      return false;
    }
  }
  errno = EEXIST;
  return false;
}

int MakeTempFile(std::string& pattern, size_t suffix) {
  const size_t start = pattern.size() - suffix - 6;
  for (int attempt = 0; attempt < 100; ++attempt) {
    pattern.replace(start, 6, UniqueText());
    const HANDLE h = CreateFileW(WidePath(pattern).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                 nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY);
      if (fd < 0) {
        CloseHandle(h);
        DeleteFileW(WidePath(pattern).c_str());
        errno = EMFILE;
      }
      return fd;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      errno = ErrnoAt(error, pattern);
      return -1;
    }
  }
  errno = EEXIST;
  return -1;
}

int RenameOver(const std::string& from, const std::string& to) {
  // A read-only file at to is not replaced: the move is refused as access denied.
  if (IsReadOnlyFile(to)) {
    return EACCES;
  }
  if (!MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return ErrnoAt(GetLastError(), to);
  }
  return 0;
}

int PutInPlace(const std::string& temp, const std::string& target) {
  // A new file takes the permissions of its folder, as the one it replaces did.
  return RenameOver(temp, target);
}

int WriteRefusal(const std::string& path, bool /*plain*/) {
  return IsReadOnlyFile(path) ? EACCES : 0;
}

bool IsPlainFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

bool PlainFileStatus(const std::string& path, Status& status) {
  return IsPlainFile(path) && StatusAt(path, status) && status.kind == EntryKind::File;
}

bool IsLink(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool CopyPermissions(int /*from*/, int /*to*/) {
  // A new file takes the permissions of its folder; the read-only attribute is not copied,
  // so that a later copy can replace it.
  return true;
}

std::string ExecutablePath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) {
      return {};
    }
    if (n < buf.size()) {
      buf.resize(n);
      break;
    }
    buf.resize(buf.size() * 2);
  }
  return ResolvedPath(Narrow(buf));
}

bool Environment(const char* name, std::string& value) {
  const std::wstring wideName = win::Widen(name);
  std::wstring buf(256, L'\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const DWORD n =
        GetEnvironmentVariableW(wideName.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
      return false;
    }
    if (n < buf.size()) {
      buf.resize(n);
      value = Narrow(buf);
      return true;
    }
    buf.resize(n);
  }
}

std::string RegionalDate(const std::tm& tm) {
  if (PlainLocale()) {
    return Strftime("%d.%m.%Y", tm);
  }
  const SYSTEMTIME st = SystemTimeOf(tm);
  wchar_t buf[128];
  const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf,
                                static_cast<int>(std::size(buf)), nullptr);
  return AnsiOfWide(buf, n);
}

std::string RegionalTime(const std::tm& tm) {
  if (PlainLocale()) {
    return Strftime("%H:%M:%S", tm);
  }
  const SYSTEMTIME st = SystemTimeOf(tm);
  wchar_t buf[128];
  const int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, buf,
                                static_cast<int>(std::size(buf)));
  return AnsiOfWide(buf, n);
}

void LowerThreadPriority() {
  static_cast<void>(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL));
}

} // namespace qm::sys
