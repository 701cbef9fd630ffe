// Helpers shared by the tests: a temporary folder that removes itself, whole-file reading and
// writing of Windows-1252 bytes, and the few system calls tests make on POSIX systems and on
// Windows.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

/// Skips the rest of a test on Windows, saying why (a fifo, a signal, a POSIX permission).
#ifdef _WIN32
#define QM_POSIX_ONLY(why) GTEST_SKIP() << (why)
#else
#define QM_POSIX_ONLY(why) static_cast<void>(0)
#endif

namespace qmtest {

/// Sets the environment variable name for this process and the programs it starts; an empty
/// value removes it on Windows.
inline void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
  ::_putenv_s(name, value.c_str());
#else
  ::setenv(name, value.c_str(), 1);
#endif
}

/// The file-system path of a UTF-8 path text (the program's own spelling of paths), so that a
/// name outside the ANSI code page reaches Windows whole.
inline std::filesystem::path FsPath(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
  TempDir() {
    static std::atomic<unsigned> counter{0};
    const auto base = std::filesystem::temp_directory_path();
    const auto seed = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::string name = "qmtest-" + std::to_string(::getpid()) + "-" +
                               std::to_string((seed + counter++) % 1000000007ULL);
      std::error_code ec;
      if (std::filesystem::create_directory(base / name, ec)) {
        path_ = (base / name).string();
      }
    }
    if (path_.empty()) {
      ADD_FAILURE() << "cannot create a temporary folder";
    }
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FsPath(path_), ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  /// The folder, with a trailing "/".
  std::string path() const { return path_ + "/"; }
  /// path() + relative.
  std::string operator/(std::string_view relative) const { return path() + std::string(relative); }

private:
  std::string path_;
};

/// Writes bytes to path, creating the folders above it.
inline void WriteFile(const std::string& path, std::string_view bytes) {
  std::filesystem::create_directories(FsPath(path).parent_path());
  std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// The whole file as bytes ("<missing>" when it cannot be read, so comparisons fail loudly).
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(FsPath(path), std::ios::binary);
  if (!in) {
    return "<missing>";
  }
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

/// Lines joined with CR LF after every line: the expected content of a written file.
inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

inline bool Exists(const std::string& path) {
  return std::filesystem::exists(FsPath(path));
}

/// How many entries folder holds (files, folders, links): what a write leaves behind.
inline size_t FileCount(const std::string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(FsPath(folder))) {
    ++n;
  }
  return n;
}

#ifndef _WIN32
/// While it lives, no file of this process may grow beyond limit bytes; a write beyond it
/// fails with EFBIG (a full disk as far as the writer can tell).
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lower{limit, old_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &lower);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};
#else
/// Windows has no file-size limit of a process; tests that need one skip before making it.
class FileSizeLimit {
public:
  explicit FileSizeLimit(unsigned long long /*limit*/) {}
};
#endif

} // namespace qmtest
