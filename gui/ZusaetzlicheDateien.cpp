#include "gui/ZusaetzlicheDateien.h"

#include "desktop/DirectoryPickerDialog.h"
#include "desktop/HelpRequests.h"
#include "desktop/QtText.h"
#include "desktop/WindowPlacement.h"
#include "gui/ErrorBox.h"
#include "gui/FieldText.h"
#include "gui/Images.h"
#include "gui/UiTexts.h"
#include "gui/WindowParts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace qm::ui {

namespace {

// The design's client area is 362 x 91.
constexpr int kDialogWidth = 362;

} // namespace

TLex_ZusaetzlicheDateien::TLex_ZusaetzlicheDateien(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("Lex_ZusaetzlicheDateien"));
  setWindowTitle(UiText(kExtraCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  SetHelpContext(this, kHelpExtraFiles);

  auto* label = new QLabel(UiText(kExtraLabel), this);
  label->setObjectName(QStringLiteral("Label1"));
  folderEdit_ = new QLineEdit(this);
  folderEdit_->setObjectName(QStringLiteral("Edt_Pfad"));
  label->setBuddy(folderEdit_);
  QToolButton* pickButton = NewPickerButton(this, "Btn_Pfad");
  auto* line = new QFrame(this);
  line->setObjectName(QStringLiteral("Bevel1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  QPushButton* acceptButton = nullptr;
  QHBoxLayout* buttons = NewDialogButtons(this, kExtraAccept, kExtraCancel, &acceptButton);

  picker_ = new DirectoryPickerDialog(this);
  picker_->setObjectName(QStringLiteral("Dlg_Pfad"));
  picker_->SetTitle(UiText(kTitlePickExtra));

  auto* path = new QHBoxLayout;
  path->setSpacing(2);
  path->addWidget(folderEdit_, 1);
  path->addWidget(pickButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(4);
  layout->addWidget(label);
  layout->addLayout(path);
  layout->addSpacing(4);
  layout->addWidget(line);
  layout->addSpacing(4);
  layout->addLayout(buttons);
  // The fixed size follows the layout; the label row takes at least the design's width.
  label->setMinimumWidth(kDialogWidth - layout->contentsMargins().left() -
                         layout->contentsMargins().right());
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(pickButton, &QToolButton::clicked, this, [this] { OnPickFolder(); });
  connect(acceptButton, &QPushButton::clicked, this, &QDialog::accept);
}

QString TLex_ZusaetzlicheDateien::Folder() const {
  return folderEdit_->text();
}

void TLex_ZusaetzlicheDateien::SetFolder(const QString& folder) {
  folderEdit_->setText(folder);
}

void TLex_ZusaetzlicheDateien::OnPickFolder() {
  if (picker_->Execute()) {
    folderEdit_->setText(picker_->Directory());
  }
}

void TLex_ZusaetzlicheDateien::accept() {
  // The folder is kept as Windows-1252 text, as a project file holds it.
  if (RunGuarded(this, [this] { FieldText(*folderEdit_, kFieldExtraFiles); })) {
    QDialog::accept();
  }
}

void TLex_ZusaetzlicheDateien::showEvent(QShowEvent* event) {
  CentreOver(this, parentWidget());
  QDialog::showEvent(event);
}

} // namespace qm::ui
