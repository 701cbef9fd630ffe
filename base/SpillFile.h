// A file written in pieces beside its target and put in the target's place in one step, so
// that memory stays bounded while a large file grows and a failed or killed run keeps the old
// file.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace qm {

struct FileSnapshot;

/// The part of a large file that already went to disk before the file is complete: a
/// temporary file beside the target, which Commit puts in the target's place. The target
/// itself is not touched before Commit; a spill that is never committed leaves nothing behind.
class SpillFile {
public:
  explicit SpillFile(std::string path) : path_(std::move(path)) {}
  SpillFile(const SpillFile&) = delete;
  SpillFile& operator=(const SpillFile&) = delete;
  SpillFile(SpillFile&& other) noexcept;
  SpillFile& operator=(SpillFile&& other) noexcept;
  /// Removes the temporary file unless it was committed.
  ~SpillFile();

  /// True once bytes went to the temporary file.
  bool Spilled() const { return !temp_.empty(); }
  /// Appends bytes to the temporary file, making it beside the target on first use. Throws
  /// Error naming the target when that fails (nothing is kept on disk then).
  void Append(std::string_view bytes);
  /// Makes the target its spilled bytes followed by rest, in one step: without a spill as
  /// ReplaceFileIfChanged does; with one, the temporary file receives rest and is renamed over
  /// the target (a link at the target's place is replaced, not followed). A target that holds
  /// these bytes already is not touched; mayExist false says there is no target to compare
  /// with; seen, when given, is what an earlier read of the target found (FileHoldsBytes). A
  /// read-only target is refused. Throws Error naming the target; the temporary file is
  /// removed then.
  void Commit(std::string_view rest, bool mayExist = true, const FileSnapshot* seen = nullptr);
  /// Removes the temporary file, if any; the target stays as it is.
  void Abandon() noexcept;

private:
  std::string path_;
  std::string temp_;
};

} // namespace qm
