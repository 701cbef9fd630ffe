#include "desktop/HtmlHelpGateway.h"
#include "desktop/HelpRequests.h"
#include "desktop/SupportTexts.h"

#include "ScriptedDialogs.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace qm;
using qmtest::HelpRecorder;

TEST(HtmlHelpGateway, RequestsNameTheFileWithItsWindowType) {
  // Topics and context numbers go to the viewer with ChmFile, followed by ">" + WindowType
  // when one is set; without a ChmFile the topic itself is the file.
  HelpRecorder viewer;
  THtmlHelpGateway help;
  help.SetChmFile(QStringLiteral("Quillmark.Doc.chm"));
  help.DisplayTopic(QStringLiteral("Help.Doc.htm"));
  help.SetWindowType(QStringLiteral("main"));
  help.DisplayContext(101);
  help.SetChmFile(QString());
  help.DisplayTopic(QStringLiteral("Help.Doc.htm"));
  help.DisplayContext(7);

  ASSERT_EQ(viewer.calls.size(), 4u);
  EXPECT_EQ(viewer.calls[0].file, QStringLiteral("Quillmark.Doc.chm"));
  EXPECT_EQ(viewer.calls[0].command, HH_DISPLAY_TOPIC);
  EXPECT_EQ(std::get<QString>(viewer.calls[0].data), QStringLiteral("Help.Doc.htm"));
  EXPECT_EQ(viewer.calls[1].file, QStringLiteral("Quillmark.Doc.chm>main"));
  EXPECT_EQ(viewer.calls[1].command, HH_HELP_CONTEXT);
  EXPECT_EQ(std::get<std::uint32_t>(viewer.calls[1].data), 101u);
  EXPECT_EQ(viewer.calls[2].file, QStringLiteral("Help.Doc.htm>main"));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(viewer.calls[2].data));
  EXPECT_EQ(viewer.calls[3].file, QStringLiteral(">main"));
}

TEST(HtmlHelpGateway, WithoutAViewerRequestsDoNothing) {
  // An emptied entry point swallows requests: none reaches the viewer that was plugged in
  // before, and none fails.
  HelpRecorder viewer;
  HtmlHelpEntry = nullptr;
  THtmlHelpGateway help;
  help.SetChmFile(QStringLiteral("Quillmark.Doc.chm"));
  help.DisplayContext(101);
  help.DisplayTopic(QStringLiteral("Welcome.Doc.htm"));
  EXPECT_TRUE(viewer.calls.empty());
}

TEST(HelpRequests, F1AsksForTheHelpContextOfTheWindow) {
  // F1 on a control uses the nearest help context up its parents; a window without one lets
  // F1 through.
  QWidget window;
  QWidget* inner = new QWidget(&window);
  SetHelpContext(&window, 301);
  std::vector<int> requests;
  InstallHelpHandler(&window, [&](int context) { requests.push_back(context); });
  QTest::keyClick(inner, Qt::Key_F1);
  QTest::keyClick(&window, Qt::Key_F1);
  QWidget plain;
  QTest::keyClick(&plain, Qt::Key_F1);
  EXPECT_EQ(requests, (std::vector<int>{301, 301}));
  EXPECT_EQ(HelpContextOf(&plain), 0);
}
