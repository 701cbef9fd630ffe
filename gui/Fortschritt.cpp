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
}

void TLex_Fortschritt::SetFileCount(int count) {
  PostToThreadOf(this, [this, count] {
    fileCount_ = count;
    // A run over no files keeps an empty bar; Qt would take a maximum of 0 for "busy".
    bar_->setRange(0, count > 0 ? count : 1);
    show();
  });
}

void TLex_Fortschritt::showEvent(QShowEvent* event) {
  CentreOver(this, parentWidget());
  QDialog::showEvent(event);
}

void TLex_Fortschritt::StepFile(const std::string& file, int lineCount) {
  const QString name = FromPath(ExtractFileName(file));
  CallInThreadOf(this, [this, &name, lineCount] { ShowStep(name, lineCount); });
}

void TLex_Fortschritt::ShowStep(const QString& fileName, int lineCount) {
  ++position_;
  bar_->setValue(position_);
  countLabel_->setText(QString::asprintf(kProgressCounter, position_, fileCount_));
  fileLabel_->setText(UiText(kProgressFile).replace(QLatin1String("%s"), fileName));
  lineTotal_ += lineCount;
  linesLabel_->setText(QString::asprintf(kProgressLines, lineTotal_));
  emit Stepped(position_);
}

void TLex_Fortschritt::reject() {
  cancelled_.store(true);
  QDialog::reject();
}

} // namespace qm::ui
