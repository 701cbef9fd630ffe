// The program's own help file, made by the build from the documentation blocks of its HTML
// sources in data/help: every context number the program asks for opens the page that carries
// it, each box's "Hilfe" a page about that box, and the help menu and F1 reach their pages
// through the help window, which stays usable while a modal box is open.
#include "UiFixture.h"

#include "../desktop/HelpFileFixture.h"
#include "desktop/HelpBrowser.h"
#include "desktop/HelpRequests.h"
#include "desktop/HelpSearchTab.h"
#include "desktop/HelpViewer.h"
#include "desktop/MessageDialog.h"
#include "desktop/WindowPlacement.h"
#include "gui/UiTexts.h"
#include "helpproject/HelpTexts.h"

#include <QListWidget>
#include <QScreen>
#include <QTabBar>
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

TEST(ProgramHelp, EveryBoxWithHilfeOpensAPageAboutItself) {
  QM_REQUIRE_PROGRAM_HELP();
  using namespace qm::ui;
  // Box, its help context, and a word the title of the page it opens holds.
  const std::tuple<const char*, int, const char*> boxes[] = {
      {"Warnung: eigene Datei je Kommentar", kHelpOneFilePerBlock, "Hauptfenster"},
      {"Warnung: Ausgabeordner fehlt", kHelpMissingFolder, "Ausgabeordner"},
      {"Warnung: Warnungen der Konvertierung", kHelpConversion, "Meldungen beim Konvertieren"},
      {"Fehler eines Befehls", kHelpErrorBox, "Meldungen beim Konvertieren"},
      {"Bestätigung: Projektdatei ersetzen", kHelpReplaceFile, "ersetzen"},
      {"Bestätigung: zusätzliche Datei ersetzen", kHelpReplaceExtraFile, "zusätzliche Datei"},
      {"Fehler: zusätzliche Datei nicht kopiert", kHelpCopyFailed, "nicht kopiert"},
      {"Fehler: Zeichen in der Vorlage", kHelpEditor, "HTML bearbeiten"},
      {"Warnung: Help-Projekt", kHelpWorkshop, "Workshop-Projekt"},
      {"Fehler: erst konvertieren", qm::kHelpNoConversionYet, "konvertieren"},
      {"Information: Projekt erzeugt", qm::kHelpProjectsWritten, "Projekt wurde erzeugt"},
  };
  qm::THelpViewer viewer;
  ASSERT_TRUE(viewer.OpenFile(QString::fromUtf8(::kHelpFile)));
  for (const auto& [box, context, word] : boxes) {
    ASSERT_TRUE(viewer.ShowContext(static_cast<std::uint32_t>(context))) << box;
    const QString title = viewer.Browser()->documentTitle();
    EXPECT_TRUE(title.contains(QString::fromUtf8(word), Qt::CaseInsensitive))
        << box << " -> " << context << " -> " << title.toStdString();
  }
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
  ASSERT_TRUE(QTest::qWaitFor([&] { return !viewer.findChild<qm::THelpSearchTab*>()->Waiting(); }));
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

TEST_F(UiTest, HelpWindowTakesInputWhileTheBoxThatAskedForItIsOpen) {
  QM_REQUIRE_PROGRAM_HELP();
  qm::HtmlHelpEntry = qm::ShowInHelpViewer;
  auto window = NewWindow();
  window->show();
  QTest::qWait(1); // the window stands on the screen: the warning comes at once
  int tab = -1;
  QString typed;
  QRect frame;
  // A real, application-modal box; its "Hilfe" is clicked, then the help window gets a click on
  // its index tab and keys typed into its search field.
  dialogs.onMessage = [&](QWidget* parent, const MessageRequest& request) {
    qm::MessageDialog box(parent, request);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    QTest::mouseClick(box.Button(MessageButton::Help), Qt::LeftButton);
    qm::THelpViewer& viewer = qm::SharedHelpViewer();
    auto* tabs = Find<QTabWidget>(viewer, "Tab_Navigation");
    QTest::mouseClick(viewer.windowHandle(), Qt::LeftButton, {},
                      tabs->tabBar()->mapTo(&viewer, tabs->tabBar()->tabRect(1).center()));
    tab = tabs->currentIndex();
    auto* search = Find<QLineEdit>(viewer, "Edt_Suche");
    search->setFocus();
    for (const char key : std::string("ersetz")) {
      QTest::keyClick(viewer.windowHandle(), key);
    }
    typed = search->text();
    frame = qm::FrameOf(&viewer);
    EXPECT_TRUE(box.isVisible());
  };
  Find<QCheckBox>(*window, "optEigeneDateien")->setChecked(true);
  qm::THelpViewer& viewer = qm::SharedHelpViewer();
  EXPECT_EQ(viewer.CurrentPage(), QStringLiteral("/Hauptfenster.Doc.htm"));
  EXPECT_EQ(tab, 1);
  EXPECT_EQ(typed, QStringLiteral("ersetz"));
  // Wholly on the screen of the request, though designed larger than the test screen.
  const QRect screen = window->screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(frame)) << frame.height();

  // Closed and asked for again, it comes back where it was left; left where no screen is any
  // more, it comes back on the screen of the request.
  const auto reopened = [] {
    qm::SharedHelpViewer().close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qm::RequestHelp(qm::ui::kHelpMainWindow);
    return &qm::SharedHelpViewer();
  };
  viewer.setGeometry(40, 50, 500, 400);
  const QRect left = viewer.geometry();
  EXPECT_EQ(reopened()->geometry(), left);
  qm::SharedHelpViewer().move(5000, 4000);
  const QRect back = qm::FrameOf(reopened());
  EXPECT_TRUE(screen.contains(back)) << back.x() << ',' << back.y();
  qm::SharedHelpViewer().close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
