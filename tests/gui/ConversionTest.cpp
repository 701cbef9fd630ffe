// The conversion command from the main window, with its questions and its progress window.
#include "UiFixture.h"

#include "base/AnsiText.h"
#include "gui/Fortschritt.h"

#include <QLabel>
#include <QPushButton>

using namespace qmtest;
using qm::MessageKind;

namespace {

std::string Text(const std::vector<std::string>& texts, size_t i) {
  return i < texts.size() ? texts[i] : "<no box>";
}

} // namespace

TEST_F(UiTest, ConvertsFromTheToolButtonTheMenuAndCtrlK) {
  // Each of the three ways runs the conversion over the folder in the window; Ctrl+K in an
  // edit converts instead of deleting to the end of the line.
  WriteFile(root / "src/a.pas", kSource);
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  Activate(*window);
  Configure(*window, root / "src", root / "out");

  Convert(*window,
          [&] { QTest::mouseClick(Find<QToolButton>(*window, "ToolButton3"), Qt::LeftButton); });
  EXPECT_EQ(ReadFile(root / "out/a.Doc.htm"), kPage);
  EXPECT_FALSE(Exists(root / "out/a.Tech.htm"));

  std::filesystem::remove(root / "out/a.Doc.htm");
  Convert(*window, [&] { Find<QAction>(*window, "HTMLAusgabegenerieren1")->trigger(); });
  EXPECT_EQ(ReadFile(root / "out/a.Doc.htm"), kPage);

  std::filesystem::remove(root / "out/a.Doc.htm");
  auto* input = Find<QLineEdit>(*window, "Edt_Eingabepfad");
  input->setFocus();
  input->setCursorPosition(0);
  Convert(*window, [&] { QTest::keyClick(input, Qt::Key_K, Qt::ControlModifier); });
  EXPECT_EQ(ReadFile(root / "out/a.Doc.htm"), kPage);
  EXPECT_EQ(input->text(), QString::fromStdString(root / "src"));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(UiTest, MissingOutputFolderIsCreatedOnlyAfterYes) {
  // "Abbrechen" leaves everything as it was; "&Ja" creates the folder and converts into it.
  WriteFile(root / "src/a.pas", kSource);
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out/neu");

  dialogs.answers = {MessageButton::Cancel};
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_FALSE(Exists(root / "out"));
  EXPECT_FALSE(Exists(root / "src/a.Doc.htm"));

  dialogs.answers = {MessageButton::Yes};
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(ReadFile(root / "out/neu/a.Doc.htm"), kPage);

  ASSERT_EQ(dialogs.messages.size(), 2u);
  const auto& question = dialogs.messages[0];
  EXPECT_EQ(question.Kind, MessageKind::Warning);
  EXPECT_EQ(question.Buttons, MessageButton::Yes | MessageButton::Cancel | MessageButton::Help);
  EXPECT_EQ(question.HelpContext, 102);
  EXPECT_EQ(question.Text.toStdString(),
            "Der Ordner\n\n" + root / "out/neu" + "\n\nexistiert nicht. Soll er erstellt werden?");
}

TEST_F(UiTest, AdditionalFilesAskBeforeReplacing) {
  // The copy asks in a confirmation box before it replaces a file; "&Nein" keeps it.
  WriteFile(root / "src/a.pas", kSource);
  WriteFile(root / "extra/style.css", "neu");
  WriteFile(root / "out/style.css", "alt");
  WriteFile(root / "extra/logo.png", "png");
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");
  window->Model().Edit().ExtraFilesFolder = root / "extra";

  dialogs.answers = {MessageButton::No};
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(ReadFile(root / "out/style.css"), "alt");
  EXPECT_EQ(ReadFile(root / "out/logo.png"), "png");
  EXPECT_EQ(ReadFile(root / "out/a.Doc.htm"), kPage);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Confirmation);
  EXPECT_EQ(dialogs.messages[0].HelpContext, 104);
  EXPECT_EQ(Text(dialogs.Texts(), 0),
            root / "out/style.css" + " besteht bereits.\nMöchten Sie sie ersetzen?");
}

TEST_F(UiTest, CancelStopsBeforeTheNextFileAndUnlocksTheCommands) {
  // "Abbrechen" after the first of three files: that file's page is complete, no other file
  // is converted, and the commands locked during the run work again.
  for (const char* name : {"a", "b", "c"}) {
    WriteFile(root / ("src/" + std::string(name) + ".pas"), kSource);
  }
  // The output folder is made after a question: the run waits for its answer, so the
  // handler below is connected before the first file is done.
  dialogs.answers = {MessageButton::Yes};
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");

  std::vector<bool> lockedDuringRun;
  ConvertCalling(*window, [&](qm::ui::TLex_Fortschritt& progress, int position) {
    if (position == 1) {
      for (const char* command : {"ToolButton3", "HTMLAusgabegenerieren1", "Oeffnen1"}) {
        lockedDuringRun.push_back(!CommandEnabled(*window, command));
      }
      lockedDuringRun.push_back(CommandEnabled(*window, "Speichern1"));
      Find<QPushButton>(progress, "BitBtn1")->click();
      EXPECT_FALSE(progress.isVisible());
    }
  });

  EXPECT_EQ(ReadFile(root / "out/a.Doc.htm"), kPage);
  EXPECT_FALSE(Exists(root / "out/b.Doc.htm"));
  EXPECT_FALSE(Exists(root / "out/c.Doc.htm"));
  EXPECT_EQ(lockedDuringRun, (std::vector<bool>{true, true, true, true}));
  EXPECT_TRUE(CommandEnabled(*window, "ToolButton3"));
  EXPECT_TRUE(CommandEnabled(*window, "Oeffnen1"));
  EXPECT_EQ(window->ProgressWindow(), nullptr);
}

TEST_F(UiTest, EditsDuringARunReachTheModelButNotTheRun) {
  // The window stays usable while a run goes on. What is typed or ticked then goes into the
  // model; the run converts every source with the values it started with, the next run takes
  // the new ones.
  for (const char* name : {"a", "b", "c"}) {
    WriteFile(root / ("src/" + std::string(name) + ".pas"), kSource);
  }
  dialogs.answers = {MessageButton::Yes}; // the run waits for it: see above
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");
  bool editedDuringRun = false;
  ConvertCalling(*window, [&](qm::ui::TLex_Fortschritt&, int position) {
    if (position == 1) {
      Find<QLineEdit>(*window, "Edt_Ausgabepfad")->setText(QString::fromStdString(root / "neu"));
      Find<QCheckBox>(*window, "optPascal")->setChecked(false);
      editedDuringRun = window->ProgressWindow() != nullptr;
    }
  });
  ASSERT_TRUE(editedDuringRun);
  for (const char* page : {"out/a.Doc.htm", "out/b.Doc.htm", "out/c.Doc.htm"}) {
    EXPECT_EQ(ReadFile(root / page), kPage) << page;
  }
  EXPECT_FALSE(Exists(root / "neu"));
  EXPECT_EQ(window->Model().Settings().OutputPath, root / "neu");
  EXPECT_FALSE(window->Model().Settings().Kinds[qm::SourceKind::Pascal]);

  Find<QCheckBox>(*window, "optPascal")->setChecked(true);
  dialogs.answers = {MessageButton::Yes};
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(ReadFile(root / "neu/c.Doc.htm"), kPage);
}

TEST_F(UiTest, AFailedRunIsShownInOneErrorBox) {
  // The core's refusal of an empty input folder reaches the user once, titled "Quillmark";
  // the window goes on with its commands enabled.
  auto window = NewWindow();
  Configure(*window, "", "");
  Convert(*window, [&] { window->OnConvert(); });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Error);
  EXPECT_EQ(dialogs.messages[0].Title, QStringLiteral("Quillmark"));
  EXPECT_EQ(dialogs.messages[0].Buttons, MessageButton::Ok | MessageButton::Help);
  EXPECT_EQ(dialogs.messages[0].HelpContext, 102);
  EXPECT_EQ(Text(dialogs.Texts(), 0), "Bitte geben Sie den Pfad der Eingabedateien an.");
  EXPECT_TRUE(CommandEnabled(*window, "ToolButton3"));
}

TEST(Fortschritt, ShowsTheFileJustFinishedAndTheLineTotal) {
  // Labels stay empty until the first file is done; then each step shows its count, the name
  // without folder and the lines of this run so far.
  QWidget owner;
  qm::ui::TLex_Fortschritt progress(&owner);
  progress.SetFileCount(12);
  QApplication::processEvents();
  EXPECT_TRUE(progress.isVisible());
  const auto label = [&](const char* name) {
    return progress.findChild<QLabel*>(QLatin1String(name))->text().toStdString();
  };
  EXPECT_EQ(label("Lbl_Zaehler") + label("Lbl_Datei") + label("Lbl_Zeilen"), "");

  progress.StepFile("/q/Formulare/Hauptfenster.pas", 40);
  // Paths come as the file system spells them.
  progress.StepFile("/q/Kunden/Küchen.java", 2);
  EXPECT_EQ(label("Lbl_Zaehler"), "Datei 2 von 12");
  EXPECT_EQ(label("Lbl_Datei"), "Bearbeite Datei Küchen.java");
  EXPECT_EQ(label("Lbl_Zeilen"), "42 Zeilen erledigt");
  EXPECT_FALSE(progress.Cancelled());
  QTest::keyClick(&progress, Qt::Key_Escape);
  EXPECT_TRUE(progress.Cancelled());
  EXPECT_FALSE(progress.isVisible());
}

TEST_F(UiTest, ClosingTheWindowDuringARunClosesItWhenTheRunHasEnded) {
  // The close stops the run after the file in hand; the window goes once the run is over.
  for (const char* name : {"a", "b"}) {
    WriteFile(root / ("src/" + std::string(name) + ".pas"), kSource);
  }
  dialogs.answers = {MessageButton::Yes}; // the run waits for it: see above
  auto window = NewWindow();
  window->show();
  Configure(*window, root / "src", root / "out");
  bool visibleAfterClose = false;
  ConvertCalling(*window, [&](qm::ui::TLex_Fortschritt&, int) {
    window->close();
    visibleAfterClose = window->isVisible();
  });
  EXPECT_TRUE(visibleAfterClose);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(ReadFile(root / "out/a.Doc.htm"), kPage);
  EXPECT_FALSE(Exists(root / "out/b.Doc.htm"));
}

TEST_F(UiTest, WarningsOfARunAreListedInOneBox) {
  // After the run one warning box lists the first twenty warnings and counts the others.
  std::string expected = "Die Konvertierung meldet 22 Warnung(en):\n";
  for (int i = 0; i < 22; ++i) {
    const std::string source = root / qm::Format("src/s%02d.pas", i);
    WriteFile(source, CrLf({"{###DocGen_Start", "Hallo", "###DocGen_End}"}));
    if (i < 20) {
      expected += "\n" + source + ":1: Warnung: Block ohne Titel";
    }
  }
  expected += "\n... und 2 weitere";
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");
  Convert(*window, [&] { window->OnConvert(); });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Warning);
  EXPECT_EQ(dialogs.messages[0].HelpContext, 102);
  EXPECT_EQ(dialogs.messages[0].Text.toStdString(), expected);
}

TEST_F(UiTest, AMissingInputFolderIsRefusedBeforeAnythingIsWritten) {
  // One error box names the folder; the output folder is not created and no page written.
  auto window = NewWindow();
  Configure(*window, root / "fehlt", root / "out");
  Convert(*window, [&] { window->OnConvert(); });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Error);
  EXPECT_EQ(Text(dialogs.Texts(), 0), "Der Eingabeordner " + root / "fehlt" + " existiert nicht.");
  EXPECT_FALSE(Exists(root / "out"));
}
