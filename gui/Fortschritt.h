// The progress window of a conversion: files done out of files found, the last file finished
// and the running total of lines; closing it stops the run before the next file.
#pragma once

#include "engine/Progress.h"

#include <QDialog>

#include <atomic>
#include <mutex>
#include <string>

class QLabel;
class QProgressBar;
class QTimer;

namespace qm::ui {

/// The window's side of the core's progress interface. The run calls it from its worker
/// thread; every change of the window happens in the window's thread. Created for one run.
class TLex_Fortschritt : public QDialog, public ProgressSink {
  Q_OBJECT

public:
  explicit TLex_Fortschritt(QWidget* owner);

  /// How often the window shows the run's progress while it goes.
  static constexpr int kRefreshMs = 50;

  /// Makes count the bar's maximum and shows the window (not modal), centred over its owner.
  void SetFileCount(int count) override;
  /// True once the window was closed, by "Abbrechen", Escape or its close box; the run reads
  /// it before each file, without waiting for the window.
  bool Cancelled() const override { return cancelled_.load(); }
  /// Notes that file (a full path) with lineCount lines is done and returns at once; the
  /// window shows the latest step every kRefreshMs milliseconds. Called in the window's own
  /// thread, it shows the step at once.
  void StepFile(const std::string& file, int lineCount) override;
  /// Shows the last step: the run's loop has ended.
  void Finished() override;

  /// The files of the run, and those shown as done (in the window's thread).
  int FileCount() const { return fileCount_; }
  int FilesDone() const { return position_; }

  /// Sets the cancel flag and hides the window: "Abbrechen", Escape and the close box.
  void reject() override;

signals:
  /// The window shows file number position as done (in the window's thread).
  void Stepped(int position);
  /// File number position is done: emitted in the run's thread before it goes on, so that a
  /// blocking connection holds the run there.
  void FileDone(int position);

protected:
  /// Centres the window over its owner.
  void showEvent(QShowEvent* event) override;

private:
  /// Shows the latest step, if the window does not show it yet.
  void ShowSteps();

  QProgressBar* bar_;
  QLabel* countLabel_;
  QLabel* fileLabel_;
  QLabel* linesLabel_;
  QTimer* refresh_;
  std::atomic<bool> cancelled_{false};
  int fileCount_ = 0;
  int shown_ = 0; ///< the step the window shows
  /// The run's steps so far, written by the run's thread.
  std::mutex stepMutex_;
  int position_ = 0;
  int lineTotal_ = 0;
  std::string lastFile_;
};

} // namespace qm::ui
