// One conversion started from the main window: the core's job on a worker thread, so that the
// windows repaint and a cancel is seen also while one large file is converted; its questions
// and progress reach the user in the window's thread.
#pragma once

#include "base/Warnings.h"
#include "gui/Fortschritt.h"
#include "gui/UiTexts.h"
#include "project/ProjectModel.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QProgressDialog;
class QThread;
class QWidget;

namespace qm::ui {

/// The text of the box that lists a run's warnings: header with their number, then one line
/// per warning, the first kListedWarnings of them, and the number of the others.
QString RunWarningsText(const WarningList& warnings, const char* header = kMsgRunWarnings);

/// The window that shows the copy of the additional files: title and a bar over fileCount
/// files, no file names; it appears only when the copy takes a while.
QProgressDialog* CreateCopyProgress(QWidget* owner, const QString& title, int fileCount);

class ConversionRun : public QObject {
  Q_OBJECT

public:
  /// A run of job, shown over window. After the run's loop the progress window stays
  /// closingPauseMs milliseconds before it goes.
  ConversionRun(QWidget* window, std::unique_ptr<ConversionJob> job, int closingPauseMs);
  /// Stops a run still going (further questions are answered no) and waits for its end.
  ~ConversionRun() override;

  void Start();
  /// Stops the run before its next file and answers its further questions with no, without
  /// asking: the window is closing.
  void Abandon();

  /// The job this run works on.
  ConversionJob& Job() { return *job_; }
  /// This run's progress window.
  TLex_Fortschritt* ProgressWindow() const { return progress_.data(); }
  /// After Ended: how the job ended, and the message of the failure that ended it (empty
  /// when none).
  JobOutcome Outcome() const { return outcome_; }
  QString Failure() const { return failure_; }
  /// After Ended: the warnings of the run (none after a failure).
  const WarningList& Warnings() const { return warnings_; }

signals:
  /// The run is over and its progress window gone.
  void Ended();

private:
  class Interaction;

  void WorkerFinished();
  void Finish();

  QWidget* window_;
  std::unique_ptr<ConversionJob> job_;
  const int closingPauseMs_;
  /// A child of the window too, so the window may have deleted it first at its end.
  QPointer<TLex_Fortschritt> progress_;
  std::unique_ptr<Interaction> interaction_;
  QThread* thread_ = nullptr;
  bool abandoned_ = false;
  JobOutcome outcome_ = JobOutcome::Converted;
  QString failure_;
  WarningList warnings_;
};

} // namespace qm::ui
