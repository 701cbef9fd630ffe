// What a conversion run reports while it works, and how a front end can stop it.
#pragma once

#include <string>

namespace qm {

/// The run's view of a progress display. The desktop window, the terminal and tests each
/// implement it; the engine never waits or paints.
class ProgressSink {
public:
  virtual ~ProgressSink() = default;
  /// The number of files of the run, before the first file.
  virtual void SetFileCount(int count) = 0;
  /// Called before each file: a front end handles its pending events here.
  virtual void ProcessEvents() {}
  /// Read after ProcessEvents; true stops the run before the next file.
  virtual bool Cancelled() const { return false; }
  /// One file is done: its full path and its number of lines.
  virtual void StepFile(const std::string& file, int lineCount) = 0;
  /// The loop has ended (normally, by cancelling or by a failure), before the own pages are
  /// saved.
  virtual void Finished() {}
};

} // namespace qm
