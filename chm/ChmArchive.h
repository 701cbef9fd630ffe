// Read access to the internal objects of a compiled help file (.chm) through CHMLib.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;

namespace qm {

/// Why a help file could not be opened.
enum class HelpOpenStatus {
  Ok,
  Missing,      ///< no file of that name
  NotAFile,     ///< the name is a folder or another kind of entry
  AccessDenied, ///< the file exists but may not be read
  Damaged,      ///< the file is no compiled help file, or it is truncated or damaged
};

/// The outcome of reading one object.
enum class ChmReadStatus { Ok, Missing, Damaged };

struct ChmObject {
  ChmReadStatus Status = ChmReadStatus::Missing;
  std::string Bytes;
};

/// One open compiled help file. Object paths start with "/" ("/Main.Doc.htm",
/// "/#SYSTEM") and are looked up without regard to ASCII case.
class ChmArchive {
public:
  /// Opens the file at path (native bytes). On failure archive is empty and status says why.
  struct Opened {
    std::unique_ptr<ChmArchive> Archive;
    HelpOpenStatus Status = HelpOpenStatus::Missing;
  };
  static Opened Open(const std::string& path);

  ~ChmArchive();
  ChmArchive(const ChmArchive&) = delete;
  ChmArchive& operator=(const ChmArchive&) = delete;

  /// The stored path of the object that path names (its case as stored), or nothing.
  std::optional<std::string> Resolve(std::string_view path) const;
  /// The whole object. Damaged when its extent does not fit the file, exceeds kMaxObjectSize
  /// or cannot be read whole.
  ChmObject Read(std::string_view path) const;
  /// The paths of the file's normal (non-internal) files, sorted; at most kMaxListed.
  std::vector<std::string> Files() const;

  /// Larger objects are taken as damage rather than read into memory.
  static constexpr unsigned long long kMaxObjectSize = 64ull << 20;
  static constexpr size_t kMaxListed = 100000;

private:
  ChmArchive(chmFile* handle, unsigned long long fileSize);

  chmFile* handle_;
  unsigned long long fileSize_;
};

} // namespace qm
