// The Help Workshop dialog: its OK run, its choice buttons and its fourteen values.
#include "UiFixture.h"
#include "helpproject/HelpTestUtil.h"

#include "desktop/HelpRequests.h"
#include "gui/WorkshopProj.h"

using namespace qmtest;
using qm::MessageKind;
using qm::ui::TLex_WorkshopProj;

namespace {

/// A Doc block with a context id, a contents and an index entry.
const std::string kHelpSource = CrLf(
    {"{###DocGen_Start Hauptfenster", "###ContextID 1001", "###Toc Bedienung;Hauptfenster;haupt",
     "###Index Fenster;Hauptfenster;haupt", "Hallo", "###DocGen_End}"});

const std::string kSitemapHead =
    CrLf({"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">", "<HTML>", "<HEAD>",
          "<meta name=\"GENERATOR\" content=\"Microsoft&reg; HTML Help Workshop 4.1\">",
          "<!-- Sitemap 1.0 -->", "</HEAD><BODY>"});

} // namespace

TEST_F(UiTest, WorkshopDialogRefusesBeforeAnyConversion) {
  // OK before a conversion shows the precondition's error box and writes nothing; the
  // dialog stays open until "Abbrechen".
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  window->move(0, 100); // room above for the taller dialog, which centres over it
  window->show();
  Configure(*window, root / "src", root / "out");
  WithModal<TLex_WorkshopProj>(
      [&] { Find<QAction>(*window, "HelpWorkshopProjektgenerieren1")->trigger(); },
      [&](TLex_WorkshopProj& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("HTML-Workshop-Projekt erstellen"));
        EXPECT_EQ(qm::HelpContextOf(&dialog), 701);
        ExpectCentred(dialog, *window);
        Click(dialog, "BitBtn1");
        EXPECT_TRUE(dialog.isVisible());
        Click(dialog, "BitBtn2");
      });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Error);
  EXPECT_EQ(qm::TitleOf(dialogs.messages[0]), QStringLiteral("Quillmark"));
  EXPECT_EQ(dialogs.messages[0].Buttons, MessageButton::Ok | MessageButton::Help);
  EXPECT_EQ(dialogs.messages[0].HelpContext, 702);
  EXPECT_EQ(dialogs.Texts()[0], "Diese Funktion können Sie erst dann nutzen,\nwenn Sie die "
                                "HTML-Ausgabe erstellt haben\n(innerhalb einer Sitzung).");
  EXPECT_TRUE(FileNames(root / "out").empty());

  // Shown again after the main window moved, it centres again, keeping its values.
  window->move(window->pos() + QPoint(37, 11));
  WithModal<TLex_WorkshopProj>([&] { window->OnGenerateHelpProject(); },
                               [&](TLex_WorkshopProj& dialog) {
                                 ExpectCentred(dialog, *window);
                                 QTest::keyClick(&dialog, Qt::Key_Escape);
                               });
}

TEST_F(UiTest, WorkshopWarningsComeBeforeTheCompletionBox) {
  // A help project without a title is written all the same; its warning is listed first.
  WriteFile(root / "src/Main.pas", kHelpSource);
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");
  Convert(*window, [&] { window->OnConvert(); });
  window->WorkshopDialog()->OnBuildHelpProject();
  EXPECT_TRUE(Exists(root / "out/.Doc.hhp"));
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Warning);
  EXPECT_EQ(dialogs.messages[0].HelpContext, 701);
  EXPECT_EQ(dialogs.Texts()[0], "Das Help-Projekt meldet 1 Warnung(en):\n\n" + root / "out/" +
                                    ": Warnung: Das Help-Projekt hat keinen Titel; seine Dateien "
                                    "heißen \".Doc.hhp\", \".Doc.chm\" usw.");
  EXPECT_EQ(dialogs.messages[1].Kind, MessageKind::Information);
}

TEST_F(UiTest, WorkshopDialogWritesTheHelpProjectOfTheLastConversion) {
  // After a conversion, OK writes both kinds' projects (Tech with no pages), the contents,
  // index, C map and alias files of Doc, shows the completion box and closes. The default
  // page chosen inside the output folder is named relative to it.
  WriteFile(root / "src/Main.pas", kHelpSource);
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  window->show();
  Configure(*window, root / "src", root / "out");
  Convert(*window, [&] { window->OnConvert(); });
  dialogs.files = {QString::fromStdString(root / "out/Main.Doc.htm")};
  WithModal<TLex_WorkshopProj>(
      [&] { window->OnGenerateHelpProject(); },
      [&](TLex_WorkshopProj& dialog) {
        Find<QLineEdit>(dialog, "Titel")->setText(QStringLiteral("Handbuch"));
        Click(dialog, "DocStdDateiBtn");
        EXPECT_EQ(Find<QLineEdit>(dialog, "DocStdDatei")->text(), QStringLiteral("Main.Doc.htm"));
        QTest::keyClick(Find<QLineEdit>(dialog, "Titel"), Qt::Key_Return);
      });

  const std::string out = root / "out/";
  EXPECT_EQ(FileNames(out), (std::vector<std::string>{
                                "DocAlias.h", "DocMap.h", "Handbuch.Doc.hhp", "Handbuch.Tech.hhp",
                                "Index.Doc.hhk", "Main.Doc.htm", "Table of Contents.Doc.hhc"}));
  EXPECT_EQ(ReadFile(out + "Handbuch.Doc.hhp"), CrLf({"[OPTIONS]",
                                                      "Compatibility=1.1 or later",
                                                      "Compiled file=Handbuch.Doc.chm",
                                                      "Contents file=Table of Contents.Doc.hhc",
                                                      "Default topic=Main.Doc.htm",
                                                      "Display compile progress=Yes",
                                                      "Full-text search=Yes",
                                                      "Index file=Index.Doc.hhk",
                                                      "Language=0x407 Deutsch (Deutschland)",
                                                      "",
                                                      "[FILES]",
                                                      "Main.Doc.htm",
                                                      "",
                                                      "[ALIAS]",
                                                      "#include DocAlias.h",
                                                      "",
                                                      "[MAP]",
                                                      "#include DocMap.h",
                                                      "",
                                                      "[INFOTYPES]"}));
  EXPECT_EQ(ReadFile(out + "Handbuch.Tech.hhp"),
            CrLf({"[OPTIONS]", "Compatibility=1.1 or later", "Compiled file=Handbuch.Tech.chm",
                  "Default topic=", "Display compile progress=Yes", "Full-text search=Yes",
                  "Language=0x407 Deutsch (Deutschland)", "", "[FILES]", "", "[INFOTYPES]"}));
  EXPECT_EQ(ReadFile(out + "Table of Contents.Doc.hhc"),
            kSitemapHead + CrLf({"<OBJECT type=\"text/site properties\">",
                                 "  <param name=\"ImageType\" value=\"Folder\">", "</OBJECT>",
                                 "<UL>", "  <LI> <OBJECT type=\"text/sitemap\">",
                                 "  <param name=\"Name\" value=\"Bedienung\">",
                                 "  <param name=\"ImageNumber\" value=\"1\">", "  </OBJECT>",
                                 "  <UL>", "    <LI> <OBJECT type=\"text/sitemap\">",
                                 "      <param name=\"Name\" value=\"Hauptfenster\">",
                                 "      <param name=\"Local\" value=\"Main.Doc.htm#haupt\">",
                                 "      </OBJECT>", "  </UL>", "</UL>", "</BODY></HTML>"}));
  EXPECT_EQ(ReadFile(out + "Index.Doc.hhk"),
            kSitemapHead + CrLf({"<UL>", "  <LI> <OBJECT type=\"text/sitemap\">",
                                 "    <param name=\"Name\" value=\"Fenster\">",
                                 "    <param name=\"Name\" value=\"Hauptfenster\">",
                                 "    <param name=\"Local\" value=\"Main.Doc.htm#haupt\">",
                                 "    </OBJECT>", "</UL>", "</BODY></HTML>"}));
  EXPECT_EQ(ReadFile(out + "DocMap.h"),
            CrLf({"/*", "FILE:       DocMap    ", "*/", "", "#ifndef _DOCMAP_H_",
                  "#define _DOCMAP_H_", "", "/*", "", "Stand: 26.11.2025 10:00:00", "", "*/", "",
                  "#define IDH_MAIN_HAUPTFENSTER 1001", "", "#endif"}));
  EXPECT_EQ(ReadFile(out + "DocAlias.h"), CrLf({"IDH_MAIN_HAUPTFENSTER=Main.Doc.htm"}));

  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Information);
  EXPECT_EQ(dialogs.messages[0].HelpContext, 703);
  EXPECT_EQ(dialogs.Texts()[0], "Das/die Projekt(e) wurde(n) im Ausgabeordner erzeugt!");
  EXPECT_FALSE(window->WorkshopDialog()->isVisible());
  ASSERT_EQ(dialogs.openRequests.size(), 1u);
  EXPECT_EQ(dialogs.openRequests[0].Title, QStringLiteral("Standarddatei wählen"));
  EXPECT_EQ(dialogs.openRequests[0].Filters,
            (QStringList{QStringLiteral("Webseiten (*.htm;*.html)"),
                         QStringLiteral("Alle Dateien (*.*)")}));
}

TEST_F(UiTest, WorkshopFailureKeepsTheDialogOpenOnlyBeforeTheProjectsAreWritten) {
  // A project file that cannot be created leaves the dialog open; a missing map template
  // fails after the projects, so the dialog closes. Each failure is one error box naming
  // the file, with no completion box.
  WriteFile(root / "src/Main.pas", kHelpSource);
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  window->show();
  Configure(*window, root / "src", root / "out");
  Convert(*window, [&] { window->OnConvert(); });
  WriteFile(root / "datei", "");
  TLex_WorkshopProj& dialog = *window->WorkshopDialog();
  dialog.show();
  Find<QLineEdit>(*window, "Edt_Ausgabepfad")->setText(QString::fromStdString(root / "datei/x"));
  Click(dialog, "BitBtn1");
  EXPECT_TRUE(dialog.isVisible());

  std::filesystem::remove(root / "bin/Header.txt");
  Find<QLineEdit>(*window, "Edt_Ausgabepfad")->setText(QString::fromStdString(root / "out"));
  Click(dialog, "BitBtn1");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(Exists(root / "out/.Doc.hhp"));
  EXPECT_FALSE(Exists(root / "out/DocAlias.h"));

  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0].Title, QStringLiteral("Quillmark"));
  EXPECT_EQ(dialogs.Texts()[0].rfind("Datei " + root / "datei/x/.Tech.hhp", 0), 0u)
      << dialogs.Texts()[0];
  EXPECT_EQ(dialogs.Texts()[1], "Datei " + root / "bin/Header.txt" + " kann nicht geöffnet werden");
}

TEST_F(UiTest, WorkshopDialogRefusesATitleThatLeavesTheOutputFolder) {
  // OK with the title "../raus" shows one error box naming the title, writes no help file,
  // inside the output folder or above it, and leaves the dialog open.
  WriteFile(root / "src/Main.pas", kHelpSource);
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  window->show();
  Configure(*window, root / "src", root / "out");
  Convert(*window, [&] { window->OnConvert(); });
  TLex_WorkshopProj& dialog = *window->WorkshopDialog();
  dialog.show();
  Find<QLineEdit>(dialog, "Titel")->setText(QStringLiteral("../raus"));
  Click(dialog, "BitBtn1");
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.Texts()[0], "Der Titel \"../raus\" ist kein gültiger Dateiname");
  EXPECT_EQ(FileNames(root / "out"), std::vector<std::string>{"Main.Doc.htm"});
  EXPECT_FALSE(Exists(root / "raus.Doc.hhp"));
}

TEST_F(UiTest, DefaultPageOutsideTheOutputFolderKeepsItsPath) {
  // Only a page inside the output folder is named relative to it; a cancelled choice and a
  // typed value stay as they are.
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");
  TLex_WorkshopProj& dialog = *window->WorkshopDialog();
  dialogs.files = {QString::fromStdString(root / "andere/Start.htm"),
                   QString::fromStdString(root / "out/teil/Seite.htm"), std::nullopt};
  Click(dialog, "TechStdDateiBtn");
  EXPECT_EQ(Find<QLineEdit>(dialog, "TechStdDatei")->text(),
            QString::fromStdString(root / "andere/Start.htm"));
  Click(dialog, "DocStdDateiBtn");
  EXPECT_EQ(Find<QLineEdit>(dialog, "DocStdDatei")->text(), QStringLiteral("teil/Seite.htm"));
  Click(dialog, "DocStdDateiBtn");
  EXPECT_EQ(Find<QLineEdit>(dialog, "DocStdDatei")->text(), QStringLiteral("teil/Seite.htm"));
}

TEST_F(UiTest, HelpProjectValuesSurviveLoadDialogAndSave) {
  // The fifteen values of a project reach the dialog's controls without it being shown,
  // are what its OK run uses, and are saved back unchanged.
  const std::string helpSections =
      CrLf({"[HelpWorkshop]",
            "Titel=K\xFC"
            "che",
            "Sprache=0x409 Englisch", "AliasDatei=0", "MapDatei=0", "MapDatei.Pascal=1",
            "MapDatei.Java=1", "WebHilfe=1", "[HelpWorkshop.Benutzer]", "Erstellen=0",
            "StdDatei=Start.Doc.htm", "ErzeugeToc=0", "ErzeugeIndex=1", "[HelpWorkshop.Entwickler]",
            "Erstellen=1", "StdDatei=/doc/Start.Tech.htm", "ErzeugeToc=1", "ErzeugeIndex=0"});
  const std::string project = root / "p.qmpr";
  WriteFile(project, CrLf({"[Main.Eingabe]", "Pfad=" + root / "src", "[Main.Eingabe.Quellen]",
                           "Pascal=1", "[Main.Ausgabe]", "Pfad=" + root / "out"}) +
                         helpSections);
  WriteFile(root / "src/Main.pas", kHelpSource);
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  window->show();
  dialogs.files = {QString::fromStdString(project)};
  window->OnOpenProject();
  TLex_WorkshopProj& dialog = *window->WorkshopDialog();
  EXPECT_EQ(Find<QLineEdit>(dialog, "Titel")->text(), QStringLiteral("Küche"));
  EXPECT_FALSE(Find<QCheckBox>(dialog, "ErzeugeDoc")->isChecked());
  EXPECT_TRUE(Find<QCheckBox>(dialog, "chkWebHilfe")->isChecked());

  Convert(*window, [&] { window->OnConvert(); });
  WithModal<TLex_WorkshopProj>([&] { window->OnGenerateHelpProject(); },
                               [&](TLex_WorkshopProj& shown) { Click(shown, "BitBtn1"); });
  EXPECT_EQ(FileNames(root / "out"), (std::vector<std::string>{"DocMap.java", "DocMapU.pas",
                                                               "K\xC3\xBC"
                                                               "che.Tech.hhp",
                                                               "K\xC3\xBC"
                                                               "che.Tech.html",
                                                               "K\xC3\xBC"
                                                               "che.web",
                                                               "Main.Doc.htm"}));
  window->OnSaveProject();
  const std::string saved = ReadFile(project);
  EXPECT_NE(saved.find(helpSections), std::string::npos) << saved;
}
