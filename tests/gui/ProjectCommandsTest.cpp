// "&Öffnen...", "&Speichern" and "Speichern &unter..." of the main window.
#include "UiFixture.h"

#include "engine/Generator.h"
#include "project/ProjectFile.h"

using namespace qmtest;
using qm::MessageKind;

TEST_F(UiTest, SaveAsThenOpenInAFreshWindowBringsEverythingBack) {
  // Every control, the additional-files folder, the templates and the help-project values
  // come back; a name typed without extension gets ".qmpr".
  auto window = NewWindow();
  Find<QLineEdit>(*window, "Edt_Eingabepfad")->setText(QStringLiteral("/daten/Käse"));
  Find<QLineEdit>(*window, "Edt_Ausgabepfad")->setText(QStringLiteral("/daten/html"));
  for (const char* name : {"optC", "optInstallShield", "optSQL", "optHTML", "optOEM"}) {
    Find<QCheckBox>(*window, name)->setChecked(true);
  }
  for (const char* name : {"chkUnterordner", "optAutoTrenn"}) {
    Find<QCheckBox>(*window, name)->setChecked(false);
  }
  Find<QCheckBox>(*window, "optEigeneDateien")->setChecked(true);
  window->Model().Edit().ExtraFilesFolder = "/daten/extra";
  window->Model().Edit().Templates[qm::TemplateId::DocPageHeader] = {"<HTML>", "K\xF6pfchen", ""};
  window->Model().Edit().Templates[qm::TemplateId::TechBlockFooter].clear();
  qm::HelpProjectSettings values = window->Model().Settings().Help;
  values.Title = "Handbuch";
  values.MapHeaderJava = true;
  window->Model().Edit().Help = values;

  dialogs.files = {QString::fromStdString(root / "projekt")};
  window->OnSaveProjectAs();
  EXPECT_EQ(window->Model().CurrentProjectFile(), root / "projekt.qmpr");
  ASSERT_EQ(dialogs.saveRequests.size(), 1u);
  EXPECT_EQ(dialogs.saveRequests[0].Filters,
            (QStringList{QStringLiteral("Quillmark-Projekdateien (*.qmpr)"),
                         QStringLiteral("Alle Dateien (*.*)")}));
  EXPECT_EQ(dialogs.saveRequests[0].DefaultSuffix, QStringLiteral("qmpr"));
  EXPECT_EQ(dialogs.saveRequests[0].Title, QString());

  auto fresh = NewWindow();
  dialogs.files = {QString::fromStdString(root / "projekt.qmpr")};
  fresh->OnOpenProject();
  EXPECT_EQ(fresh->Model().CurrentProjectFile(), root / "projekt.qmpr");
  EXPECT_EQ(fresh->Model().Settings(), window->Model().Settings());
  EXPECT_EQ(fresh->Model().Settings().Templates[qm::TemplateId::DocPageHeader],
            (qm::Lines{"<HTML>", "K\xF6pfchen", ""}));
  EXPECT_EQ(fresh->Model().Settings().Help.Title, "Handbuch");
  // One warning for each window that ticked "Jeden Kommentar in eigene Datei schreiben ".
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(UiTest, SaveAsOntoAnExistingFileAsksFirst) {
  // "&Nein" opens the save dialog again; "&Ja" to the replacement and to writing into a file
  // that holds no project merges the project into the file, keeping its other lines and
  // writing no header.
  const std::string existing = root / "fremd.qmpr";
  WriteFile(existing, CrLf({"; eigene Notiz", "[Fremd]", "Schluessel=1"}));
  auto window = NewWindow();
  dialogs.files = {QString::fromStdString(existing), QString::fromStdString(existing)};
  dialogs.answers = {MessageButton::No, MessageButton::Yes, MessageButton::Yes};
  window->OnSaveProjectAs();

  EXPECT_EQ(dialogs.saveRequests.size(), 2u);
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_EQ(dialogs.messages[2].Kind, MessageKind::Confirmation);
  EXPECT_EQ(dialogs.messages[2].Buttons, MessageButton::Yes | MessageButton::No);
  EXPECT_EQ(dialogs.messages[2].Text.toStdString(),
            existing + " enthält keine Projekteinstellungen.\nMöchten Sie das Projekt trotzdem "
                       "hineinschreiben?");
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Confirmation);
  EXPECT_EQ(dialogs.messages[0].Buttons,
            MessageButton::Yes | MessageButton::No | MessageButton::Help);
  EXPECT_EQ(dialogs.messages[0].HelpContext, 103);
  EXPECT_EQ(dialogs.messages[0].Text.toStdString(),
            existing + " besteht bereits.\nMöchten Sie sie ersetzen?");
  EXPECT_EQ(window->Model().CurrentProjectFile(), existing);
  EXPECT_EQ(ReadFile(existing), CrLf({"; eigene Notiz",
                                      "[Fremd]",
                                      "Schluessel=1",
                                      "[Main]",
                                      "Zus\xE4tzlicheDateien=",
                                      "[Main.Eingabe]",
                                      "Pfad=",
                                      "Unterodner=1",
                                      "[Main.Eingabe.Quellen]",
                                      "Pascal=0",
                                      "C++=0",
                                      "Java=0",
                                      "Installshield=0",
                                      "Basic=0",
                                      "SQL=0",
                                      "Assembler=0",
                                      "HTML=0",
                                      "[Main.Ausgabe]",
                                      "Pfad=",
                                      "[Main.Zusatz]",
                                      "Zeilenumbruch=1",
                                      "OEM_nach_Ansi=0",
                                      "EigeneDateien=0",
                                      "[Vorlagen.Benutzer.Kopf]",
                                      "Zeile0=H",
                                      "[Vorlagen.Benutzer.Fuss]",
                                      "Zeile0=F",
                                      "[Vorlagen.Benutzer.Block.Kopf]",
                                      "Zeile0=BH",
                                      "[Vorlagen.Benutzer.Block.Fuss]",
                                      "Zeile0=BF",
                                      "[Vorlagen.Entwickler.Kopf]",
                                      "Zeile0=H",
                                      "[Vorlagen.Entwickler.Fuss]",
                                      "Zeile0=F",
                                      "[Vorlagen.Entwickler.Block.Kopf]",
                                      "Zeile0=BH",
                                      "[Vorlagen.Entwickler.Block.Fuss]",
                                      "Zeile0=BF",
                                      "[HelpWorkshop]",
                                      "Titel=",
                                      "Sprache=0x407 Deutsch (Deutschland)",
                                      "AliasDatei=1",
                                      "MapDatei=1",
                                      "MapDatei.Pascal=0",
                                      "MapDatei.Java=0",
                                      "[HelpWorkshop.Benutzer]",
                                      "Erstellen=1",
                                      "StdDatei=",
                                      "ErzeugeToc=1",
                                      "ErzeugeIndex=1",
                                      "[HelpWorkshop.Entwickler]",
                                      "Erstellen=1",
                                      "StdDatei=",
                                      "ErzeugeToc=1",
                                      "ErzeugeIndex=1"}));
}

TEST_F(UiTest, SaveWithoutAProjectAsksForANameAndACancelSavesNothing) {
  // "&Speichern" with no current file is "Speichern &unter..."; once named it saves without
  // asking.
  auto window = NewWindow();
  dialogs.files = {std::nullopt};
  window->OnSaveProject();
  EXPECT_EQ(dialogs.saveRequests.size(), 1u);
  EXPECT_EQ(window->Model().CurrentProjectFile(), "");

  dialogs.files = {QString::fromStdString(root / "a.qmpr")};
  window->OnSaveProject();
  Find<QLineEdit>(*window, "Edt_Eingabepfad")->setText(QStringLiteral("/neu"));
  window->OnSaveProject();
  EXPECT_EQ(dialogs.saveRequests.size(), 2u);
  EXPECT_NE(ReadFile(root / "a.qmpr").find("[Main.Eingabe]\r\nPfad=/neu\r\n"), std::string::npos);
}

TEST_F(UiTest, AFailedSaveIsShownInOneErrorBox) {
  // The save's own message names the file; the window keeps its values.
  auto window = NewWindow();
  window->show();
  dialogs.files = {QString::fromStdString(root / "fehlt/a.qmpr")};
  Find<QAction>(*window, "Speichernunter1")->trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Title, QStringLiteral("Quillmark"));
  EXPECT_EQ(dialogs.messages[0].Text.toStdString(),
            "Das Projekt kann nicht nach " + root / "fehlt/a.qmpr" +
                " geschrieben werden: Datei nicht gefunden");
  EXPECT_FALSE(Exists(root / "fehlt"));
}

TEST_F(UiTest, AnUnreadableProjectIsNamedAndLoadsNothing) {
  // A project "file" that is a folder: one error box names it; the controls, templates and
  // help values stay, and it does not become the current project.
  std::filesystem::create_directories(root / "ordner.qmpr");
  auto window = NewWindow();
  window->show();
  Find<QLineEdit>(*window, "Edt_Eingabepfad")->setText(QStringLiteral("/bleibt"));
  const qm::ProjectSettings before = window->Model().Settings();
  dialogs.files = {QString::fromStdString(root / "ordner.qmpr")};
  Find<QAction>(*window, "Oeffnen1")->trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Error);
  EXPECT_EQ(dialogs.messages[0].Text.toStdString().rfind(
                "Datei " + root / "ordner.qmpr" + " kann nicht geöffnet werden", 0),
            0u)
      << dialogs.messages[0].Text.toStdString();
  EXPECT_EQ(window->Model().Settings(), before);
  EXPECT_EQ(window->Model().CurrentProjectFile(), "");
}

TEST_F(UiTest, ExcludePatternsAreNamedInTheInputTooltipAndKeptWithWarningsAsErrors) {
  // The window has no field for the exclude patterns or for warnings as errors: the input
  // folder's tooltip names the patterns while the project holds any, and saving the project
  // keeps both, byte for byte.
  const std::string project = root / "pipeline.qmpr";
  qm::ProjectSettings values;
  values.InputPath = "/src";
  values.ExcludePatterns = {"Alt/**", "**/Backup/*"};
  values.WarningsAsErrors = true;
  qm::SaveProjectFile(project, values);
  const std::string saved = ReadFile(project);

  auto window = NewWindow();
  dialogs.files = {QString::fromStdString(project)};
  window->OnOpenProject();
  const QString hint = QStringLiteral("Pfad, in dem sich die Eingabedateien befinden");
  auto* input = Find<QLineEdit>(*window, "Edt_Eingabepfad");
  EXPECT_EQ(input->toolTip(), hint + QStringLiteral("\nDie Suche lässt aus: Alt/**, **/Backup/*"));
  window->OnSaveProject();
  EXPECT_EQ(ReadFile(project), saved);
  window->Model().StartFresh();
  EXPECT_EQ(input->toolTip(), hint);
}
