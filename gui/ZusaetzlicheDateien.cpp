#include "gui/ZusaetzlicheDateien.h"

#include "desktop/DirectoryPickerDialog.h"
#include "desktop/HelpRequests.h"
#include "desktop/QtText.h"
#include "desktop/WindowPlacement.h"
#include "gui/ErrorBox.h"
#include "gui/FieldText.h"
#include "gui/Images.h"
#include "gui/UiTexts.h"

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

// The design's client area is 362 x 91; the picker button is 21 x 21.
constexpr int kDialogWidth = 362;
constexpr int kPickerButtonSize = 21;

} // namespace

TLex_ZusaetzlicheDateien::TLex_ZusaetzlicheDateien(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("Lex_ZusaetzlicheDateien"));
  setWindowTitle(UiText(kExtraCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  SetHelpContext(this, kHelpExtraFiles);

  Label1 = new QLabel(UiText(kExtraLabel), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Edt_Pfad = new QLineEdit(this);
  Edt_Pfad->setObjectName(QStringLiteral("Edt_Pfad"));
  Label1->setBuddy(Edt_Pfad);
  Btn_Pfad = new QToolButton(this);
  Btn_Pfad->setObjectName(QStringLiteral("Btn_Pfad"));
  Btn_Pfad->setToolTip(UiText(kHintPickFolder));
  Btn_Pfad->setIcon(FolderImage());
  Btn_Pfad->setFixedSize(kPickerButtonSize, kPickerButtonSize);
  auto* line = new QFrame(this);
  line->setObjectName(QStringLiteral("Bevel1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  BitBtn1 =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), UiText(kExtraAccept), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                            UiText(kExtraCancel), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setAutoDefault(false);

  Dlg_Pfad = new DirectoryPickerDialog(this);
  Dlg_Pfad->setObjectName(QStringLiteral("Dlg_Pfad"));
  Dlg_Pfad->SetTitle(UiText(kTitlePickExtra));

  auto* path = new QHBoxLayout;
  path->setSpacing(2);
  path->addWidget(Edt_Pfad, 1);
  path->addWidget(Btn_Pfad);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(4);
  layout->addWidget(Label1);
  layout->addLayout(path);
  layout->addSpacing(4);
  layout->addWidget(line);
  layout->addSpacing(4);
  layout->addLayout(buttons);
  // The fixed size follows the layout; the label row takes at least the design's width.
  Label1->setMinimumWidth(kDialogWidth - layout->contentsMargins().left() -
                          layout->contentsMargins().right());
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(Btn_Pfad, &QToolButton::clicked, this, [this] { Btn_PfadClick(); });
  // Escape, the close box and "&Abbrechen" end with Cancel.
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QString TLex_ZusaetzlicheDateien::Folder() const {
  return Edt_Pfad->text();
}

void TLex_ZusaetzlicheDateien::SetFolder(const QString& folder) {
  Edt_Pfad->setText(folder);
}

void TLex_ZusaetzlicheDateien::Btn_PfadClick() {
  if (Dlg_Pfad->Execute()) {
    Edt_Pfad->setText(Dlg_Pfad->Directory());
  }
}

void TLex_ZusaetzlicheDateien::accept() {
  // The folder is kept as Windows-1252 text, as a project file holds it.
  if (RunGuarded(this, [this] { FieldText(*Edt_Pfad, kFieldExtraFiles); })) {
    QDialog::accept();
  }
}

void TLex_ZusaetzlicheDateien::showEvent(QShowEvent* event) {
  CentreOver(this, parentWidget());
  QDialog::showEvent(event);
}

} // namespace qm::ui
