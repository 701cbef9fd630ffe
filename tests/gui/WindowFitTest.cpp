// Windows that fit: the Help Workshop dialog on a small screen, the main window when a warning
// comes while it opens, the template editor, and message boxes with long lines.
#include "UiFixture.h"

#include "desktop/MessageDialog.h"
#include "desktop/WindowPlacement.h"
#include "gui/HTMLEditor.h"
#include "gui/WorkshopProj.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>

using namespace qmtest;

TEST(WindowPlacement, KeepOnScreenMovesAFrameOntoA1024x768Screen) {
  const QRect screen(0, 0, 1024, 768);
  const std::pair<QRect, QPoint> cases[] = {
      {{100, 100, 400, 560}, {100, 100}},  // inside: stays
      {{30, -37, 400, 560}, {30, 0}},      // centred over a main window at the top
      {{700, 400, 400, 560}, {624, 208}},  // out at the right and the bottom
      {{-50, 300, 400, 560}, {0, 208}},    // out at the left
      {{10, -10, 400, 900}, {10, 0}},      // taller than the screen: its title bar stays
      {{1100, 900, 400, 300}, {624, 468}}, // beyond the screen altogether
  };
  for (const auto& [frame, placed] : cases) {
    EXPECT_EQ(qm::KeepOnScreen(frame, screen), QRect(placed, frame.size())) << frame.y();
  }
}

TEST_F(UiTest, WorkshopDialogAndMainWindowFitTheScreen) {
  // A tick stored by the last run warns once the main window stands on the screen, at its
  // designed size (also when another was stored); the main window offers no maximize button.
  settings.Seed("[Menue]\nNormPos=0,0,640,480\noptEigeneDateien_Checked=True\n");
  auto window = NewWindow();
  const QSize designed = window->size();
  std::vector<bool> overVisibleWindow;
  dialogs.onMessage = [&](QWidget* parent, const MessageRequest&) {
    overVisibleWindow.push_back(parent == window.get() && window->isVisible());
  };
  window->show();
  EXPECT_TRUE(dialogs.messages.empty()) << "not while the window is being shown";
  QTest::qWait(1);
  EXPECT_EQ(overVisibleWindow, std::vector<bool>{true});
  EXPECT_EQ(window->size(), designed);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

  // Over that window at the top of the test screen (800 x 800) the dialog's frame lies on the
  // screen, no taller than its groups need, its buttons in sight.
  qm::ui::TLex_WorkshopProj* dialog = window->WorkshopDialog();
  dialog->show();
  const QRect frame = qm::FrameOf(dialog);
  EXPECT_TRUE(window->screen()->availableGeometry().contains(frame)) << frame.y();
  EXPECT_TRUE(Find<QPushButton>(*dialog, "BitBtn1")->isVisible());
  EXPECT_LE(Find<QWidget>(*dialog, "ScrollBox1")->height(),
            Find<QWidget>(*dialog, "Groups")->sizeHint().height());
  dialog->hide();
}

TEST_F(UiTest, TemplateEditorGrowsKeepsItsSizeAndShowsTheCursor) {
  auto window = NewWindow();
  window->show();
  window->Model().Edit().Templates[qm::TemplateId::DocPageHeader] = {"<html>", "<head>"};
  QSize grown;
  {
    qm::ui::TLex_HTMLEditor editor(window.get(), window->Model(), qm::TemplateId::DocPageHeader);
    editor.show();
    EXPECT_GE(editor.width(), 417);
    EXPECT_GE(editor.height(), 246);
    auto* content = Find<QPlainTextEdit>(editor, "Content");
    QTextCursor cursor(content->document()->findBlockByNumber(1));
    cursor.setPosition(cursor.position() + 3);
    content->setTextCursor(cursor);
    EXPECT_EQ(Find<QLabel>(editor, "Lbl_Position")->text(), QStringLiteral("Zeile 2, Spalte 4"));

    grown = editor.size() + QSize(200, 150);
    editor.resize(grown);
    editor.close();
  }
  qm::ui::TLex_HTMLEditor again(window.get(), window->Model(), qm::TemplateId::DocPageHeader);
  again.show();
  EXPECT_EQ(again.size(), grown);
  again.close();
}

TEST(MessageDialog, LongLinesWrapWithinEightHundredPixels) {
  qm::MessageRequest request;
  request.Text = QStringLiteral("/home/anna/projekt/src/Kunden/Kundenmanager.pas:12: Warnung: "
                                "Die Kontext-ID 1001 ist schon vergeben ")
                     .repeated(3);
  qm::MessageDialog box(nullptr, request);
  box.show();
  EXPECT_LE(box.width(), 800);
  const auto* text = box.findChild<QLabel*>(QStringLiteral("Text"));
  EXPECT_TRUE(text->wordWrap());
  EXPECT_GE(text->height(), 3 * text->fontMetrics().height());
}
