// The help window over help files that each test compiles from a project written with
// Quillmark's help-project writers.
#include "HelpFileFixture.h"

#include "desktop/HelpBrowser.h"
#include "desktop/HelpSearchTab.h"
#include "desktop/HelpViewer.h"

#include <sys/stat.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

#include <filesystem>
#include <memory>

using namespace qm;
using namespace qmtest;

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

/// The contents tree as lines, two blanks of indent per level, and each item's Local.
QStringList TreeLines(const QTreeWidget* tree) {
  QStringList lines;
  std::function<void(const QTreeWidgetItem*, int)> walk = [&](const QTreeWidgetItem* item,
                                                              int depth) {
    const QString local = item->data(0, Qt::UserRole).toString();
    lines << QString(depth * 2, ' ') + item->text(0) + (local.isEmpty() ? "" : " -> " + local);
    for (int i = 0; i < item->childCount(); ++i) {
      walk(item->child(i), depth + 1);
    }
  };
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    walk(tree->topLevelItem(i), 0);
  }
  return lines;
}

QStringList ListLines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) {
    lines << list->item(i)->text();
  }
  return lines;
}

/// Clicks the link whose text is text on the page shown.
void ClickLink(THelpBrowser* browser, const QString& text) {
  QTextCursor found = browser->document()->find(text);
  ASSERT_FALSE(found.isNull()) << text.toStdString();
  QTextCursor middle(browser->document());
  middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
  const QPoint at = browser->cursorRect(middle).center();
  QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

TEST(HelpViewer, OpensTheStartPageAndPagesByName) {
  // The start page is the project's default topic, stored with the full path it had when the
  // project was written; pages open by name without regard to case, with umlauts and images.
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string chm = CompileHelpProject(tmp / "out/", SampleHelpProject());
  THelpViewer viewer;
  ASSERT_TRUE(viewer.OpenFile(Q(chm)));
  EXPECT_EQ(viewer.windowTitle(), "Test.Doc.chm - Quillmark-Hilfe");

  ASSERT_TRUE(viewer.ShowTopic(""));
  EXPECT_EQ(viewer.CurrentPage(), "/Welcome.Doc.htm");
  EXPECT_TRUE(viewer.Browser()->toPlainText().contains(QString::fromUtf8("Grüß Gott!")));
  const QVariant image =
      viewer.Browser()->loadResource(QTextDocument::ImageResource, QUrl("bild.png"));
  EXPECT_FALSE(QImage::fromData(image.toByteArray()).isNull());

  ASSERT_TRUE(viewer.ShowTopic("main.doc.htm"));
  EXPECT_EQ(viewer.CurrentPage(), "/Main.Doc.htm");
  EXPECT_TRUE(viewer.Message().isEmpty());
  ASSERT_TRUE(viewer.ShowTopic("Setup.Doc.htm#opt"));
  EXPECT_EQ(viewer.Browser()->source().fragment(), "opt");
}

TEST(HelpViewer, ContextNumbersOpenThePagesThatCarryThem) {
  // The compiler stores each number's page under the path it had at compile time; the viewer
  // finds the page of that name in the file. The compiled folder is gone, as on a user's
  // machine, so nothing can be read from it.
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string chm = CompileHelpProject(tmp / "out/", SampleHelpProject());
  std::filesystem::rename(chm, tmp / "Test.Doc.chm");
  std::filesystem::remove_all(tmp / "out");
  ExpectContextNumbersOpenTheirPages(
      tmp / "Test.Doc.chm",
      {{101, "/Main.Doc.htm"}, {102, "/Setup.Doc.htm"}, {103, "/Welcome.Doc.htm"}});
}

TEST(HelpViewer, FollowsLinksAndAnchorsBackAndForward) {
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string chm = CompileHelpProject(tmp / "out/", SampleHelpProject());
  THelpViewer viewer;
  viewer.show();
  ASSERT_TRUE(viewer.OpenFile(Q(chm)));
  ASSERT_TRUE(viewer.ShowTopic("Main.Doc.htm"));
  THelpBrowser* browser = viewer.Browser();

  // A link to an anchor on another page opens the page scrolled to the anchor.
  ClickLink(browser, "Zu den Optionen");
  EXPECT_EQ(viewer.CurrentPage(), "/Setup.Doc.htm");
  EXPECT_EQ(browser->source().fragment(), "opt");
  EXPECT_GT(browser->verticalScrollBar()->value(), 0);

  auto* back = viewer.findChild<QAction*>("Act_Zurueck");
  auto* forward = viewer.findChild<QAction*>("Act_Vorwaerts");
  ASSERT_TRUE(back && forward);
  ASSERT_TRUE(back->isEnabled());
  back->trigger();
  EXPECT_EQ(viewer.CurrentPage(), "/Main.Doc.htm");
  ASSERT_TRUE(forward->isEnabled());
  forward->trigger();
  EXPECT_EQ(viewer.CurrentPage(), "/Setup.Doc.htm");
  back->trigger();

  // An anchor on the same page scrolls there.
  EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
  ClickLink(browser, "Nach unten");
  EXPECT_EQ(viewer.CurrentPage(), "/Main.Doc.htm");
  EXPECT_EQ(browser->source().fragment(), "unten");
  EXPECT_GT(browser->verticalScrollBar()->value(), 0);

  // The start page, then back out of a message to the page it replaced.
  viewer.findChild<QAction*>("Act_Startseite")->trigger();
  EXPECT_EQ(viewer.CurrentPage(), "/Welcome.Doc.htm");
  EXPECT_FALSE(viewer.ShowTopic("Fehlt.htm"));
  ASSERT_TRUE(back->isEnabled());
  back->trigger();
  EXPECT_EQ(viewer.CurrentPage(), "/Welcome.Doc.htm");
  EXPECT_TRUE(browser->toPlainText().contains("Willkommen"));
}

TEST(HelpViewer, ContentsAndIndexShowTheSitemaps) {
  // Names are shown with their character references decoded; a keyword that occurs twice
  // shows its topic; choosing an item opens its page, and the search field finds keywords.
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string chm = CompileHelpProject(tmp / "out/", SampleHelpProject());
  THelpViewer viewer;
  ASSERT_TRUE(viewer.OpenFile(Q(chm)));
  auto* tree = viewer.findChild<QTreeWidget*>("Tree_Inhalt");
  auto* list = viewer.findChild<QListWidget*>("Lst_Index");
  auto* search = viewer.findChild<QLineEdit*>("Edt_Suche");
  ASSERT_TRUE(tree && list && search);

  EXPECT_EQ(TreeLines(tree), QStringList({
                                 "Bedienung",
                                 "  Ganz unten -> Main.Doc.htm#unten",
                                 "  Hauptfenster -> Main.Doc.htm#haupt",
                                 QString::fromUtf8("  Menü und Optionen -> Setup.Doc.htm#opt"),
                                 "Erste Schritte",
                                 "  Willkommen -> Welcome.Doc.htm#top",
                             }));
  EXPECT_EQ(ListLines(list), QStringList({
                                 "Fenster",
                                 QString::fromUtf8("Maß & Zahl"),
                                 QString::fromUtf8("Optionen – Hauptfenster"),
                                 QString::fromUtf8("Optionen – Menü und Optionen"),
                             }));

  emit tree->itemActivated(tree->topLevelItem(0)->child(2), 0);
  EXPECT_EQ(viewer.CurrentPage(), "/Setup.Doc.htm");
  EXPECT_EQ(viewer.Browser()->source().fragment(), "opt");

  QTest::keyClicks(search, "opt");
  ASSERT_NE(list->currentItem(), nullptr);
  EXPECT_EQ(list->currentRow(), 2);
  QTest::keyClick(search, Qt::Key_Return);
  EXPECT_EQ(viewer.CurrentPage(), "/Main.Doc.htm");
  EXPECT_EQ(viewer.Browser()->source().fragment(), "haupt");
  // The page shown is marked in the contents: the item of its anchor, and without an anchor
  // the item whose anchor comes first on the page.
  EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0)->child(1));
  ASSERT_TRUE(viewer.ShowTopic("Main.Doc.htm#unten"));
  EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0)->child(0));
  ASSERT_TRUE(viewer.ShowContext(101));
  EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0)->child(1));
}

TEST(HelpViewer, NamesWhatItCannotShow) {
  // A missing file, a page not in the file and a number not mapped each give one message
  // naming them, in place of a page.
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string chm = CompileHelpProject(tmp / "out/", SampleHelpProject());
  THelpViewer viewer;

  EXPECT_FALSE(viewer.OpenFile(Q(tmp / "Fehlt.chm")));
  EXPECT_EQ(viewer.Message(),
            Q("Die Hilfedatei " + (tmp / "Fehlt.chm") + " wurde nicht gefunden."));
  EXPECT_TRUE(viewer.Browser()->toPlainText().contains(viewer.Message()));
  EXPECT_FALSE(viewer.ShowContext(101));

  EXPECT_FALSE(viewer.OpenFile(Q(tmp.path())));
  EXPECT_EQ(viewer.Message(), Q("Die Hilfedatei " + tmp.path() +
                                " kann nicht geöffnet werden: das ist ein Ordner, keine Datei."));
  ASSERT_EQ(mkfifo((tmp / "Rohr.chm").c_str(), 0644), 0);
  EXPECT_FALSE(viewer.OpenFile(Q(tmp / "Rohr.chm")));
  EXPECT_EQ(viewer.Message(),
            Q("Die Hilfedatei " + (tmp / "Rohr.chm") +
              " kann nicht geöffnet werden: das ist keine gewöhnliche Datei, sondern eine Named "
              "Pipe."));

  ASSERT_TRUE(viewer.OpenFile(Q(chm)));
  EXPECT_FALSE(viewer.ShowTopic("Fehlt.Doc.htm"));
  EXPECT_EQ(viewer.Message(),
            Q("Die Seite Fehlt.Doc.htm ist in der Hilfedatei " + chm + " nicht enthalten."));
  EXPECT_TRUE(viewer.CurrentPage().isEmpty());
  EXPECT_FALSE(viewer.ShowContext(999));
  EXPECT_EQ(viewer.Message(),
            Q("Die Kontextnummer 999 ist in der Hilfedatei " + chm + " keiner Seite zugeordnet."));
  EXPECT_TRUE(viewer.Browser()->toPlainText().contains(viewer.Message()));
  EXPECT_TRUE(viewer.ShowContext(101));
  EXPECT_TRUE(viewer.Message().isEmpty());
}

TEST(HelpViewer, DamagedFilesGiveAMessageAndNoCrash) {
  // Garbage, an empty file, every kind of truncation and overwritten bytes: the viewer
  // shows a page or a message for every request and never reads out of bounds.
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string chm = CompileHelpProject(tmp / "out/", SampleHelpProject());
  const std::string bytes = ReadFile(chm);
  const std::string damagedText = " ist keine lesbare kompilierte Hilfedatei: sie ist "
                                  "beschädigt, unvollständig oder hat ein anderes Format.";
  THelpViewer viewer;

  const std::string garbage = tmp / "Garbage.chm";
  WriteFile(garbage, "ITSF kein Hilfeformat\r\n" + std::string(3000, '\x7F'));
  EXPECT_FALSE(viewer.OpenFile(Q(garbage)));
  EXPECT_EQ(viewer.Message(), Q("Die Datei " + garbage + damagedText));
  const std::string empty = tmp / "Empty.chm";
  WriteFile(empty, "");
  EXPECT_FALSE(viewer.OpenFile(Q(empty)));
  EXPECT_EQ(viewer.Message(), Q("Die Datei " + empty + damagedText));

  std::vector<std::string> variants;
  for (size_t length : {size_t{1}, size_t{40}, size_t{100}, bytes.size() / 4, bytes.size() / 2,
                        bytes.size() * 3 / 4, bytes.size() - 100, bytes.size() - 1}) {
    variants.push_back(bytes.substr(0, length));
  }
  for (size_t at = 0; at < bytes.size(); at += bytes.size() / 16) {
    std::string changed = bytes;
    for (size_t i = at; i < std::min(at + 64, changed.size()); ++i) {
      changed[i] = static_cast<char>(0xFF - static_cast<unsigned char>(changed[i]));
    }
    variants.push_back(changed);
  }
  for (size_t i = 0; i < variants.size(); ++i) {
    const std::string path = tmp / ("Damaged" + std::to_string(i) + ".chm");
    WriteFile(path, variants[i]);
    if (!viewer.OpenFile(Q(path))) {
      EXPECT_EQ(viewer.Message(), Q("Die Datei " + path + damagedText)) << i;
      continue;
    }
    const std::function<bool()> requests[] = {
        [&] { return viewer.ShowStartPage(); }, [&] { return viewer.ShowTopic("Main.Doc.htm"); },
        [&] { return viewer.ShowContext(102); },
        [&] { return viewer.ShowTopic("Setup.Doc.htm#opt"); }};
    for (const auto& request : requests) {
      const bool shown = request();
      EXPECT_NE(shown, !viewer.Message().isEmpty()) << i;
    }
  }
}

TEST(HelpViewer, SharedWindowServesTheHelpGateway) {
  // The calls the help gateway makes: a file text with a window type, a topic or a number, all
  // in one window that keeps its history while the file stays the same.
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string chm = CompileHelpProject(tmp / "out/", SampleHelpProject());
  ShowHelp(Q(chm + ">main"), "Main.Doc.htm");
  THelpViewer* viewer = &SharedHelpViewer();
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->CurrentPage(), "/Main.Doc.htm");
  ShowHelpContext(Q(chm), 102);
  EXPECT_EQ(&SharedHelpViewer(), viewer);
  EXPECT_EQ(viewer->CurrentPage(), "/Setup.Doc.htm");
  EXPECT_TRUE(viewer->Browser()->isBackwardAvailable());
  ShowHelp(Q(chm + "::/Welcome.Doc.htm"), "");
  EXPECT_EQ(viewer->CurrentPage(), "/Welcome.Doc.htm");
  ShowHelpContext(Q(tmp / "Anders.chm"), 101);
  EXPECT_TRUE(viewer->Message().startsWith("Die Hilfedatei "));

  QPointer<THelpViewer> closed(viewer);
  viewer->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closed.isNull());
}

TEST(HelpViewer, FileWithoutFolderIsLookedForInProgramFolderThenCurrentFolder) {
  TempDir program;
  TempDir current;
  WriteFile(current / "Hilfe.chm", "x");
  HelpFileLocation found = LocateHelpFile("Hilfe.chm", program.path(), current.path());
  EXPECT_TRUE(found.Found);
  EXPECT_EQ(found.Path, current / "Hilfe.chm");
  WriteFile(program / "Hilfe.chm", "x");
  found = LocateHelpFile("Hilfe.chm", program.path(), current.path());
  EXPECT_EQ(found.Path, program / "Hilfe.chm");
  found = LocateHelpFile("Fehlt.chm", program.path(), current.path());
  EXPECT_FALSE(found.Found);
  EXPECT_EQ(found.Searched, (std::vector<std::string>{program.path(), current.path()}));
  // A name with a folder is taken as it stands.
  found = LocateHelpFile("sub/Hilfe.chm", program.path(), current.path());
  EXPECT_FALSE(found.Found);
  EXPECT_TRUE(found.Searched.empty());

  THelpViewer viewer;
  EXPECT_FALSE(viewer.OpenFile("Fehlt-sicher-nirgends.chm"));
  EXPECT_TRUE(viewer.Message().startsWith(
      "Die Hilfedatei Fehlt-sicher-nirgends.chm wurde weder im Programmordner "))
      << viewer.Message().toStdString();
}

TEST(HelpViewer, FullTextSearchDoesNotWaitForTheIndexAndNeverAnswersForAnotherFile) {
  // A search returns at once, saying that the index is being prepared, and the pages are
  // listed once the event loop has run. Another file opened, or the window closed, while a
  // search waits leaves no answer of the old file behind and nothing that crashes.
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string first = CompileHelpProject(tmp / "a/", SampleHelpProject());
  HelpProjectInput other = SampleHelpProject();
  other.Files[0].second = "<HTML><HEAD><TITLE>Andere</TITLE></HEAD><BODY>Gott</BODY></HTML>";
  const std::string second = CompileHelpProject(tmp / "b/", other);
  const QStringList preparing{QString::fromUtf8("Suche wird vorbereitet \xE2\x80\xA6")};

  auto viewer = std::make_unique<THelpViewer>();
  auto* tab = viewer->findChild<THelpSearchTab*>();
  auto* list = viewer->findChild<QListWidget*>("Lst_Treffer");
  ASSERT_TRUE(viewer->OpenFile(Q(first)));
  viewer->SearchFullText("Gott");
  EXPECT_EQ(ListLines(list), preparing);
  ASSERT_TRUE(viewer->OpenFile(Q(second)));
  QCoreApplication::processEvents();
  EXPECT_EQ(ListLines(list), QStringList());
  viewer->SearchFullText("GOTT");
  EXPECT_EQ(ListLines(list), preparing);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !tab->Waiting(); }));
  EXPECT_EQ(ListLines(list), QStringList{"Andere"});
  viewer->SearchFullText("Gott"); // answered at once now
  EXPECT_EQ(ListLines(list), QStringList{"Andere"});

  ASSERT_TRUE(viewer->OpenFile(Q(first)));
  viewer->SearchFullText("Gott");
  viewer.reset();
  QCoreApplication::processEvents();
}
