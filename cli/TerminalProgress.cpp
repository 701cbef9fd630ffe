#include "cli/TerminalProgress.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"
#include "base/Console.h"
#include "base/Paths.h"
#include "cli/CliTexts.h"
#include "cli/Terminal.h"

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
  std::string line = AnsiToUtf8(Format(kProgressCounter, filesDone_, fileCount_));
  line += kProgressSeparator;
  // The file name is a path: it goes to the terminal as the file system spells it.
  line += ReplaceAll(AnsiToUtf8(kProgressFile), "%s", ExtractFileName(file));
  line += kProgressSeparator;
  line += AnsiToUtf8(Format(kProgressLines, linesDone_));
  WriteText(out_, kRewriteLine);
  WriteText(out_, line);
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
