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
#include "gui/Images.h"
#include "gui/UiTexts.h"
#include "gui/WindowParts.h"
#include "gui/WindowState.h"
#include "project/ProjectModel.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace qm::ui {

namespace {

// The design's client area, which the editor opens at and can grow from; the tool bar's band
// takes the top 61 pixels, its buttons are 55 x 52 with a 32 x 32 image above the caption.
constexpr int kEditorWidth = 417;
constexpr int kEditorHeight = 246;
constexpr int kToolButtonWidth = 55;

} // namespace

QString TemplateText(const Lines& lines) {
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) {
    text.append(FromAnsi(line));
  }
  return text.join(QLatin1Char('\n'));
}

TLex_HTMLEditor::TLex_HTMLEditor(QWidget* owner, ProjectModel& model, TemplateId id)
    : QDialog(owner), model_(model), id_(id) {
  setObjectName(QStringLiteral("Lex_HTMLEditor"));
  setWindowTitle(UiText(kEditorCaption));
  // Sizeable, so that a long template can be read whole; the size is kept with the form's
  // state.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                 Qt::CustomizeWindowHint);
  setSizeGripEnabled(true);
  SetHelpContext(this, kHelpEditor);

  // A main window inside the dialog hosts the tool bar, so its band has a grip as the main
  // window's has.
  auto* host = new QMainWindow(this);
  host->setWindowFlags(Qt::Widget); // QMainWindow makes itself a window of its own otherwise
  host->setObjectName(QStringLiteral("ControlBar1"));
  host->setContextMenuPolicy(Qt::NoContextMenu);
  QToolBar* bar = AddTopToolBar(host);
  const auto addButton = [this, bar](const char* name, const char* caption, const QIcon& image,
                                     void (TLex_HTMLEditor::*handler)()) {
    QAction* action = bar->addAction(image, UiText(caption));
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    NameToolButton(bar, action, name, kToolButtonWidth);
  };
  addButton("ToolButton1", kEditorClose, ExitImage(), &TLex_HTMLEditor::OnClose);
  AddToolSeparator(bar, "ToolButton2");
  addButton("ToolButton3", kEditorLoad, LoadImage(), &TLex_HTMLEditor::OnLoadFile);
  addButton("ToolButton4", kEditorSave, SaveImage(), &TLex_HTMLEditor::OnSaveFile);

  content_ = new QPlainTextEdit(host);
  content_->setObjectName(QStringLiteral("Content"));
  // HTML source: a fixed-pitch font, lines as they are (no wrapping).
  content_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  content_->setLineWrapMode(QPlainTextEdit::NoWrap);
  host->setCentralWidget(content_);
  // Messages name a line ("Zeile 21"): the cursor's line and column stand below the text.
  cursorLabel_ = new QLabel(host);
  cursorLabel_->setObjectName(QStringLiteral("Lbl_Position"));
  host->statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  host->statusBar()->setSizeGripEnabled(false);
  host->statusBar()->addWidget(cursorLabel_);
  connect(content_, &QPlainTextEdit::cursorPositionChanged, this,
          &TLex_HTMLEditor::ShowCursorPosition);
  ShowCursorPosition();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(host);
  const QSize design(std::max(kEditorWidth, minimumSizeHint().width()),
                     std::max(kEditorHeight, minimumSizeHint().height()));
  setMinimumSize(design);
  resize(design);

  const QStringList filters = FileFilters();
  openDialog_ = new FilePickerDialog(this, FilePickerDialog::Kind::Open);
  openDialog_->setObjectName(QStringLiteral("OpenDialog1"));
  openDialog_->SetTitle(UiText(kEditorOpenTitle));
  openDialog_->SetFilters(filters);
  openDialog_->SetDefaultExt(QString::fromUtf8(kPageExtension));
  saveDialog_ = new FilePickerDialog(this, FilePickerDialog::Kind::Save);
  saveDialog_->setObjectName(QStringLiteral("SaveDialog1"));
  saveDialog_->SetTitle(UiText(kEditorSaveTitle));
  saveDialog_->SetFilters(filters);
  saveDialog_->SetDefaultExt(QString::fromUtf8(kPageExtension));

  // Active for a new editor, so each editing restores; ShowTemplate decides whether it saves.
  formStorage_ =
      CreateFormStorage(this, kSectionEditor,
                        {QStringLiteral("Content.Lines"), QStringLiteral("OpenDialog1.FileName"),
                         QStringLiteral("SaveDialog1.FileName")});
}

TLex_HTMLEditor::~TLex_HTMLEditor() {
  formStorage_->FormDestroy();
}

QStringList TLex_HTMLEditor::FileFilters() {
  return {QString::fromUtf8(kFilterTemplates), QString::fromUtf8(kFilterWebPages),
          QString::fromUtf8(kFilterTextFiles), QString::fromUtf8(kFilterAllFiles)};
}

void TLex_HTMLEditor::ShowCursorPosition() {
  const QTextCursor cursor = content_->textCursor();
  cursorLabel_->setText(
      UiText(kEditorCursor).arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

void TLex_HTMLEditor::showEvent(QShowEvent* event) {
  // The form storage has restored its values on the Show event, before this runs.
  ShowTemplate();
  QDialog::showEvent(event);
}

void TLex_HTMLEditor::ShowTemplate() {
  // Kept between program runs only while no project file holds the templates.
  formStorage_->SetActive(model_.CurrentProjectFile().empty());
  // The template, never a text restored from the settings; nothing to undo before it. Of the
  // restored values only the dialogs' file names take effect.
  shown_ = model_.Settings().Templates[id_];
  content_->setPlainText(TemplateText(shown_));
  CentreOver(this, parentWidget());
}

void TLex_HTMLEditor::Show(const Lines& lines) {
  // Through the cursor, so that a load can be undone.
  QTextCursor cursor(content_->document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(TemplateText(lines));
  shown_ = lines;
  content_->document()->setModified(false);
}

void TLex_HTMLEditor::done(int result) {
  if (!TakeOverText()) {
    return;
  }
  QDialog::done(result);
}

bool TLex_HTMLEditor::TakeOverText() {
  std::optional<Lines> lines = ContentLines();
  if (!lines) {
    return false;
  }
  model_.Edit().Templates[id_] = std::move(*lines);
  return true;
}

std::optional<Lines> TLex_HTMLEditor::ContentLines() {
  const QTextDocument* document = content_->document();
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
      content_->setTextCursor(cursor);
      const char32_t code = CodePointOf(*bad);
      const MessageRequest request =
          ErrorRequest(UiText(kMsgNotAnsi)
                           .arg(bad->toString())
                           .arg(block.blockNumber() + 1)
                           .arg(QStringLiteral("&#%1;").arg(static_cast<unsigned>(code))),
                       kHelpEditor);
      Dialogs().Message(this, request);
      return std::nullopt;
    }
    lines.push_back(ToAnsi(line));
  }
  return lines;
}

void TLex_HTMLEditor::OnClose() {
  close();
}

void TLex_HTMLEditor::OnLoadFile() {
  RunGuarded(this, [this] {
    if (!openDialog_->Execute()) {
      return;
    }
    Show(ReadTextLines(ToPath(openDialog_->FileName())));
  });
}

void TLex_HTMLEditor::OnSaveFile() {
  RunGuarded(this, [this] {
    const std::optional<Lines> lines = ContentLines();
    if (!lines || !saveDialog_->Execute()) {
      return;
    }
    std::string bytes;
    for (const std::string& line : *lines) {
      bytes += line;
      bytes += "\r\n";
    }
    // Replaced atomically: a failed save leaves the old file as it was.
    WriteFileAtomic(ToPath(saveDialog_->FileName()), bytes, kMsgCannotCreateBecause);
  });
}

} // namespace qm::ui
