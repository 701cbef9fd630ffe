#include "desktop/MessageDialog.h"

#include "desktop/HelpRequests.h"
#include "desktop/SupportTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qm {

namespace {

// The widest a box gets, with its margins and the gap between icon and text.
constexpr int kMaxBoxWidth = 800;
constexpr int kBoxMargin = 16;
constexpr int kBoxSpacing = 16;

struct ButtonText {
  MessageButton button;
  const char* text;
  const char* name;
};

// In the order a box shows them.
constexpr ButtonText kButtons[] = {
    {MessageButton::Ok, kButtonOk, "Ok"},
    {MessageButton::Yes, kButtonYes, "Ja"},
    {MessageButton::No, kButtonNo, "Nein"},
    {MessageButton::Cancel, kButtonCancel, "Abbrechen"},
    {MessageButton::Help, kButtonHelp, "Hilfe"},
};

QStyle::StandardPixmap IconOf(MessageKind kind) {
  switch (kind) {
  case MessageKind::Warning:
    return QStyle::SP_MessageBoxWarning;
  case MessageKind::Confirmation:
    return QStyle::SP_MessageBoxQuestion;
  case MessageKind::Information:
    return QStyle::SP_MessageBoxInformation;
  case MessageKind::Error:
    return QStyle::SP_MessageBoxCritical;
  }
  return QStyle::SP_MessageBoxInformation;
}

} // namespace

MessageDialog::MessageDialog(QWidget* parent, const MessageRequest& request)
    : QDialog(parent), escapeAnswer_(EscapeAnswer(request.Buttons)), answer_(escapeAnswer_),
      helpContext_(request.HelpContext) {
  setWindowTitle(TitleOf(request));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  SetHelpContext(this, request.HelpContext);

  auto* icon = new QLabel(this);
  const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(IconOf(request.Kind), nullptr, this).pixmap(iconSize));
  icon->setAlignment(Qt::AlignTop);
  auto* text = new QLabel(request.Text, this);
  text->setObjectName(QStringLiteral("Text"));
  text->setTextFormat(Qt::PlainText);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // A box stays within kMaxBoxWidth: longer lines (a run's warnings with their paths) wrap at
  // word boundaries.
  const int textRoom = kMaxBoxWidth - 2 * kBoxMargin - kBoxSpacing - iconSize;
  if (text->sizeHint().width() > textRoom) {
    text->setWordWrap(true);
    const QRect wrapped = text->fontMetrics().boundingRect(QRect(0, 0, textRoom, QWIDGETSIZE_MAX),
                                                           Qt::TextWordWrap, request.Text);
    text->setFixedSize(textRoom, wrapped.height());
  }

  auto* message = new QHBoxLayout;
  message->setSpacing(kBoxSpacing);
  message->addWidget(icon);
  message->addWidget(text, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  bool first = true;
  for (const ButtonText& b : kButtons) {
    if (!request.Buttons.testFlag(b.button)) {
      continue;
    }
    auto* push = new QPushButton(QString::fromUtf8(b.text), this);
    push->setObjectName(QLatin1String(b.name));
    push->setProperty("qmAnswer", static_cast<unsigned>(b.button));
    // The first button answers Enter, as in every message box.
    push->setDefault(first);
    push->setAutoDefault(true);
    first = false;
    if (b.button == MessageButton::Help) {
      connect(push, &QPushButton::clicked, this, [this] { RequestHelp(helpContext_); });
    } else {
      const MessageButton answer = b.button;
      connect(push, &QPushButton::clicked, this, [this, answer] { Close(answer); });
    }
    buttons->addWidget(push);
  }
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kBoxMargin, kBoxMargin, kBoxMargin, 12);
  layout->setSpacing(kBoxSpacing);
  layout->addLayout(message);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* MessageDialog::Button(MessageButton button) const {
  for (QPushButton* push : findChildren<QPushButton*>()) {
    if (push->property("qmAnswer").toUInt() == static_cast<unsigned>(button)) {
      return push;
    }
  }
  return nullptr;
}

void MessageDialog::reject() {
  Close(escapeAnswer_);
}

void MessageDialog::Close(MessageButton answer) {
  answer_ = answer;
  done(static_cast<int>(answer));
}

} // namespace qm
