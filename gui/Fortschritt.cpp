#include "gui/Fortschritt.h"

#include "base/Paths.h"
#include "desktop/HelpRequests.h"
#include "desktop/QtText.h"
#include "desktop/WindowPlacement.h"
#include "gui/ThreadCall.h"
#include "gui/UiTexts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace qm::ui {

namespace {

// Client area of the window as designed; it grows only where a text needs more room.
constexpr int kClientWidth = 378;
constexpr int kClientHeight = 131;

QLabel* AddLabel(QWidget* parent, QLayout* layout, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  // A long file name is cut off at the window's edge instead of widening the window.
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->addWidget(label);
  return label;
}

} // namespace

TLex_Fortschritt::TLex_Fortschritt(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("Lex_Fortschritt"));
  setWindowTitle(UiText(kProgressCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  setModal(false);
  SetHelpContext(this, kHelpProgressWindow);

  auto* group = new QGroupBox(UiText(kProgressGroup), this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  auto* inGroup = new QVBoxLayout(group);
  inGroup->setSpacing(2);
  bar_ = new QProgressBar(group);
  bar_->setObjectName(QStringLiteral("Fortschritt"));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  inGroup->addWidget(bar_);
  // Nothing is shown before the first file is done.
  countLabel_ = AddLabel(group, inGroup, "Lbl_Zaehler");
  fileLabel_ = AddLabel(group, inGroup, "Lbl_Datei");
  linesLabel_ = AddLabel(group, inGroup, "Lbl_Zeilen");

  auto* cancelButton = new QPushButton(UiText(kProgressCancel), this);
  cancelButton->setObjectName(QStringLiteral("BitBtn1"));
  cancelButton->setAutoDefault(false);
  connect(cancelButton, &QPushButton::clicked, this, &TLex_Fortschritt::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->setSpacing(6);
  layout->addWidget(group);
  layout->addLayout(buttons);
  setFixedSize(layout->sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));

  // The run does not wait for the window: the window looks at the run's steps now and then.
  refresh_ = new QTimer(this);
  refresh_->setInterval(kRefreshMs);
  connect(refresh_, &QTimer::timeout, this, &TLex_Fortschritt::ShowSteps);
}

void TLex_Fortschritt::SetFileCount(int count) {
  PostToThreadOf(this, [this, count] {
    fileCount_ = count;
    // A run over no files keeps an empty bar; Qt would take a maximum of 0 for "busy".
    bar_->setRange(0, count > 0 ? count : 1);
    show();
    refresh_->start();
  });
}

void TLex_Fortschritt::showEvent(QShowEvent* event) {
  CentreOver(this, parentWidget());
  QDialog::showEvent(event);
}

void TLex_Fortschritt::StepFile(const std::string& file, int lineCount) {
  int position = 0;
  {
    const std::lock_guard lock(stepMutex_);
    position = ++position_;
    lineTotal_ += lineCount;
    lastFile_ = file;
  }
  if (QThread::currentThread() == thread()) {
    ShowSteps();
  }
  emit FileDone(position);
}

void TLex_Fortschritt::Finished() {
  PostToThreadOf(this, [this] {
    refresh_->stop();
    ShowSteps();
  });
}

void TLex_Fortschritt::ShowSteps() {
  int position = 0;
  int lineTotal = 0;
  std::string file;
  {
    const std::lock_guard lock(stepMutex_);
    if (position_ == shown_) {
      return;
    }
    position = position_;
    lineTotal = lineTotal_;
    file = lastFile_;
  }
  shown_ = position;
  bar_->setValue(position);
  countLabel_->setText(QString::asprintf(kProgressCounter, position, fileCount_));
  fileLabel_->setText(
      UiText(kProgressFile).replace(QLatin1String("%s"), FromPath(ExtractFileName(file))));
  linesLabel_->setText(QString::asprintf(kProgressLines, lineTotal));
  emit Stepped(position);
}

void TLex_Fortschritt::reject() {
  cancelled_.store(true);
  refresh_->stop();
  QDialog::reject();
}

} // namespace qm::ui
