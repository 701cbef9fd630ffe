#include "gui/ConversionRun.h"

#include "base/Error.h"
#include "desktop/QtText.h"
#include "desktop/UserDialogs.h"
#include "gui/ErrorBox.h"
#include "gui/Fortschritt.h"
#include "gui/ThreadCall.h"
#include "gui/UiTexts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <exception>
#include <new>

namespace qm::ui {

namespace {

// Shown only when the copy takes longer than this.
constexpr int kCopyProgressDelayMs = 500;
constexpr int kCopyProgressMinWidth = 300;

} // namespace

QProgressDialog* CreateCopyProgress(QWidget* owner, const QString& title, int fileCount) {
  auto* dialog = new QProgressDialog(owner);
  dialog->setObjectName(QStringLiteral("CopyProgress"));
  dialog->setWindowTitle(title);
  dialog->setCancelButton(nullptr);
  dialog->setRange(0, fileCount);
  dialog->setMinimumDuration(kCopyProgressDelayMs);
  // Wide enough for its title in the window's frame.
  dialog->setMinimumWidth(
      std::max(kCopyProgressMinWidth, 2 * dialog->fontMetrics().horizontalAdvance(title)));
  dialog->setValue(0);
  return dialog;
}

QString RunWarningsText(const WarningList& warnings, const char* header) {
  const int count = static_cast<int>(warnings.size());
  QString text = QString::asprintf(header, count) + QLatin1Char('\n');
  for (int i = 0; i < count && i < kListedWarnings; ++i) {
    text +=
        QLatin1Char('\n') + QString::fromStdString(WarningLine(warnings[static_cast<size_t>(i)]));
  }
  if (count > kListedWarnings) {
    text += QLatin1Char('\n') + QString::asprintf(kMsgMoreWarnings, count - kListedWarnings);
  }
  return text;
}

// The core's questions and the copy's progress, called from the worker thread and answered in
// the window's thread.
class ConversionRun::Interaction final : public ConversionInteraction {
public:
  explicit Interaction(QWidget* window) : window_(window) {}

  void Abandon() { abandoned_.store(true); }

  bool ConfirmCreateFolder(const std::string& question) override {
    return Ask({MessageKind::Warning,
                MessageFromAnsi(question),
                MessageButton::Yes | MessageButton::Cancel | MessageButton::Help,
                kHelpMissingFolder,
                {}});
  }

  void BeginCopy(const std::string& title, int fileCount) override {
    const QString caption = FromAnsi(title);
    PostToThreadOf(window_, [this, caption, fileCount] {
      if (fileCount <= 0) {
        return;
      }
      copyProgress_ = CreateCopyProgress(window_, caption, fileCount);
    });
  }

  void CopiedFile(const std::string& /*target*/) override {
    PostToThreadOf(window_, [this] {
      if (copyProgress_ != nullptr) {
        copyProgress_->setValue(copyProgress_->value() + 1);
      }
    });
  }

  bool ConfirmReplace(const std::string& target) override {
    QString text = UiText(kMsgReplaceFile);
    text.replace(QLatin1String("%s"), FromPath(target));
    return Ask({MessageKind::Confirmation,
                text,
                MessageButton::Yes | MessageButton::No | MessageButton::Help,
                kHelpReplaceExtraFile,
                {}});
  }

  void CopyFailed(const std::string& message) override {
    Ask(ErrorRequest(MessageFromAnsi(message), kHelpCopyFailed));
  }

  void EndCopy() override {
    PostToThreadOf(window_, [this] {
      delete copyProgress_;
      copyProgress_ = nullptr;
    });
  }

private:
  // Shows request in the window's thread; true for "&Ja". An abandoned run asks nothing.
  bool Ask(const MessageRequest& request) {
    if (abandoned_.load()) {
      return false;
    }
    return CallInThreadOf(window_, [this, &request] {
      return Dialogs().Message(window_, request) == MessageButton::Yes;
    });
  }

  QWidget* window_;
  std::atomic<bool> abandoned_{false};
  QPointer<QProgressDialog> copyProgress_;
};

ConversionRun::ConversionRun(QWidget* window, std::unique_ptr<ConversionJob> job,
                             int closingPauseMs)
    : QObject(window), window_(window), job_(std::move(job)), closingPauseMs_(closingPauseMs),
      progress_(new TLex_Fortschritt(window)), interaction_(std::make_unique<Interaction>(window)) {
}

ConversionRun::~ConversionRun() {
  if (thread_ != nullptr) {
    disconnect(thread_, nullptr, this, nullptr);
    Abandon();
    // The worker may be waiting for an answer from this thread: keep answering until it ends.
    while (!thread_->wait(QDeadlineTimer(10))) {
      QCoreApplication::processEvents();
    }
    delete thread_;
  }
  delete progress_;
}

void ConversionRun::Start() {
  ProgressSink* progress = progress_.data();
  thread_ = QThread::create([this, progress] {
    try {
      outcome_ = job_->Run(*interaction_, progress);
      warnings_ = job_->Result().Warnings;
    } catch (const Error& e) {
      failure_ = ErrorText(e);
    } catch (const std::bad_alloc&) {
      failure_ = ErrorText(OutOfMemoryError());
    } catch (const std::exception& e) {
      failure_ = QString::fromUtf8(e.what());
    }
  });
  connect(thread_, &QThread::finished, this, &ConversionRun::WorkerFinished);
  thread_->start();
}

void ConversionRun::Abandon() {
  abandoned_ = true;
  interaction_->Abandon();
  // Closing the progress window is the run's own way to stop.
  if (progress_ != nullptr) {
    progress_->reject();
  }
}

void ConversionRun::WorkerFinished() {
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  // A failure is reported at once; a finished or stopped run lets its window stay a moment.
  if (!failure_.isEmpty() || abandoned_ || closingPauseMs_ <= 0) {
    Finish();
  } else {
    QTimer::singleShot(closingPauseMs_, this, &ConversionRun::Finish);
  }
}

void ConversionRun::Finish() {
  if (progress_ != nullptr) {
    progress_->hide();
  }
  emit Ended();
}

} // namespace qm::ui
