// quillmark_screenshots: draws every window and message box of the desktop program into PNG
// files, so that a person can check the layout and that no caption is cut. Each picture gets a
// title bar with the window's caption, since the offscreen platform draws no frames.
//
//   quillmark_screenshots FOLDER [PROJECT.qmpr]
//
// With a project file, the main window is drawn a second time with the project loaded. When the
// build made the program's help file, the help window is drawn on its welcome page and with
// the results of a search. The windows keep no state here: their settings go to a temporary
// folder.
#include "base/AnsiText.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "base/Warnings.h"
#include "desktop/HelpRequests.h"
#include "desktop/HelpSearchTab.h"
#include "desktop/HelpViewer.h"
#include "desktop/HtmlHelpGateway.h"
#include "desktop/MessageDialog.h"
#include "desktop/QtText.h"
#include "desktop/QtTranslations.h"
#include "desktop/UserDialogs.h"
#include "desktop/WindowPlacement.h"
#include "engine/BlockConvert.h"
#include "engine/Generator.h"
#include "gui/ConversionRun.h"
#include "gui/ErrorBox.h"
#include "gui/Fortschritt.h"
#include "gui/HTMLEditor.h"
#include "gui/Hauptmenue.h"
#include "gui/Info.h"
#include "gui/UiTexts.h"
#include "gui/WorkshopProj.h"
#include "gui/ZusaetzlicheDateien.h"
#include "helpproject/HelpTexts.h"
#include "project/ConversionCommand.h"
#include "project/CopyFolder.h"
#include "project/ProjectModel.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace qm;
using namespace qm::ui;

constexpr int kTitleBarHeight = 24;

// Answers every question without showing anything, so no modal loop waits.
class NoDialogs final : public UserDialogs {
public:
  MessageButton Message(QWidget*, const MessageRequest& request) override {
    return EscapeAnswer(request.Buttons);
  }
  std::optional<QString> OpenFile(QWidget*, const FileRequest&) override { return {}; }
  std::optional<QString> SaveFile(QWidget*, const FileRequest&) override { return {}; }
  std::optional<QString> PickFolder(QWidget*, const QString&, const QString&) override {
    return {};
  }
};

class Camera {
public:
  explicit Camera(QString folder) : folder_(std::move(folder)) {}

  // Shows widget, draws it under a title bar with its caption and saves it as name.png.
  bool Shoot(QWidget* widget, const char* name, bool titleBar = true) {
    widget->show();
    QApplication::processEvents();
    const QPixmap content = widget->grab();
    const int top = titleBar ? kTitleBarHeight : 0;
    QPixmap picture(content.width(), content.height() + top);
    picture.fill(QColor(0x3C, 0x4A, 0x5E));
    QPainter p(&picture);
    p.drawPixmap(0, top, content);
    if (titleBar) {
      QFont font = widget->font();
      font.setBold(true);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRect(8, 0, content.width() - 16, top), Qt::AlignVCenter | Qt::AlignLeft,
                 widget->windowTitle());
    }
    p.end();
    return Save(picture, name);
  }

  bool Save(const QPixmap& picture, const char* name) {
    const QString path = QDir(folder_).filePath(QLatin1String(name) + QLatin1String(".png"));
    if (!picture.save(path, "PNG")) {
      std::fprintf(stderr, "quillmark_screenshots: cannot write %s\n", qPrintable(path));
      return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
  }

  // Draws the screen with windows on it where they stand, each in a frame of the width and the
  // title bar's height the windows are placed with, and saves it as name.png.
  bool ShootScreen(const std::vector<QWidget*>& windows, const char* name) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    QPixmap picture(screen->geometry().size());
    picture.fill(QColor(0x2E, 0x5E, 0x6E));
    QPainter p(&picture);
    for (QWidget* window : windows) {
      window->show();
      QApplication::processEvents();
      const QPixmap content = window->grab();
      const QRect client = window->geometry();
      const QRect frame = FrameOf(window);
      const QRect bar(frame.left(), frame.top(), frame.width(), client.top() - frame.top());
      p.fillRect(frame, QColor(0x3C, 0x4A, 0x5E));
      QFont font = window->font();
      font.setBold(true);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(bar.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft,
                 window->windowTitle());
      p.drawPixmap(client.topLeft(), content);
    }
    p.end();
    return Save(picture, name);
  }

  bool ShootBox(const MessageRequest& request, const char* name) {
    MessageDialog box(nullptr, request);
    return Shoot(&box, name);
  }

private:
  QString folder_;
};

MessageRequest Box(MessageKind kind, const QString& text, MessageButtons buttons, int help) {
  MessageRequest request;
  request.Kind = kind;
  request.Text = text;
  request.Buttons = buttons;
  request.HelpContext = help;
  return request;
}

// Keeps the output to the files written: the offscreen platform says for every window that it
// cannot raise it or grab the keyboard.
void QuietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) {
    return;
  }
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietPlatform);
  QApplication app(argc, argv);
  // The menus name their shortcuts as the program does ("Strg+O").
  InstallQtTranslations();
  const QStringList args = QApplication::arguments();
  if (args.size() < 2 || args.size() > 3) {
    std::fprintf(stderr, "usage: quillmark_screenshots FOLDER [PROJECT.qmpr]\n");
    return 2;
  }
  // The windows restore and save their state; not from and into the user's own settings.
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QDir().mkpath(args.at(1));
  Camera camera(args.at(1));
  NoDialogs noDialogs;
  InstallDialogs(&noDialogs);
  bool ok = true;

  TLex_Hauptmenue window(ProgramFolder(), {});
  ok &= camera.Shoot(&window, "Hauptmenue");
  for (QMenu* menu : window.menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
    if (menu->objectName().isEmpty()) {
      continue; // the menu bar's own overflow menu
    }
    menu->popup(window.mapToGlobal(QPoint(0, 0)));
    ok &= camera.Shoot(menu, qPrintable(QStringLiteral("Menue-") + menu->objectName()), false);
    menu->hide();
  }
  // The Help Workshop dialog with the values of the project, when one is given.
  std::unique_ptr<TLex_Hauptmenue> loaded;
  if (args.size() == 3) {
    loaded = std::make_unique<TLex_Hauptmenue>(ProgramFolder(), QStringList{args.at(2)});
    ok &= camera.Shoot(loaded.get(), "Hauptmenue-Projekt");
    // After a run of the example into a folder of its own: the status line with its summary.
    const QTemporaryDir pages;
    loaded->findChild<QLineEdit*>(QStringLiteral("Edt_Ausgabepfad"))->setText(pages.path());
    loaded->SetProgressPause(0);
    QEventLoop run;
    QObject::connect(loaded.get(), &TLex_Hauptmenue::ConversionEnded, &run, &QEventLoop::quit);
    loaded->OnConvert();
    run.exec();
    ok &= camera.Shoot(loaded.get(), "Hauptmenue-Statuszeile");
    loaded->hide();
  }
  TLex_WorkshopProj* workshop = (loaded ? loaded.get() : &window)->WorkshopDialog();
  ok &= camera.Shoot(workshop, "WorkshopProj");
  workshop->hide();
  // The dialog over a main window at the top of the screen: it stands wholly on the screen.
  window.show();
  MoveFrameTo(&window, QPoint(0, 0));
  ok &= camera.ShootScreen({&window, window.WorkshopDialog()}, "WorkshopProj-Bildschirm");
  window.WorkshopDialog()->hide();

  // The template editor on the user pages' block header (the shipped one when it loaded).
  Lines& blockHeader = window.Model().Edit().Templates[TemplateId::DocBlockHeader];
  if (blockHeader.empty()) {
    blockHeader = {"<h2><a name=\"%LINK%\">%TITLE%</a></h2>", "###Index %TITLE%;%TITLE%;%LINK%"};
  }
  TLex_HTMLEditor editor(&window, window.Model(), TemplateId::DocBlockHeader);
  ok &= camera.Shoot(&editor, "HTMLEditor");
  // Enlarged, with the cursor in the second line.
  editor.resize(editor.size() + QSize(280, 160));
  auto* content = editor.findChild<QPlainTextEdit*>(QStringLiteral("Content"));
  QTextCursor cursor(content->document()->findBlockByNumber(1));
  cursor.movePosition(QTextCursor::NextWord);
  content->setTextCursor(cursor);
  ok &= camera.Shoot(&editor, "HTMLEditor-vergroessert");
  editor.hide();

  TLex_ZusaetzlicheDateien extra(&window);
  extra.SetFolder(FromPath(ProgramFolder()) + QString::fromUtf8(kExtraFilesFolder));
  ok &= camera.Shoot(&extra, "ZusaetzlicheDateien");
  extra.hide();

  // The help window on the welcome page of the program's own help, with its contents.
  const std::string helpFile = ProgramFolder() + kHelpFile;
  if (FileExists(helpFile)) {
    THelpViewer viewer;
    if (viewer.OpenFile(FromPath(helpFile)) && viewer.ShowTopic(QString::fromUtf8(kTopicWelcome))) {
      ok &= camera.Shoot(&viewer, "Hilfe");
      // The search tab with the pages that name templates, the best one open with the word
      // marked.
      viewer.SearchFullText(QStringLiteral("Vorlagen"));
      auto* search = viewer.findChild<THelpSearchTab*>();
      while (search->Waiting()) { // the index is built in the background
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
      }
      search->OpenCurrent();
      ok &= camera.Shoot(&viewer, "Hilfe-Suche");
    } else {
      std::fprintf(stderr, "quillmark_screenshots: %s\n", qPrintable(viewer.Message()));
      ok = false;
    }
    viewer.hide();
    // Its help window over the box that asked for it, as "Hilfe" opens it.
    HtmlHelpEntry = ShowInHelpViewer;
    InstallHelpHandler(&window, [](int context) {
      ShowHelpContext(QString::fromUtf8(kHelpFile), static_cast<std::uint32_t>(context));
    });
    MessageDialog box(
        &window,
        Box(MessageKind::Confirmation,
            UiText(kMsgReplaceFile)
                .replace(QLatin1String("%s"), QStringLiteral("/home/anna/extra/logo.png")),
            MessageButton::Yes | MessageButton::No | MessageButton::Help, kHelpReplaceExtraFile));
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    CentreOver(&box, &window);
    // Where a user left it, to the right of the main window: the box stays in sight.
    SharedHelpViewer().setGeometry(420, 140, 590, 600);
    box.Button(MessageButton::Help)->click();
    ok &= camera.ShootScreen({&window, &box, &SharedHelpViewer()}, "Hilfe-ueber-Meldung");
    SharedHelpViewer().hide();
    box.hide();
  } else {
    std::printf("%s is missing (made only where chmcmd is installed): no picture of the help "
                "window\n",
                helpFile.c_str());
  }

  TLex_Info info(&window);
  ok &= camera.Shoot(&info, "Info");
  info.hide();

  // The progress window in the middle of a run of twelve files.
  TLex_Fortschritt progress(&window);
  progress.SetFileCount(12);
  QApplication::processEvents();
  const char* files[] = {"Export.bas", "Hauptfenster.pas", "Kunde.java", "kunden.sql",
                         "Kundenmanager.dpr"};
  int lines = 87;
  for (const char* file : files) {
    progress.StepFile(std::string("/home/anna/projekt/src/") + file, lines);
    lines += 131;
  }
  ok &= camera.Shoot(&progress, "Fortschritt");
  progress.hide();

  QProgressDialog* copy = CreateCopyProgress(&window, FromAnsi(kCopyProgressTitle), 10);
  copy->setValue(4);
  ok &= camera.Shoot(copy, "KopiereDateien");
  delete copy;

  const QString folder = QStringLiteral("/home/anna/projekt/hilfe/html");
  ok &= camera.ShootBox(Box(MessageKind::Warning, UiText(kMsgOneFilePerBlock),
                            MessageButton::Ok | MessageButton::Help, kHelpOneFilePerBlock),
                        "Warnung-EigeneDateien");
  ok &= camera.ShootBox(
      Box(MessageKind::Warning, MessageFromAnsi(Format(kMsgCreateOutputFolder, qPrintable(folder))),
          MessageButton::Yes | MessageButton::Cancel | MessageButton::Help, kHelpMissingFolder),
      "Warnung-Ordner");
  ok &= camera.ShootBox(
      Box(MessageKind::Confirmation,
          UiText(kMsgReplaceFile)
              .replace(QLatin1String("%s"), QStringLiteral("/home/anna/projekt/handbuch.qmpr")),
          MessageButton::Yes | MessageButton::No | MessageButton::Help, kHelpReplaceFile),
      "Bestaetigung-Ersetzen");
  ok &= camera.ShootBox(
      ErrorRequest(
          ErrorText(Error::File(FileOperation::Open, kMsgCannotOpen,
                                "/opt/quillmark/bin/../Templates/HTMLHeader_Usr.htt", ENOENT)),
          kHelpErrorBox),
      "Fehler-Programm");
  ok &= camera.ShootBox(
      ErrorRequest(MessageFromAnsi(Format(kMsgCopyFailed, "/home/anna/extra/logo.png",
                                          qPrintable(folder), "Dateizugriff verweigert")),
                   kHelpCopyFailed),
      "Fehler-Kopie");
  WarningList warnings;
  AddWarning(warnings, "/home/anna/projekt/src/Kunden/Kunde.java", 12, "Block ohne Titel");
  AddWarning(warnings, "/home/anna/projekt/src/Rechner/Rechner.c", 40,
             "Die Kontext-ID %s ist schon vergeben (%s, Zeile %d)", ErrorArg::Text("1001"),
             ErrorArg::Path("/home/anna/projekt/src/Formulare/Hauptfenster.pas"),
             ErrorArg::Number(3));
  ok &= camera.ShootBox(Box(MessageKind::Warning, RunWarningsText(warnings),
                            MessageButton::Ok | MessageButton::Help, kHelpConversion),
                        "Warnung-Konvertierung");
  ok &= camera.ShootBox(
      ErrorRequest(MessageFromAnsi(ExpandEscapes(kMsgNoConversionYet)), kHelpNoConversionYet),
      "Fehler-Workshop");
  ok &= camera.ShootBox(
      ErrorRequest(
          UiText(kMsgNotAnsi).arg(QStringLiteral("Ł")).arg(3).arg(QStringLiteral("&#321;")),
          kHelpEditor),
      "Fehler-Vorlage");
  ok &= camera.ShootBox(Box(MessageKind::Information, MessageFromAnsi(kMsgProjectsWritten),
                            MessageButton::Ok | MessageButton::Help, kHelpProjectsWritten),
                        "Information");
  return ok ? 0 : 1;
}
