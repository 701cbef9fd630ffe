#include "gui/WindowParts.h"

#include "desktop/QtText.h"
#include "gui/Images.h"
#include "gui/UiTexts.h"

#include <QAction>
#include <QDialog>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace qm::ui {

// The design's tool buttons are 52 high with a 32 x 32 image above the caption, and their
// separators 8 wide; a picker button is 21 x 21.
constexpr QSize kToolImageSize(32, 32);
constexpr int kToolButtonHeight = 52;
constexpr int kToolSeparatorWidth = 8;
constexpr QSize kPickerButtonSize(21, 21);

QToolBar* AddTopToolBar(QMainWindow* host) {
  QToolBar* bar = host->addToolBar(QString());
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setAllowedAreas(Qt::TopToolBarArea);
  bar->setFloatable(false);
  bar->setIconSize(kToolImageSize);
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->toggleViewAction()->setEnabled(false);
  return bar;
}

void NameToolButton(QToolBar* bar, QAction* action, const char* name, int buttonWidth) {
  QWidget* button = bar->widgetForAction(action);
  button->setObjectName(QLatin1String(name));
  button->setMinimumSize(buttonWidth, kToolButtonHeight);
}

void AddToolSeparator(QToolBar* bar, const char* name) {
  QWidget* separator = bar->widgetForAction(bar->addSeparator());
  separator->setObjectName(QLatin1String(name));
  separator->setFixedWidth(kToolSeparatorWidth);
}

QToolButton* NewPickerButton(QWidget* parent, const char* name) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setToolTip(UiText(kHintPickFolder));
  button->setIcon(FolderImage());
  button->setFixedSize(kPickerButtonSize);
  return button;
}

QHBoxLayout* NewDialogButtons(QDialog* dialog, const char* okCaption, const char* cancelCaption,
                              QPushButton** ok) {
  *ok = new QPushButton(dialog->style()->standardIcon(QStyle::SP_DialogOkButton), UiText(okCaption),
                        dialog);
  (*ok)->setObjectName(QStringLiteral("BitBtn1"));
  (*ok)->setDefault(true);
  auto* cancel = new QPushButton(dialog->style()->standardIcon(QStyle::SP_DialogCancelButton),
                                 UiText(cancelCaption), dialog);
  cancel->setObjectName(QStringLiteral("BitBtn2"));
  cancel->setAutoDefault(false);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(*ok);
  row->addWidget(cancel);
  return row;
}

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  // Its width comes from the window, never from its text.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  setMinimumWidth(0);
}

void ElidedLabel::SetFullText(const QString& text) {
  fullText_ = text;
  Elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void ElidedLabel::Elide() {
  const QString shown =
      fontMetrics().elidedText(fullText_, Qt::ElideMiddle, contentsRect().width());
  setText(shown);
  setToolTip(shown != fullText_ ? fullText_ : QString());
}

} // namespace qm::ui
