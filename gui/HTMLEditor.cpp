#include "gui/HTMLEditor.h"

#include "base/TextFile.h"
#include "desktop/FilePickerDialog.h"
#include "desktop/FormStorage.h"
#include "desktop/FormStorageTexts.h"
#include "desktop/HelpRequests.h"
#include "desktop/QtText.h"
#include "desktop/UserDialogs.h"
#include "desktop/WindowPlacement.h"
#include "gui/ErrorBox.h"
#include "gui/Hauptmenue.h"
#include "gui/Images.h"
#include "gui/UiTexts.h"
#include "gui/WindowState.h"

#include <QFontDatabase>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qm::ui {

namespace {

// The design's client area; the tool bar's band takes the top 61 pixels, its buttons are
// 55 x 52 with a 32 x 32 image above the caption.
constexpr int kEditorWidth = 417;
constexpr int kEditorHeight = 246;
constexpr int kToolButtonWidth = 55;
constexpr int kToolButtonHeight = 52;
constexpr int kToolImageSize = 32;
constexpr int kToolSeparatorWidth = 8;

} // namespace

QString TemplateText(const Lines& lines) {
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) {
    text.append(FromAnsi(line));
  }
  return text.join(QLatin1Char('\n'));
}

TLex_HTMLEditor::TLex_HTMLEditor(TLex_Hauptmenue& owner, TemplateSet& templates, TemplateId id)
    : QDialog(&owner), owner_(owner), template_(templates[id]) {
  setObjectName(QStringLiteral("Lex_HTMLEditor"));
  setWindowTitle(UiText(kEditorCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
  SetHelpContext(this, kHelpEditor);

  // A main window inside the dialog hosts the tool bar, so its band has a grip as the main
  // window's has.
  auto* host = new QMainWindow(this);
  host->setWindowFlags(Qt::Widget); // QMainWindow makes itself a window of its own otherwise
  host->setObjectName(QStringLiteral("ControlBar1"));
  host->setContextMenuPolicy(Qt::NoContextMenu);
  auto* bar = host->addToolBar(QString());
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setAllowedAreas(Qt::TopToolBarArea);
  bar->setFloatable(false);
  bar->setIconSize(QSize(kToolImageSize, kToolImageSize));
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->toggleViewAction()->setEnabled(false);
  const auto addButton = [this, bar](const char* name, const char* caption, const QIcon& image,
                                     void (TLex_HTMLEditor::*handler)()) {
    QAction* action = bar->addAction(image, UiText(caption));
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    QWidget* button = bar->widgetForAction(action);
    button->setObjectName(QLatin1String(name));
    button->setMinimumSize(kToolButtonWidth, kToolButtonHeight);
  };
  addButton("ToolButton1", kEditorClose, ExitImage(), &TLex_HTMLEditor::ToolButton1Click);
  QWidget* separator = bar->widgetForAction(bar->addSeparator());
  separator->setObjectName(QStringLiteral("ToolButton2"));
  separator->setFixedWidth(kToolSeparatorWidth);
  addButton("ToolButton3", kEditorLoad, LoadImage(), &TLex_HTMLEditor::ToolButton3Click);
  addButton("ToolButton4", kEditorSave, SaveImage(), &TLex_HTMLEditor::ToolButton4Click);

  Content = new QPlainTextEdit(host);
  Content->setObjectName(QStringLiteral("Content"));
  // HTML source: a fixed-pitch font, lines as they are (no wrapping).
  Content->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Content->setLineWrapMode(QPlainTextEdit::NoWrap);
  host->setCentralWidget(Content);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(host);
  setFixedSize(std::max(kEditorWidth, minimumSizeHint().width()),
               std::max(kEditorHeight, minimumSizeHint().height()));

  const QStringList filters = {QString::fromUtf8(kFilterWebPages),
                               QString::fromUtf8(kFilterTextFiles),
                               QString::fromUtf8(kFilterAllFiles)};
  OpenDialog1 = new FilePickerDialog(this, FilePickerDialog::Kind::Open);
  OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
  OpenDialog1->SetTitle(UiText(kEditorOpenTitle));
  OpenDialog1->SetFilters(filters);
  OpenDialog1->SetDefaultExt(QString::fromUtf8(kPageExtension));
  SaveDialog1 = new FilePickerDialog(this, FilePickerDialog::Kind::Save);
  SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
  SaveDialog1->SetTitle(UiText(kEditorSaveTitle));
  SaveDialog1->SetFilters(filters);
  SaveDialog1->SetDefaultExt(QString::fromUtf8(kPageExtension));

  // Active for a new editor, so each editing restores; FormShow decides whether it saves.
  FormStorage1 =
      CreateFormStorage(this, kSectionEditor,
                        {QStringLiteral("Content.Lines"), QStringLiteral("OpenDialog1.FileName"),
                         QStringLiteral("SaveDialog1.FileName")});
}

TLex_HTMLEditor::~TLex_HTMLEditor() {
  FormStorage1->FormDestroy();
}

void TLex_HTMLEditor::showEvent(QShowEvent* event) {
  // The form storage has restored its values on the Show event, before this runs.
  FormShow();
  QDialog::showEvent(event);
}

void TLex_HTMLEditor::FormShow() {
  // Kept between program runs only while no project file holds the templates.
  FormStorage1->SetActive(owner_.CurrentProjectFile().empty());
  // The template, never a text restored from the settings; nothing to undo before it. Of the
  // restored values only the dialogs' file names take effect.
  Content->setPlainText(TemplateText(template_));
  shown_ = template_;
  CentreOver(this, parentWidget());
}

void TLex_HTMLEditor::Show(const Lines& lines) {
  // Through the cursor, so that a load can be undone.
  QTextCursor cursor(Content->document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(TemplateText(lines));
  shown_ = lines;
  Content->document()->setModified(false);
}

void TLex_HTMLEditor::done(int result) {
  if (!FormHide()) {
    return;
  }
  QDialog::done(result);
}

bool TLex_HTMLEditor::FormHide() {
  std::optional<Lines> lines = ContentLines();
  if (!lines) {
    return false;
  }
  template_ = std::move(*lines);
  return true;
}

std::optional<Lines> TLex_HTMLEditor::ContentLines() {
  const QTextDocument* document = Content->document();
  // An untouched text gives back exactly the lines shown (no line and one empty line look
  // alike in an edit).
  if (!document->isModified()) {
    return shown_;
  }
  if (document->isEmpty()) {
    return Lines();
  }
  Lines lines;
  lines.reserve(static_cast<size_t>(document->blockCount()));
  // QTextBlock::text() keeps every character (toPlainText() would turn a no-break space
  // into a blank).
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    const QString line = block.text();
    if (const std::optional<QStringView> bad = FirstNonAnsi(line)) {
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + static_cast<int>(bad->data() - line.data()));
      Content->setTextCursor(cursor);
      const char32_t code = CodePointOf(*bad);
      MessageRequest request;
      request.Kind = MessageKind::Error;
      request.Text = UiText(kMsgNotAnsi)
                         .arg(bad->toString())
                         .arg(block.blockNumber() + 1)
                         .arg(QStringLiteral("&#%1;").arg(static_cast<unsigned>(code)));
      request.Buttons = MessageButton::Ok | MessageButton::Help;
      request.HelpContext = kHelpEditor;
      Dialogs().Message(this, request);
      return std::nullopt;
    }
    lines.push_back(ToAnsi(line));
  }
  return lines;
}

void TLex_HTMLEditor::ToolButton1Click() {
  close();
}

void TLex_HTMLEditor::ToolButton3Click() {
  RunGuarded(this, [this] {
    if (!OpenDialog1->Execute()) {
      return;
    }
    Show(ReadTextLines(ToPath(OpenDialog1->FileName())));
  });
}

void TLex_HTMLEditor::ToolButton4Click() {
  RunGuarded(this, [this] {
    const std::optional<Lines> lines = ContentLines();
    if (!lines || !SaveDialog1->Execute()) {
      return;
    }
    std::string bytes;
    for (const std::string& line : *lines) {
      bytes += line;
      bytes += "\r\n";
    }
    // Replaced atomically: a failed save leaves the old file as it was.
    WriteFileAtomic(ToPath(SaveDialog1->FileName()), bytes, kMsgCannotCreate);
  });
}

} // namespace qm::ui
