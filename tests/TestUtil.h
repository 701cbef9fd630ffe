// Helpers shared by the tests: a temporary folder that removes itself, and whole-file
// reading and writing of Windows-1252 bytes.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <sys/resource.h>

namespace qmtest {

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qmtest-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    if (made == nullptr) {
      ADD_FAILURE() << "cannot create a temporary folder";
    }
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
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
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// The whole file as bytes ("<missing>" when it cannot be read, so comparisons fail loudly).
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
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
  return std::filesystem::exists(path);
}

/// How many entries folder holds (files, folders, links): what a write leaves behind.
inline size_t FileCount(const std::string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) {
    ++n;
  }
  return n;
}

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

} // namespace qmtest
