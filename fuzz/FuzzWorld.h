// A program folder with the shipped tables and templates, a source folder and an output folder
// in a fresh temporary folder (in memory when /dev/shm is there), for the fuzz targets that
// run the generator or write files. Made once per process; an input must leave it as it found
// it.
#pragma once

#include "base/FileReplace.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qmfuzz {

class World {
public:
  World() {
    namespace fs = std::filesystem;
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "qmfuzz-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    const fs::path data = fs::path(QM_SOURCE_DIR) / "data";
    fs::create_directories(root_ / "bin");
    for (const char* table : {"HTMLTags.txt", "Umlaute.txt", "Header.txt", "Comment.txt"}) {
      fs::copy_file(data / table, root_ / "bin" / table);
    }
    fs::copy(data / "Templates", root_ / "Templates");
    fs::create_directories(root_ / "src");
    fs::create_directories(root_ / "out");
  }
  ~World() { std::filesystem::remove_all(root_); }
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  std::string Program() const { return (root_ / "bin").string() + "/"; }
  std::string Src() const { return (root_ / "src").string() + "/"; }
  std::string Out() const { return (root_ / "out").string() + "/"; }

  /// Empties the output folder.
  void ClearOut() const {
    std::filesystem::remove_all(root_ / "out");
    std::filesystem::create_directories(root_ / "out");
  }

  /// True when the world holds nothing but its four folders: nothing was written beside them.
  bool OnlyOwnFolders() const {
    size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(root_)) {
      const std::string name = e.path().filename().string();
      if (name != "bin" && name != "Templates" && name != "src" && name != "out") {
        return false;
      }
      ++n;
    }
    return n == 4;
  }

  /// True when some entry below the output folder is a temporary file or folder of an atomic
  /// write or a spill, which a finished run must not leave. Told by the form of such names:
  /// a file that a run writes may itself start with "." and hold ".tmp" (a help project named
  /// so, say).
  bool TemporaryFilesLeft() const {
    for (const auto& e : std::filesystem::recursive_directory_iterator(root_ / "out")) {
      if (qm::IsReplacementTemp(e.path().filename().string())) {
        return true;
      }
    }
    return false;
  }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

private:
  std::filesystem::path root_;
};

/// The one world of this process.
inline const World& TheWorld() {
  static const World world;
  return world;
}

} // namespace qmfuzz
