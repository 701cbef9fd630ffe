#include "desktop/MessageDialog.h"
#include "desktop/HelpRequests.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace qm;

namespace {

MessageRequest Question() {
  MessageRequest request;
  request.Kind = MessageKind::Confirmation;
  request.Text = QStringLiteral("a.qmpr besteht bereits.\nMöchten Sie sie ersetzen?");
  request.Buttons = MessageButton::Yes | MessageButton::No | MessageButton::Help;
  request.HelpContext = 103;
  return request;
}

} // namespace

TEST(MessageDialog, ShowsKindTitleAndGermanButtons) {
  // The title comes from the kind unless given; the buttons keep their mnemonics, in order.
  MessageDialog box(nullptr, Question());
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Bestätigung"));
  EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("Text"))->text(), Question().Text);
  QStringList captions;
  for (QPushButton* button : box.findChildren<QPushButton*>()) {
    captions << button->text();
  }
  EXPECT_EQ(captions, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein"),
                                   QStringLiteral("&Hilfe")}));
  EXPECT_EQ(box.Button(MessageButton::Ok), nullptr);

  MessageRequest error;
  error.Kind = MessageKind::Error;
  error.Title = QStringLiteral("Quillmark");
  error.Buttons = MessageButton::Ok | MessageButton::Yes | MessageButton::Cancel;
  MessageDialog errorBox(nullptr, error);
  EXPECT_EQ(errorBox.windowTitle(), QStringLiteral("Quillmark"));
  EXPECT_EQ(errorBox.Button(MessageButton::Cancel)->text(), QStringLiteral("Abbrechen"));
  EXPECT_EQ(errorBox.Button(MessageButton::Ok)->text(), QStringLiteral("OK"));
  EXPECT_EQ(TitleOf(MessageKind::Warning), QStringLiteral("Warnung"));
  EXPECT_EQ(TitleOf(MessageKind::Information), QStringLiteral("Information"));
}

TEST(MessageDialog, HelpAsksForTheBoxContextAndLeavesItOpen) {
  // "&Hilfe" and F1 hand the box's number to the help handler; the box closes only with an
  // answer.
  std::vector<int> requests;
  QWidget owner;
  InstallHelpHandler(&owner, [&](int context) { requests.push_back(context); });
  MessageDialog box(nullptr, Question());
  box.open();
  box.Button(MessageButton::Help)->click();
  QTest::keyClick(&box, Qt::Key_F1);
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(requests, (std::vector<int>{103, 103}));
  box.Button(MessageButton::Yes)->click();
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.Answer(), MessageButton::Yes);
}

TEST(MessageDialog, EscapeAnswersCancelElseNoElseOk) {
  // Escape closes the box with its cancel answer.
  MessageDialog box(nullptr, Question());
  box.open();
  QTest::keyClick(&box, Qt::Key_Escape);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.Answer(), MessageButton::No);
  EXPECT_EQ(EscapeAnswer(MessageButton::Yes | MessageButton::Cancel | MessageButton::Help),
            MessageButton::Cancel);
  EXPECT_EQ(EscapeAnswer(MessageButton::Ok | MessageButton::Help), MessageButton::Ok);
}
