// Start-up and the main window's own commands.
#include "UiFixture.h"

#include "desktop/MessageDialog.h"
#include "desktop/SupportTexts.h"
#include "engine/Generator.h"

#include <QPushButton>

using namespace qmtest;
using qm::MessageKind;

namespace {

const std::string kWarning =
    "Sie sollten diese Option nur mit größter Sorgfalt verwenden,\nda Sie, wenn aktiviert, "
    "für jeden Dokumentationsblock eine eigene,\nindividuelle Bezeichnung benötigen";

bool Ticked(const QObject& window, const char* name) {
  return window.findChild<QCheckBox*>(QLatin1String(name))->isChecked();
}

} // namespace

TEST_F(UiTest, OneArgumentIsTheProjectLoadedAtStart) {
  // Exactly one argument is loaded when the window is first shown, templates included; with
  // two the window starts as designed.
  const std::string project = root / "p.qmpr";
  WriteFile(project,
            CrLf({"[Main.Eingabe]", "Pfad=/daten/quellen", "[Main.Eingabe.Quellen]", "Java=1",
                  "[Main.Zusatz]", "Zeilenumbruch=0", "[Vorlagen.Benutzer.Kopf]", "Zeile0=Kopf"}));
  auto loaded = NewWindow({QString::fromStdString(project)});
  EXPECT_EQ(Find<QLineEdit>(*loaded, "Edt_Eingabepfad")->text(), QString());
  loaded->show();
  EXPECT_EQ(Find<QLineEdit>(*loaded, "Edt_Eingabepfad")->text(), QStringLiteral("/daten/quellen"));
  EXPECT_TRUE(Ticked(*loaded, "optJava"));
  EXPECT_FALSE(Ticked(*loaded, "optAutoTrenn"));
  EXPECT_EQ(loaded->Model().CurrentProjectFile(), project);
  EXPECT_EQ(loaded->Model().Settings().Templates[qm::TemplateId::DocPageHeader],
            (qm::Lines{"Kopf"}));
  EXPECT_TRUE(loaded->Model().Settings().Templates[qm::TemplateId::DocPageFooter].empty());

  auto two = NewWindow({QString::fromStdString(project), QString::fromStdString(project)});
  two->show();
  EXPECT_EQ(Find<QLineEdit>(*two, "Edt_Eingabepfad")->text(), QString());
  EXPECT_EQ(two->Model().CurrentProjectFile(), "");
  EXPECT_EQ(two->Model().Settings().Templates[qm::TemplateId::DocPageHeader], (qm::Lines{"H"}));
  // The design's initial states.
  EXPECT_TRUE(Ticked(*two, "chkUnterordner"));
  EXPECT_TRUE(Ticked(*two, "optAutoTrenn"));
  for (const char* name : {"optPascal", "optC", "optJava", "optInstallShield", "optBasic", "optSQL",
                           "optAssembler", "optHTML", "optOEM", "optEigeneDateien"}) {
    EXPECT_FALSE(Ticked(*two, name)) << name;
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(UiTest, TickingOneFilePerBlockWarnsEveryTime) {
  // Every change to ticked warns, by the user or by a project; unticking and loading a ticked
  // value over a ticked box do not.
  const std::string project = root / "p.qmpr";
  WriteFile(project, CrLf({"[Main.Zusatz]", "EigeneDateien=1"}));
  auto window = NewWindow();
  window->show();
  QTest::qWait(1); // placed on the screen: ticks warn at once
  auto* box = Find<QCheckBox>(*window, "optEigeneDateien");
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_EQ(dialogs.messages.size(), 2u);

  auto fresh = NewWindow();
  dialogs.files = {QString::fromStdString(project), QString::fromStdString(project)};
  fresh->OnOpenProject();
  EXPECT_EQ(dialogs.messages.size(), 3u);
  fresh->OnOpenProject();
  EXPECT_EQ(dialogs.messages.size(), 3u);
  EXPECT_TRUE(Ticked(*fresh, "optEigeneDateien"));

  for (const auto& warning : dialogs.messages) {
    EXPECT_EQ(warning.Kind, MessageKind::Warning);
    EXPECT_EQ(qm::TitleOf(warning), QStringLiteral("Warnung"));
    EXPECT_EQ(warning.Buttons, MessageButton::Ok | MessageButton::Help);
    EXPECT_EQ(warning.HelpContext, 101);
    EXPECT_EQ(warning.Text.toStdString(), kWarning);
  }
}

TEST_F(UiTest, HelpRequestsReachTheHelpFileThroughTheGateway) {
  // F1 on the main window asks for 101, "&Hilfe" in a message box for the box's number, the
  // menu for the two pages; all of them in "Quillmark.Doc.chm".
  auto window = NewWindow();
  window->show();
  QTest::keyClick(window.get(), Qt::Key_F1);
  qm::MessageRequest request;
  request.Buttons = MessageButton::Yes | MessageButton::Cancel | MessageButton::Help;
  request.HelpContext = 102;
  qm::MessageDialog box(window.get(), request);
  box.open();
  box.Button(MessageButton::Help)->click();
  EXPECT_TRUE(box.isVisible());
  box.Button(MessageButton::Cancel)->click();
  EXPECT_EQ(help.Contexts(), (std::vector<std::uint32_t>{101, 102}));

  Find<QAction>(*window, "Willkommen1")->trigger();
  Find<QAction>(*window, "Hilfe1")->trigger();
  ASSERT_EQ(help.calls.size(), 4u);
  for (const HelpCall& call : help.calls) {
    EXPECT_EQ(call.file, QStringLiteral("Quillmark.Doc.chm"));
  }
  EXPECT_EQ(std::get<QString>(help.calls[2].data), QStringLiteral("Welcome.Doc.htm"));
  EXPECT_EQ(std::get<QString>(help.calls[3].data), QStringLiteral("Help.Doc.htm"));
  EXPECT_EQ(help.calls[3].command, qm::HH_DISPLAY_TOPIC);
}

TEST_F(UiTest, CtrlXCutsInAnEditAndEndsTheProgramElsewhere) {
  // In a text field Ctrl+X cuts as everywhere; with the focus on a check box it is "&Beenden",
  // which ends the event loop and leaves the window to be destroyed.
  auto window = NewWindow();
  Activate(*window);
  auto* input = Find<QLineEdit>(*window, "Edt_Eingabepfad");
  input->setText(QStringLiteral("/daten/quellen"));
  input->setFocus();
  input->setSelection(6, 8);
  QTest::keyClick(input, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(input->text(), QStringLiteral("/daten"));
  EXPECT_TRUE(window->isVisible());

  auto* box = Find<QCheckBox>(*window, "optOEM");
  box->setFocus();
  EXPECT_EQ(ExitCodeOf([box] { QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier); }), 0);
}

TEST_F(UiTest, AMissingTemplateAtStartLeavesTheWindowWithoutItsGenerator) {
  // One error box names the file; the window opens with the commands that need the
  // generator off and the others on.
  std::filesystem::remove(root / "Templates/HTMLBlockHeader_Usr.htt");
  auto window = NewWindow();
  window->show();
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Error);
  EXPECT_EQ(dialogs.messages[0].Title, QStringLiteral("Quillmark"));
  EXPECT_EQ(dialogs.messages[0].Buttons, MessageButton::Ok | MessageButton::Help);
  EXPECT_EQ(dialogs.messages[0].HelpContext, 102);
  EXPECT_EQ(dialogs.messages[0].Text.toStdString(),
            "Datei " + root / "bin/../Templates/HTMLBlockHeader_Usr.htt" +
                " kann nicht geöffnet werden");
  EXPECT_EQ(window->Model().Generator(), nullptr);
  for (const char* command :
       {"ToolButton3", "HTMLAusgabegenerieren1", "Oeffnen1", "Speichern1", "Speichernunter1",
        "KopfBenutzer1", "FussEntwickler1", "HelpWorkshopProjektgenerieren1"}) {
    EXPECT_FALSE(CommandEnabled(*window, command)) << command;
  }
  for (const char* command :
       {"ToolButton1", "ToolButton2", "Beenden1", "Hilfe1", "Info1", "ZustzlicheDateien1"}) {
    EXPECT_TRUE(CommandEnabled(*window, command)) << command;
  }
}

TEST_F(UiTest, PickerButtonsSetTheirEditsFromTheFolderPicker) {
  // Each button asks with its own title from "/"; a cancel leaves the edit as it was.
  auto window = NewWindow();
  dialogs.folders = {QStringLiteral("/daten/quellen"), std::nullopt, QStringLiteral("/daten/html")};
  QTest::mouseClick(Find<QToolButton>(*window, "Btn_Eingabepfad"), Qt::LeftButton);
  QTest::mouseClick(Find<QToolButton>(*window, "Btn_Eingabepfad"), Qt::LeftButton);
  QTest::mouseClick(Find<QToolButton>(*window, "Btn_Ausgabepfad"), Qt::LeftButton);
  EXPECT_EQ(Find<QLineEdit>(*window, "Edt_Eingabepfad")->text(), QStringLiteral("/daten/quellen"));
  EXPECT_EQ(Find<QLineEdit>(*window, "Edt_Ausgabepfad")->text(), QStringLiteral("/daten/html"));
  ASSERT_EQ(dialogs.folderRequests.size(), 3u);
  EXPECT_EQ(dialogs.folderRequests[0].first,
            QStringLiteral("Bitte wählen Sie das Verzeichnis aus, in dem sich Ihre "
                           "Eingabedateien befinden:"));
  EXPECT_EQ(dialogs.folderRequests[2].first,
            QStringLiteral("Bitte wählen Sie das Verzeichnis aus, in das die Ausgabedateien "
                           "kopiert werden sollen:"));
  EXPECT_EQ(dialogs.folderRequests[2].second, QStringLiteral("/"));
}
