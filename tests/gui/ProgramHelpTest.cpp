// The program's own help file, made by the build from the documentation blocks of its HTML
// sources in data/help: every context number the program asks for opens the page that carries
// it, and the help menu and F1 reach their pages through the help viewer.
#include "UiFixture.h"

#include "../desktop/HelpFileFixture.h"
#include "desktop/HelpBrowser.h"
#include "desktop/HelpViewer.h"

#include <QListWidget>
#include <QTabWidget>

using namespace qmtest;

namespace {

#ifdef QM_HELP_FILE
constexpr const char* kHelpFile = QM_HELP_FILE;
#else
constexpr const char* kHelpFile = nullptr;
#endif

/// Skips the calling test when the build could not make the help file (no chmcmd).
#define QM_REQUIRE_PROGRAM_HELP()                                                                  \
  do {                                                                                             \
    if (kHelpFile == nullptr) {                                                                    \
      GTEST_SKIP() << "chmcmd is not installed: the build made no help file";                      \
    }                                                                                              \
  } while (false)

} // namespace

TEST(ProgramHelp, EveryContextNumberOpensThePageThatCarriesIt) {
  // The windows' numbers and those of the message boxes, one page each, and no other numbers.
  QM_REQUIRE_PROGRAM_HELP();
  ExpectContextNumbersOpenTheirPages(kHelpFile, {{101, "/Hauptfenster.Doc.htm"},
                                                 {102, "/Ausgabeordner.Doc.htm"},
                                                 {103, "/Ersetzen.Doc.htm"},
                                                 {104, "/ZusatzErsetzen.Doc.htm"},
                                                 {105, "/ZusatzKopierfehler.Doc.htm"},
                                                 {201, "/Fortschritt.Doc.htm"},
                                                 {301, "/Vorlageneditor.Doc.htm"},
                                                 {401, "/Info.Doc.htm"},
                                                 {701, "/WorkshopProjekt.Doc.htm"},
                                                 {702, "/WorkshopVoraussetzung.Doc.htm"},
                                                 {703, "/WorkshopFertig.Doc.htm"},
                                                 {801, "/ZusaetzlicheDateien.Doc.htm"}});
}

TEST(ProgramHelp, CommandLinePageShowsTheCommandLinesOwnHelpText) {
  // The page about quillmark-cli carries what "quillmark-cli --help" prints, line for line and
  // with its indentation, umlauts and backslash, so that the two cannot drift apart.
  QM_REQUIRE_PROGRAM_HELP();
  std::string help;
  ASSERT_EQ(RunIn(QM_BIN_DIR, "./quillmark-cli --help", help), 0) << help;
  qm::THelpViewer viewer;
  ASSERT_TRUE(viewer.OpenFile(QString::fromUtf8(kHelpFile)));
  ASSERT_TRUE(viewer.ShowTopic(QStringLiteral("Kommandozeile.Doc.htm")));
  // The viewer shows the line break that closes <PRE> as a blank.
  const QString page = viewer.Browser()->toPlainText();
  EXPECT_TRUE(page.contains(QString::fromUtf8(help).chopped(1) + QLatin1Char(' ')))
      << page.toStdString();
}

TEST_F(UiTest, HelpMenuAndF1OpenTheProgramsHelpFile) {
  // "Quillmark.Doc.chm" is found in the program folder; the start page is the welcome page.
  QM_REQUIRE_PROGRAM_HELP();
  qm::HtmlHelpEntry = qm::ShowInHelpViewer;
  auto window = NewWindow();
  window->show();
  const auto shown = [] {
    const qm::THelpViewer& viewer = qm::SharedHelpViewer();
    return (viewer.Message().isEmpty() ? viewer.CurrentPage() : viewer.Message()).toStdString();
  };
  Find<QAction>(*window, "Willkommen1")->trigger();
  EXPECT_EQ(shown(), "/Welcome.Doc.htm");
  Find<QAction>(*window, "Hilfe1")->trigger();
  EXPECT_EQ(shown(), "/Help.Doc.htm");
  QTest::keyClick(window.get(), Qt::Key_F1);
  EXPECT_EQ(shown(), "/Hauptfenster.Doc.htm");
  qm::SharedHelpViewer().GoBack();
  qm::SharedHelpViewer().GoBack();
  EXPECT_EQ(shown(), "/Welcome.Doc.htm");
  EXPECT_TRUE(qm::SharedHelpViewer().ShowStartPage());
  EXPECT_EQ(shown(), "/Welcome.Doc.htm");
  qm::SharedHelpViewer().close();
}

TEST_F(UiTest, HelpSearchTabFindsAWordOnItsPageAloneAndOpensIt) {
  // "Rautenzeichen" occurs on one page only, in another case than typed; Enter searches,
  // Enter in the list opens the page with the word marked.
  QM_REQUIRE_PROGRAM_HELP();
  qm::THelpViewer viewer;
  ASSERT_TRUE(viewer.OpenFile(QString::fromUtf8(kHelpFile)));
  auto* tabs = Find<QTabWidget>(viewer, "Tab_Navigation");
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(2), "Su&che");
  tabs->setCurrentIndex(2);
  auto* field = Find<QLineEdit>(viewer, "Edt_Volltext");
  auto* list = Find<QListWidget>(viewer, "Lst_Treffer");
  QTest::keyClicks(field, "rautenZEICHEN");
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "Markierungszeilen");
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(viewer.CurrentPage(), "/Markierungen.Doc.htm");
  QStringList marked;
  for (const QTextEdit::ExtraSelection& mark : viewer.Browser()->extraSelections()) {
    marked << mark.cursor.selectedText();
  }
  EXPECT_EQ(marked, QStringList{"Rautenzeichen"});

  field->clear();
  QTest::keyClicks(field, "Rautenzeichen Kontextnummer Xylophon");
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("Keine Seite enthält alle Wörter."));
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(viewer.CurrentPage(), "/Markierungen.Doc.htm");
}
