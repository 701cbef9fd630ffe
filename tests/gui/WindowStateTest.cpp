// The three windows keep their state between program runs in the user's settings: the main
// window its folders, kinds, options and position; the template editor the file names of its
// dialogs; the Help Workshop dialog its values, unless a project file holds them. The offscreen
// platform has one 800 x 800 screen at 96 dots per inch.
#include "UiFixture.h"

#include "engine/Generator.h"
#include "gui/HTMLEditor.h"
#include "gui/WorkshopProj.h"
#include "gui/ZusaetzlicheDateien.h"

#include <QComboBox>
#include <QPlainTextEdit>

using namespace qmtest;
using qm::MessageKind;
using qm::ui::TLex_HTMLEditor;
using qm::ui::TLex_WorkshopProj;
using qm::ui::TLex_ZusaetzlicheDateien;

namespace {

bool Ticked(const QObject& window, const char* name) {
  return window.findChild<QCheckBox*>(QLatin1String(name))->isChecked();
}

QString TextOf(const QObject& window, const char* name) {
  return window.findChild<QLineEdit*>(QLatin1String(name))->text();
}

/// The "Menue" section of a main window closed in its designed state at rect, the window
/// placement as the form storage writes it.
std::string DesignedMenue(const QRect& rect, const char* visible) {
  const std::string pos = "\"" + std::to_string(rect.left()) + "," + std::to_string(rect.top()) +
                          "," + std::to_string(rect.left() + rect.width()) + "," +
                          std::to_string(rect.top() + rect.height()) + "\"";
  return "[Menue]\n"
         "Edt_Ausgabepfad_Text=\n"
         "Edt_Eingabepfad_Text=\n"
         "Flags=0\n"
         "FormVersion=0\n"
         "MinMaxPos=\"-1,-1,-1,-1\"\n"
         "MinMaxPos%28800x800%29=\"-1,-1,-1,-1\"\n"
         "NormPos=" +
         pos + "\nNormPos%28800x800%29=" + pos +
         "\n"
         "PixelsPerInch=96\n"
         "ShowCmd=1\n"
         "Visible=" +
         visible +
         "\n"
         "chkUnterordner_Checked=True\n"
         "cmbQuellkodierung_CurrentIndex=0\n"
         "optAssembler_Checked=False\n"
         "optBasic_Checked=False\n"
         "optC_Checked=False\n"
         "optEigeneDateien_Checked=False\n"
         "optHTML_Checked=False\n"
         "optInstallShield_Checked=False\n"
         "optJava_Checked=False\n"
         "optOEM_Checked=False\n"
         "optPascal_Checked=False\n"
         "optSQL_Checked=False\n";
}

} // namespace

TEST_F(UiTest, MainWindowWritesItsFourteenValuesWhenItCloses) {
  // Nothing stored: the designed state, and showing writes nothing. The close box saves the
  // window as closed ("Visible" "0"); "&Beenden" ends the program and the window is saved as
  // it is destroyed ("Visible" "1"). The automatic line break is not among the values.
  auto window = NewWindow();
  window->show();
  EXPECT_TRUE(Ticked(*window, "chkUnterordner"));
  EXPECT_FALSE(Ticked(*window, "optPascal"));
  EXPECT_FALSE(Exists(settings.File()));
  const QRect rect = window->normalGeometry();
  window->close();
  EXPECT_EQ(settings.Text(), DesignedMenue(rect, "0"));
  window.reset();
  EXPECT_EQ(settings.Text(), DesignedMenue(rect, "0"))
      << "destroying a closed window saves no more";

  window = NewWindow();
  window->show();
  EXPECT_EQ(window->normalGeometry(), rect);
  EXPECT_EQ(ExitCodeOf([&] { Find<QAction>(*window, "Beenden1")->trigger(); }), 0);
  EXPECT_TRUE(window->isVisible());
  window.reset();
  EXPECT_EQ(settings.Text(), DesignedMenue(rect, "1"));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(UiTest, NextStartGetsBackFoldersKindsOptionsAndPosition) {
  // Texts come back trimmed; a ticked one-file-per-block option warns again while the window
  // opens; the automatic line break is ticked at every start. A project named on the command
  // line is loaded after the restore and wins.
  {
    auto first = NewWindow();
    first->show();
    QTest::qWait(1);
    Configure(*first, " " + root / "src" + " ", root / "out");
    Find<QCheckBox>(*first, "chkUnterordner")->setChecked(false);
    Find<QCheckBox>(*first, "optSQL")->setChecked(true);
    Find<QCheckBox>(*first, "optAutoTrenn")->setChecked(false);
    Find<QCheckBox>(*first, "optEigeneDateien")->setChecked(true);
    Find<QComboBox>(*first, "cmbQuellkodierung")->setCurrentIndex(2);
    first->move(first->pos() + QPoint(23, 17));
    first->close();
  }
  ASSERT_EQ(dialogs.messages.size(), 1u);

  auto second = NewWindow();
  second->show();
  // The restored tick warns once the window stands on the screen.
  QTest::qWait(1);
  EXPECT_EQ(TextOf(*second, "Edt_Eingabepfad"), QString::fromStdString(root / "src"));
  EXPECT_EQ(TextOf(*second, "Edt_Ausgabepfad"), QString::fromStdString(root / "out"));
  EXPECT_FALSE(Ticked(*second, "chkUnterordner"));
  for (const qm::SourceKindInfo& kind : qm::kSourceKindTable) {
    EXPECT_EQ(Ticked(*second, std::string(kind.boxName).c_str()),
              kind.kind == qm::SourceKind::Pascal || kind.kind == qm::SourceKind::SQL)
        << kind.boxName;
  }
  EXPECT_TRUE(Ticked(*second, "optAutoTrenn"));
  EXPECT_TRUE(Ticked(*second, "optEigeneDateien"));
  EXPECT_EQ(Find<QComboBox>(*second, "cmbQuellkodierung")->currentText(), QStringLiteral("UTF-8"));
  EXPECT_EQ(second->Model().Settings().Encoding, qm::SourceEncoding::Utf8);
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].Kind, MessageKind::Warning);
  EXPECT_EQ(dialogs.messages[1].HelpContext, 101);
  const QPoint restored = second->pos();
  second->close();

  const std::string project = root / "p.qmpr";
  WriteFile(project, CrLf({"[Main.Eingabe]", "Pfad=/projekt", "[Main.Zusatz]", "EigeneDateien=0"}));
  auto third = NewWindow({QString::fromStdString(project)});
  third->show();
  EXPECT_EQ(TextOf(*third, "Edt_Eingabepfad"), QStringLiteral("/projekt"));
  EXPECT_FALSE(Ticked(*third, "optEigeneDateien"));
  EXPECT_EQ(Find<QComboBox>(*third, "cmbQuellkodierung")->currentText(),
            QStringLiteral("Automatisch"));
  EXPECT_EQ(third->pos(), restored) << "the position is not the project's";
}

TEST_F(UiTest, StoredValuesThatDoNotFitLeaveTheDesignedState) {
  // "TRUE" ticks a box; other words, values of another kind and garbage numbers change
  // nothing and raise no error box. A position stored for another screen size falls back to
  // the one without a size; one stored at another pixel density is ignored.
  auto designed = NewWindow();
  designed->show();
  const QPoint home = designed->geometry().topLeft();
  const QSize size = designed->size();
  designed.reset();

  const struct {
    const char* values;
    bool pascal;
    QPoint pos;
  } cases[] = {
      {"optPascal_Checked=TRUE\noptC_Checked=yes\nchkUnterordner_Checked=0\n"
       "Edt_Eingabepfad_Text=@ByteArray(/x)\nFormVersion=x\nShowCmd=drei\n"
       "NormPos=\"a,b,c,d\"\n",
       true, home},
      {"NormPos%28640x480%29=\"300,200,301,201\"\nNormPos=\"40,30,41,31\"\n", false,
       QPoint(40, 30)},
      {"NormPos=\"40,30,41,31\"\nPixelsPerInch=120\n", false, home},
  };
  for (const auto& c : cases) {
    SettingsSandbox sandbox;
    sandbox.Seed(std::string("[Menue]\n") + c.values);
    auto window = NewWindow();
    window->show();
    EXPECT_EQ(Ticked(*window, "optPascal"), c.pascal) << c.values;
    EXPECT_FALSE(Ticked(*window, "optC")) << c.values;
    EXPECT_TRUE(Ticked(*window, "chkUnterordner")) << c.values;
    EXPECT_EQ(TextOf(*window, "Edt_Eingabepfad"), QString()) << c.values;
    EXPECT_EQ(window->geometry().topLeft(), c.pos) << c.values;
    EXPECT_EQ(window->size(), size) << "a fixed-size window keeps its size";
    EXPECT_EQ(window->windowState(), Qt::WindowNoState) << c.values;
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(UiTest, DamagedSettingsFileIsNamedInTheErrorBoxAndKept) {
  // The window opens in its designed state and its close does not overwrite the file.
  settings.Seed("[Menue\noptPascal_Checked=True\n");
  auto window = NewWindow();
  window->show();
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(Ticked(*window, "optPascal"));
  window->close();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Error);
  EXPECT_EQ(dialogs.Texts()[0], "Die Fenstereinstellungen können nicht aus " + settings.File() +
                                    " gelesen werden: ungültiges Dateiformat");
  EXPECT_EQ(settings.Text(), "[Menue\noptPascal_Checked=True\n");
}

TEST_F(UiTest, TemplateEditorKeepsItsFileNamesOnlyWithoutAProject) {
  // Without a project file the editor saves its text and the dialogs' file names; the next
  // editing shows the template, never the stored text, and proposes the stored names. With a
  // project file open, closing the editor writes nothing.
  WriteFile(root / "kopf.htm", "<b>Kopf</b>\r\n");
  auto window = NewWindow();
  window->show();
  dialogs.files = {QString::fromStdString(root / "kopf.htm")};
  WithModal<TLex_HTMLEditor>([&] { window->OnEditTemplate(qm::TemplateId::DocPageHeader); },
                             [&](TLex_HTMLEditor& editor) {
                               Click(editor, "ToolButton3");
                               Click(editor, "ToolButton1");
                             });
  EXPECT_NE(settings.Text().find("[Editor]\n"
                                 "Flags=0\n"),
            std::string::npos);
  EXPECT_NE(settings.Text().find("OpenDialog1_FileName=" + root / "kopf.htm" +
                                 "\nPixelsPerInch=96\nSaveDialog1_FileName=\n"),
            std::string::npos);
  EXPECT_NE(settings.Text().find("[Editor.Content_Lines]\nCount=1\nItem0=<b>Kopf</b>\n"),
            std::string::npos);

  // The next program run: a fresh window and editor on another template.
  window = NewWindow();
  window->show();
  dialogs.files = {std::nullopt};
  WithModal<TLex_HTMLEditor>(
      [&] { window->OnEditTemplate(qm::TemplateId::DocPageFooter); },
      [&](TLex_HTMLEditor& editor) {
        EXPECT_EQ(editor.findChild<QPlainTextEdit*>("Content")->toPlainText(), QStringLiteral("F"));
        Click(editor, "ToolButton3");
        Click(editor, "ToolButton1");
      });
  ASSERT_EQ(dialogs.openRequests.size(), 2u);
  EXPECT_EQ(dialogs.openRequests[1].FileName, QString::fromStdString(root / "kopf.htm"));
  EXPECT_EQ(window->Model().Settings().Templates[qm::TemplateId::DocPageFooter], (qm::Lines{"F"}));

  dialogs.files = {QString::fromStdString(root / "p.qmpr"),
                   QString::fromStdString(root / "anders.htm")};
  window->OnSaveProjectAs();
  ASSERT_EQ(window->Model().CurrentProjectFile(), root / "p.qmpr");
  const std::string stored = settings.Text();
  WithModal<TLex_HTMLEditor>([&] { window->OnEditTemplate(qm::TemplateId::DocPageHeader); },
                             [&](TLex_HTMLEditor& editor) {
                               QPlainTextEdit* content =
                                   editor.findChild<QPlainTextEdit*>("Content");
                               content->selectAll();
                               content->insertPlainText("neu");
                               Click(editor, "ToolButton4");
                               Click(editor, "ToolButton1");
                             });
  EXPECT_EQ(ReadFile(root / "anders.htm"), "neu\r\n");
  EXPECT_EQ(settings.Text(), stored);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(UiTest, WorkshopDialogWithAProjectShowsAndKeepsTheProjectsValues) {
  // Stored values from an earlier run fill the dialog while no project file is open and take
  // its edits. With a project file open at a showing, the dialog shows the project's values,
  // not the stored ones, writes nothing to the settings, and the project saves its own values.
  settings.Seed("[Workshop]\nTitel_Text=Gemerkt\noptPascalMap_Checked=True\n");
  const std::string project = root / "p.qmpr";
  WriteFile(project, CrLf({"[HelpWorkshop]", "Titel=Projekt", "MapDatei.Pascal=0"}));
  auto window = NewWindow({QString::fromStdString(project)});
  window->show();
  const std::string stored = settings.Text();
  for (int showing = 0; showing < 2; ++showing) {
    WithModal<TLex_WorkshopProj>([&] { window->OnGenerateHelpProject(); },
                                 [&](TLex_WorkshopProj& dialog) {
                                   EXPECT_EQ(TextOf(dialog, "Titel"), QStringLiteral("Projekt"));
                                   EXPECT_FALSE(Ticked(dialog, "optPascalMap"));
                                   Click(dialog, "BitBtn2");
                                 });
  }
  window->OnSaveProject();
  EXPECT_NE(ReadFile(project).find("Titel=Projekt\r\n"), std::string::npos);
  EXPECT_NE(ReadFile(project).find("MapDatei.Pascal=0\r\n"), std::string::npos);
  window.reset();
  EXPECT_EQ(settings.Text().substr(settings.Text().find("[Workshop]")),
            stored.substr(stored.find("[Workshop]")));

  window = NewWindow();
  window->show();
  WithModal<TLex_WorkshopProj>([&] { window->OnGenerateHelpProject(); },
                               [&](TLex_WorkshopProj& dialog) {
                                 EXPECT_EQ(TextOf(dialog, "Titel"), QStringLiteral("Gemerkt"));
                                 EXPECT_TRUE(Ticked(dialog, "optPascalMap"));
                                 dialog.findChild<QLineEdit*>("Titel")->setText("Neu ");
                                 Click(dialog, "BitBtn2");
                               });
  EXPECT_NE(settings.Text().find("Titel_Text=Neu\n"), std::string::npos);
  EXPECT_NE(settings.Text().find("optPascalMap_Checked=True\n"), std::string::npos);
}
