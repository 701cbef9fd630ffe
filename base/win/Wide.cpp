#include "base/win/Wide.h"

#include <cerrno>
#include <cstdint>
#include <windows.h>

namespace qm::win {

namespace {

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

// Paths at least this long get the "\\?\" form: folders must leave room for an 8.3 name
// below the classic limit of MAX_PATH characters.
constexpr size_t kLongPath = MAX_PATH - 12;

} // namespace

std::wstring Widen(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    size_t extra = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    bool ok = i + extra < utf8.size();
    for (size_t k = 1; ok && k <= extra; ++k) {
      const auto cc = static_cast<unsigned char>(utf8[i + k]);
      ok = (cc & 0xC0) == 0x80;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok || cp > 0x10FFFF) {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(cp));
    }
    i += extra + 1;
  }
  return out;
}

std::string Narrow(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    std::uint32_t cp = static_cast<std::uint16_t>(wide[i]);
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < wide.size()) {
      const std::uint32_t low = static_cast<std::uint16_t>(wide[i + 1]);
      if (low >= 0xDC00 && low < 0xE000) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::wstring WidePath(std::string_view path) {
  std::wstring wide = Widen(path);
  for (wchar_t& c : wide) {
    if (c == L'/') {
      c = L'\\';
    }
  }
  if (wide.size() < kLongPath || wide.starts_with(L"\\\\?\\")) {
    return wide;
  }
  // The long form takes the path as it is, so it must be absolute and without "." or "..".
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  std::wstring full(needed, L'\0');
  const DWORD got = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (got == 0 || got >= needed) {
    return wide;
  }
  full.resize(got);
  if (full.size() >= 2 && IsSeparator(full[0]) && IsSeparator(full[1])) {
    return L"\\\\?\\UNC\\" + full.substr(2);
  }
  return L"\\\\?\\" + full;
}

int ErrnoOf(unsigned long code) {
  switch (code) {
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
  case ERROR_BAD_NETPATH:
  case ERROR_BAD_NET_NAME:
  case ERROR_INVALID_DRIVE:
  case ERROR_NO_MORE_FILES:
  case ERROR_MOD_NOT_FOUND:
    return ENOENT;
  case ERROR_ACCESS_DENIED:
  case ERROR_PRIVILEGE_NOT_HELD:
  case ERROR_CANNOT_MAKE:
  case ERROR_NETWORK_ACCESS_DENIED:
    return EACCES;
  case ERROR_WRITE_PROTECT:
    return EROFS;
  case ERROR_DIRECTORY:
    return ENOTDIR;
  case ERROR_FILENAME_EXCED_RANGE:
  case ERROR_BUFFER_OVERFLOW:
    return ENAMETOOLONG;
  case ERROR_INVALID_NAME:
  case ERROR_BAD_PATHNAME:
  case ERROR_INVALID_PARAMETER:
    return EINVAL;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL:
    return ENOSPC;
  case ERROR_FILE_TOO_LARGE:
    return EFBIG;
  case ERROR_FILE_EXISTS:
  case ERROR_ALREADY_EXISTS:
    return EEXIST;
  case ERROR_TOO_MANY_OPEN_FILES:
    return EMFILE;
  case ERROR_NOT_ENOUGH_MEMORY:
  case ERROR_OUTOFMEMORY:
    return ENOMEM;
  case ERROR_CANT_RESOLVE_FILENAME:
    return ELOOP;
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION:
  case ERROR_BUSY:
    return EBUSY;
  case ERROR_NOT_SAME_DEVICE:
    return EXDEV;
  case ERROR_DIR_NOT_EMPTY:
    return ENOTEMPTY;
  case ERROR_BAD_EXE_FORMAT:
  case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    return ENOEXEC;
  case ERROR_BROKEN_PIPE:
  case ERROR_NO_DATA:
    return EPIPE;
  default:
    return EIO;
  }
}

void SetErrnoFromLastError() {
  errno = ErrnoOf(GetLastError());
}

} // namespace qm::win
