#include "cli/TerminalProgress.h"

#include "cli/CliTexts.h"
#include "cli/Terminal.h"
#include "engine/AnsiText.h"
#include "engine/CodePages.h"
#include "engine/Paths.h"

namespace qm::cli {

namespace {

// Returns to the start of the line and clears what an earlier, longer text left there.
constexpr const char* kRewriteLine = "\r\x1b[K";

} // namespace

bool TerminalProgress::Cancelled() const {
  return InterruptRequested();
}

void TerminalProgress::StepFile(const std::string& file, int lineCount) {
  ++filesDone_;
  linesDone_ += lineCount;
  if (!visible_) {
    return;
  }
  std::string line = Format(kProgressCounter, filesDone_, fileCount_);
  line += kProgressSeparator;
  line += Format(kProgressFile, ExtractFileName(file).c_str());
  line += kProgressSeparator;
  line += Format(kProgressLines, linesDone_);
  std::fputs(kRewriteLine, out_);
  std::fputs(AnsiToUtf8(line).c_str(), out_);
  std::fflush(out_);
  lineOpen_ = true;
}

void TerminalProgress::Finished() {
  if (lineOpen_) {
    std::fputc('\n', out_);
    std::fflush(out_);
    lineOpen_ = false;
  }
}

} // namespace qm::cli
