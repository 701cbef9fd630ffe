// The progress window of a conversion: files done out of files found, the last file finished
// and the running total of lines; closing it stops the run before the next file.
#pragma once

#include "engine/Progress.h"

#include <QDialog>

#include <atomic>

class QLabel;
class QProgressBar;

namespace qm::ui {

/// The window's side of the core's progress interface. The run calls it from its worker
/// thread; every change of the window happens in the window's thread. Created for one run.
class TLex_Fortschritt : public QDialog, public ProgressSink {
  Q_OBJECT

public:
  explicit TLex_Fortschritt(QWidget* owner);

  /// Makes count the bar's maximum and shows the window (not modal), centred over its owner.
  void SetFileCount(int count) override;
  /// True once the window was closed, by "Abbrechen", Escape or its close box.
  bool Cancelled() const override { return cancelled_.load(); }
  /// Shows that file (a full path) with lineCount lines is done, and returns when the window
  /// shows it; a cancel made then is seen before the next file.
  void StepFile(const std::string& file, int lineCount) override;

  /// Sets the cancel flag and hides the window: "Abbrechen", Escape and the close box.
  void reject() override;

signals:
  /// The window shows file number position as done (in the window's thread).
  void Stepped(int position);

protected:
  /// Centres the window over its owner.
  void showEvent(QShowEvent* event) override;

private:
  void ShowStep(const QString& fileName, int lineCount);

  QProgressBar* bar_;
  QLabel* countLabel_;
  QLabel* fileLabel_;
  QLabel* linesLabel_;
  std::atomic<bool> cancelled_{false};
  int fileCount_ = 0;
  int position_ = 0;
  int lineTotal_ = 0;
};

} // namespace qm::ui
