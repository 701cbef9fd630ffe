// The template editor: the eight template commands, "Laden", "Speichern" and closing.
#include "UiFixture.h"

#include "desktop/HelpRequests.h"
#include "engine/Generator.h"
#include "gui/HTMLEditor.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>

using namespace qmtest;
using qm::MessageKind;
using qm::ui::TLex_HTMLEditor;

namespace {

/// Umlauts and every byte from 0x80 to 0xFF (the five Windows-1252 leaves unassigned too).
qm::Lines EveryHighByte() {
  std::string bytes;
  for (int b = 0x80; b <= 0xFF; ++b) {
    bytes += static_cast<char>(b);
  }
  return {"<p>Gr\xFC\xDF"
          "e \xC4\xD6\xDC</p>",
          bytes, "", "\t<b>\xA0</b> ", "x"};
}

QPlainTextEdit* ContentOf(TLex_HTMLEditor& editor) {
  return editor.findChild<QPlainTextEdit*>(QStringLiteral("Content"));
}

/// Replaces the whole text as typing or pasting would.
void TypeText(TLex_HTMLEditor& editor, const QString& text) {
  QTextCursor cursor = ContentOf(editor)->textCursor();
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
}

/// Types "!" at the end and takes it back, so the text counts as edited but reads the same.
void TouchText(TLex_HTMLEditor& editor) {
  QPlainTextEdit* content = ContentOf(editor);
  content->moveCursor(QTextCursor::End);
  QTest::keyClick(content, Qt::Key_Exclam);
  QTest::keyClick(content, Qt::Key_Backspace);
}

} // namespace

TEST_F(UiTest, TemplatesRoundTripThroughTheEditorByteForByte) {
  // Opening and closing at once leaves each template as it was; so does closing an edited
  // text that reads the same, by "Schließen", Escape or the close box. Each menu item opens
  // its own template, shown as Unicode.
  auto window = NewWindow();
  window->show();
  qm::TemplateSet& templates = window->Model().Edit().Templates;
  templates[qm::TemplateId::DocPageHeader] = EveryHighByte();
  templates[qm::TemplateId::TechBlockFooter] = {""};
  WithModal<TLex_HTMLEditor>([&] { Find<QAction>(*window, "KopfBenutzer1")->trigger(); },
                             [&](TLex_HTMLEditor& editor) {
                               EXPECT_EQ(editor.windowTitle(), QStringLiteral("HTML bearbeiten"));
                               EXPECT_EQ(qm::HelpContextOf(&editor), 301);
                               ExpectCentred(editor, *window);
                               EXPECT_TRUE(ContentOf(editor)->toPlainText().startsWith(
                                   QStringLiteral("<p>Grüße ÄÖÜ</p>\n€\u0081‚ƒ„")));
                               Click(editor, "ToolButton1");
                             });
  EXPECT_EQ(templates[qm::TemplateId::DocPageHeader], EveryHighByte());
  WithModal<TLex_HTMLEditor>([&] { window->OnEditTemplate(qm::TemplateId::TechBlockFooter); },
                             [&](TLex_HTMLEditor& editor) {
                               EXPECT_EQ(ContentOf(editor)->toPlainText(), QString());
                               editor.close();
                             });
  EXPECT_EQ(templates[qm::TemplateId::TechBlockFooter], (qm::Lines{""}));

  WithModal<TLex_HTMLEditor>([&] { window->OnEditTemplate(qm::TemplateId::DocPageHeader); },
                             [&](TLex_HTMLEditor& editor) {
                               TouchText(editor);
                               QTest::keyClick(&editor, Qt::Key_Escape);
                             });
  EXPECT_EQ(templates[qm::TemplateId::DocPageHeader], EveryHighByte());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(UiTest, TemplateMenuListsEveryTemplateAndEachItemOpensItsOwn) {
  // The menu's items in order, a separator between the kinds and before the additional files;
  // each template item opens the editor on its own template.
  struct Item {
    const char* name;
    const char* caption;
    qm::TemplateId id;
  };
  const Item items[] = {
      {"KopfBenutzer1", "HTML-Kopf für Online-Hilfe...", qm::TemplateId::DocPageHeader},
      {"BlockKopfBenutzer1", "HTML-Block-Kopf für Online-Hilfe...", qm::TemplateId::DocBlockHeader},
      {"BlockFussBenutzer1", "HTML-Block-Fuß für Online-Hilfe...", qm::TemplateId::DocBlockFooter},
      {"FussBenutzer1", "HTML-Fuß für Online-Hilfe...", qm::TemplateId::DocPageFooter},
      {"KopfEntwickler1", "HTML-Kopf für technische Dokumentation...",
       qm::TemplateId::TechPageHeader},
      {"BlockKopfEntwickler1", "HTML-Block-Kopf für technische Dokumentation...",
       qm::TemplateId::TechBlockHeader},
      {"BlockFussEntwickler1", "HTML-Block-Fuß für technische Dokumentation...",
       qm::TemplateId::TechBlockFooter},
      {"FussEntwickler1", "HTML-Fuß für technische Dokumentation...",
       qm::TemplateId::TechPageFooter},
  };
  auto window = NewWindow();
  QStringList shown;
  for (const QAction* action : Find<QMenu>(*window, "HTMLVorlagen1")->actions()) {
    shown << (action->isSeparator() ? QStringLiteral("-")
                                    : action->objectName() + QLatin1Char(' ') + action->text());
  }
  QStringList expected;
  for (const Item& item : items) {
    expected << QString::fromUtf8(item.name) + QLatin1Char(' ') + QString::fromUtf8(item.caption);
    if (item.id == qm::TemplateId::DocPageFooter) {
      expected << QStringLiteral("-");
    }
  }
  expected << QStringLiteral("-") << QStringLiteral("ZustzlicheDateien1 Zusätzliche Dateien...");
  EXPECT_EQ(shown, expected);

  for (const Item& item : items) {
    window->Model().Edit().Templates[item.id] = {item.name};
  }
  for (const Item& item : items) {
    WithModal<TLex_HTMLEditor>([&] { Find<QAction>(*window, item.name)->trigger(); },
                               [&](TLex_HTMLEditor& editor) {
                                 EXPECT_EQ(ContentOf(editor)->toPlainText(),
                                           QString::fromUtf8(item.name));
                                 editor.close();
                               });
  }
}

TEST_F(UiTest, LoadedFileBecomesTheTemplateOfTheNextConversionAndSave) {
  // "Laden" shows the file's lines (CR LF, CR or LF end a line); closing makes them the
  // template, which the next conversion writes and the next project save keeps.
  WriteFile(root / "vorlage.htm", "<html>\r<head>\nK\xF6pfe\r\n");
  WriteFile(root / "src/a.pas", kSource);
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");
  dialogs.files = {QString::fromStdString(root / "vorlage.htm")};
  WithModal<TLex_HTMLEditor>(
      [&] { window->OnEditTemplate(qm::TemplateId::DocPageHeader); },
      [&](TLex_HTMLEditor& editor) {
        Click(editor, "ToolButton3");
        EXPECT_EQ(ContentOf(editor)->toPlainText(), QStringLiteral("<html>\n<head>\nKöpfe"));
        EXPECT_EQ(window->Model().Settings().Templates[qm::TemplateId::DocPageHeader],
                  (qm::Lines{"H"}));
        Click(editor, "ToolButton1");
      });
  ASSERT_EQ(dialogs.openRequests.size(), 1u);
  EXPECT_EQ(dialogs.openRequests[0].Title, QStringLiteral("Laden einer Datei mit HTML-Tags"));
  EXPECT_EQ(dialogs.openRequests[0].Filters,
            (QStringList{
                QStringLiteral("HTML-Vorlagen (*.htt)"), QStringLiteral("Webseiten (*.htm;*.html)"),
                QStringLiteral("Textdatei (*.txt)"), QStringLiteral("Alle Dateien (*.*)")}));
  EXPECT_EQ(dialogs.openRequests[0].DefaultSuffix, QStringLiteral("htm"));

  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(ReadFile(root / "out/a.Doc.htm"),
            CrLf({"<html>", "<head>", "K\xF6pfe", "BH", "Hallo", "", "", "BF", "F"}));
  dialogs.files = {QString::fromStdString(root / "p.qmpr")};
  window->OnSaveProject();
  EXPECT_NE(ReadFile(root / "p.qmpr")
                .find("[Vorlagen.Benutzer.Kopf]\r\nZeile0=<html>\r\nZeile1=<head>\r\n"
                      "Zeile2=K\xF6pfe\r\n[Vorlagen.Benutzer.Fuss]\r\n"),
            std::string::npos);
}

TEST_F(UiTest, EditorSavesCrLfLinesAndShowsFailuresKeepingItsText) {
  // "Speichern" writes every line with CR LF, replacing a file without asking. A file that
  // cannot be read or created is named in one error box; the editor stays open, its text
  // and the template unchanged.
  WriteFile(root / "alt.htm", "alter Inhalt");
  auto window = NewWindow();
  window->Model().Edit().Templates[qm::TemplateId::DocBlockHeader] = {"<h2>%TITLE%</h2>", "\xE4"};
  dialogs.files = {QString::fromStdString(root / "alt.htm"),
                   QString::fromStdString(root / "fehlt/x.htm"),
                   QString::fromStdString(root / "fehlt.htm")};
  WithModal<TLex_HTMLEditor>(
      [&] { window->OnEditTemplate(qm::TemplateId::DocBlockHeader); },
      [&](TLex_HTMLEditor& editor) {
        Click(editor, "ToolButton4");
        EXPECT_EQ(ReadFile(root / "alt.htm"), CrLf({"<h2>%TITLE%</h2>", "\xE4"}));
        Click(editor, "ToolButton4");
        Click(editor, "ToolButton3");
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(ContentOf(editor)->toPlainText(), QStringLiteral("<h2>%TITLE%</h2>\nä"));
        Click(editor, "ToolButton1");
      });
  EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{
                                 "Datei " + root / "fehlt/x.htm" +
                                     " kann nicht erstellt werden: Datei nicht gefunden",
                                 "Datei " + root / "fehlt.htm" + " kann nicht geöffnet werden"}));
  EXPECT_FALSE(Exists(root / "fehlt"));
  ASSERT_EQ(dialogs.saveRequests.size(), 2u);
  EXPECT_EQ(dialogs.saveRequests[0].Title, QStringLiteral("Speichern einer Datei mit HTML-Tags"));
  // The name chosen last is proposed again.
  EXPECT_EQ(dialogs.saveRequests[1].FileName, QString::fromStdString(root / "alt.htm"));
  EXPECT_EQ(window->Model().Settings().Templates[qm::TemplateId::DocBlockHeader],
            (qm::Lines{"<h2>%TITLE%</h2>", "\xE4"}));
}

TEST_F(UiTest, EditorRefusesACharacterATemplateCannotHold) {
  // A character outside Windows-1252 is named with its line when the editor closes or
  // saves; the editor stays open, the cursor on it, and nothing is written until every such
  // character is replaced.
  auto window = NewWindow();
  window->Model().Edit().Templates[qm::TemplateId::TechPageHeader] = {"<html>", "<title>x</title>"};
  WithModal<TLex_HTMLEditor>([&] { window->OnEditTemplate(qm::TemplateId::TechPageHeader); },
                             [&](TLex_HTMLEditor& editor) {
                               QPlainTextEdit* content = ContentOf(editor);
                               TypeText(editor, QStringLiteral("<html>\n<title>Łódź €</title>"));
                               Click(editor, "ToolButton4");
                               editor.close();
                               EXPECT_TRUE(editor.isVisible());
                               EXPECT_EQ(content->textCursor().blockNumber(), 1);
                               EXPECT_EQ(content->textCursor().positionInBlock(), 7);
                               TypeText(editor,
                                        QStringLiteral("<html>\n<title>&#321;ód&#378; €</title>"));
                               editor.close();
                             });
  EXPECT_TRUE(dialogs.saveRequests.empty());
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Error);
  EXPECT_EQ(dialogs.messages[0].HelpContext, 301);
  EXPECT_EQ(dialogs.Texts()[0],
            "Das Zeichen \"Ł\" in Zeile 2 kann in einer HTML-Vorlage nicht gespeichert werden,\n"
            "denn Vorlagen sind Windows-1252-Text.\nBitte ersetzen Sie es, zum Beispiel durch "
            "&#321;.");
  EXPECT_EQ(window->Model().Settings().Templates[qm::TemplateId::TechPageHeader],
            (qm::Lines{"<html>", "<title>&#321;\xF3"
                                 "d&#378; \x80</title>"}));
}
