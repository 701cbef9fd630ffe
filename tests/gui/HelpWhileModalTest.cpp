// The program's help window next to its boxes: usable while a modal box is open, wholly on the
// screen, back where it was left; and each box's "Hilfe" opens a page about that box.
#include "UiFixture.h"

#include "desktop/HelpBrowser.h"
#include "desktop/HelpRequests.h"
#include "desktop/HelpViewer.h"
#include "desktop/MessageDialog.h"
#include "desktop/WindowPlacement.h"
#include "gui/UiTexts.h"
#include "helpproject/HelpTexts.h"

#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>

using namespace qmtest;

namespace {

#ifdef QM_HELP_FILE
constexpr const char* kProgramHelp = QM_HELP_FILE;
#else
constexpr const char* kProgramHelp = nullptr;
#endif

/// The dialog seam with real boxes, each application-modal; whileOpen runs while it is open,
/// then the box is closed with its escape answer.
class ModalBoxes final : public qm::UserDialogs {
public:
  explicit ModalBoxes(std::function<void(qm::MessageDialog&)> whileOpen)
      : whileOpen_(std::move(whileOpen)), previous_(qm::InstallDialogs(this)) {}
  ~ModalBoxes() override { qm::InstallDialogs(previous_); }
  std::optional<QString> OpenFile(QWidget*, const qm::FileRequest&) override { return {}; }
  std::optional<QString> SaveFile(QWidget*, const qm::FileRequest&) override { return {}; }
  std::optional<QString> PickFolder(QWidget*, const QString&, const QString&) override {
    return {};
  }
  MessageButton Message(QWidget* parent, const MessageRequest& request) override {
    qm::MessageDialog box(parent, request);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    whileOpen_(box);
    static_cast<QDialog&>(box).reject();
    return box.Answer();
  }

private:
  std::function<void(qm::MessageDialog&)> whileOpen_;
  qm::UserDialogs* previous_;
};

} // namespace

TEST_F(UiTest, HelpWindowTakesInputWhileTheBoxThatAskedForItIsOpen) {
  if (kProgramHelp == nullptr) {
    GTEST_SKIP() << "chmcmd is not installed: the build made no help file";
  }
  qm::HtmlHelpEntry = qm::ShowInHelpViewer;
  auto window = NewWindow();
  window->show();
  QTest::qWait(1); // the window stands on the screen: the warning comes at once
  int tab = -1;
  QString typed;
  QRect frame;
  ModalBoxes boxes([&](qm::MessageDialog& box) {
    QTest::mouseClick(box.Button(MessageButton::Help), Qt::LeftButton);
    qm::THelpViewer& viewer = qm::SharedHelpViewer();
    // A click on the index tab and keys typed into the search field reach the help window.
    auto* tabs = viewer.findChild<QTabWidget*>(QStringLiteral("Tab_Navigation"));
    QTest::mouseClick(viewer.windowHandle(), Qt::LeftButton, {},
                      tabs->tabBar()->mapTo(&viewer, tabs->tabBar()->tabRect(1).center()));
    tab = tabs->currentIndex();
    auto* search = viewer.findChild<QLineEdit*>(QStringLiteral("Edt_Suche"));
    search->setFocus();
    for (const char key : std::string("ersetz")) {
      QTest::keyClick(viewer.windowHandle(), key);
    }
    typed = search->text();
    frame = qm::FrameOf(&viewer);
    EXPECT_TRUE(box.isVisible());
  });
  Find<QCheckBox>(*window, "optEigeneDateien")->setChecked(true);
  EXPECT_EQ(qm::SharedHelpViewer().CurrentPage(), QStringLiteral("/Hauptfenster.Doc.htm"));
  EXPECT_EQ(tab, 1);
  EXPECT_EQ(typed, QStringLiteral("ersetz"));
  // Wholly on the screen of the request, though designed larger than the test screen.
  EXPECT_TRUE(window->screen()->availableGeometry().contains(frame)) << frame.height();

  // Moved and closed, it comes back where it was left.
  qm::SharedHelpViewer().setGeometry(40, 50, 500, 400);
  const QRect left = qm::SharedHelpViewer().geometry();
  qm::SharedHelpViewer().close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  qm::RequestHelp(qm::ui::kHelpMainWindow);
  EXPECT_EQ(qm::SharedHelpViewer().geometry(), left);

  // Left where no screen is any more, it comes back on the screen of the request.
  qm::SharedHelpViewer().move(5000, 4000);
  qm::SharedHelpViewer().close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  qm::RequestHelp(qm::ui::kHelpMainWindow);
  const QRect back = qm::FrameOf(&qm::SharedHelpViewer());
  EXPECT_TRUE(window->screen()->availableGeometry().contains(back)) << back.x() << ',' << back.y();
  qm::SharedHelpViewer().close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(ProgramHelp, EveryBoxWithHilfeOpensAPageAboutItself) {
  if (kProgramHelp == nullptr) {
    GTEST_SKIP() << "chmcmd is not installed: the build made no help file";
  }
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
  ASSERT_TRUE(viewer.OpenFile(QString::fromUtf8(kProgramHelp)));
  for (const auto& [box, context, word] : boxes) {
    ASSERT_TRUE(viewer.ShowContext(static_cast<std::uint32_t>(context))) << box;
    const QString title = viewer.Browser()->documentTitle();
    EXPECT_TRUE(title.contains(QString::fromUtf8(word), Qt::CaseInsensitive))
        << box << " -> " << context << " -> " << title.toStdString();
  }
}
