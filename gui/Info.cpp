#include "gui/Info.h"

#include "desktop/HelpRequests.h"
#include "desktop/QtText.h"
#include "desktop/WindowPlacement.h"
#include "gui/Images.h"
#include "gui/UiTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm::ui {

namespace {

// The product name: large, italic, purple.
constexpr int kProductPointSize = 26;
constexpr QRgb kProductColour = 0x800080;

} // namespace

TLex_Info::TLex_Info(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("Lex_Info"));
  setWindowTitle(UiText(kInfoCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  SetHelpContext(this, kHelpInfoBox);

  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("ProgramImage"));
  image->setPixmap(ProgramImage().pixmap(64, 64));
  image->setAlignment(Qt::AlignTop);

  auto* product = new QLabel(UiText(kInfoProduct), this);
  product->setObjectName(QStringLiteral("ProductName"));
  QFont font = product->font();
  font.setPointSize(kProductPointSize);
  font.setItalic(true);
  product->setFont(font);
  QPalette palette = product->palette();
  palette.setColor(QPalette::WindowText, QColor(kProductColour));
  product->setPalette(palette);

  auto* version = new QLabel(UiText(kInfoVersion).arg(QLatin1String(QM_VERSION)), this);
  version->setObjectName(QStringLiteral("Lbl_Version"));

  const QString site = QString::fromUtf8(kMakerWebSite);
  auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(site.toHtmlEscaped()), this);
  link->setObjectName(QStringLiteral("WebSite"));
  link->setTextFormat(Qt::RichText);
  link->setOpenExternalLinks(true);
  link->setCursor(Qt::PointingHandCursor);

  auto* close = new QPushButton(UiText(kInfoClose), this);
  close->setObjectName(QStringLiteral("BitBtn1"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(product);
  text->addWidget(version);
  text->addWidget(link);
  text->addStretch();
  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addWidget(image);
  top->addLayout(text);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(16);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TLex_Info::showEvent(QShowEvent* event) {
  CentreOver(this, parentWidget());
  QDialog::showEvent(event);
}

} // namespace qm::ui
