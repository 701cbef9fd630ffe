// The progress of a conversion on one terminal line, and Ctrl+C as its cancel button.
#pragma once

#include "engine/Progress.h"

#include <cstdio>
#include <string>

namespace qm::cli {

/// Shows "Datei n von m", "Bearbeite Datei NAME" and "k Zeilen erledigt" for the file just
/// finished on one line that is rewritten per file, and ends it with a line break when the
/// run ends. When not visible it shows nothing but still reports Ctrl+C as a cancel.
class TerminalProgress final : public ProgressSink {
public:
  TerminalProgress(std::FILE* out, bool visible) : out_(out), visible_(visible) {}

  void SetFileCount(int count) override { fileCount_ = count; }
  /// True once Ctrl+C was pressed (see InstallInterruptHandler).
  bool Cancelled() const override;
  void StepFile(const std::string& file, int lineCount) override;
  void Finished() override;

private:
  std::FILE* out_;
  bool visible_;
  int fileCount_ = 0;
  int filesDone_ = 0;
  int linesDone_ = 0;
  bool lineOpen_ = false; ///< a progress line stands without its final line break
};

} // namespace qm::cli
