// The status line at the bottom of the main window: the word of the last run, until the next
// run or an edit.
#include "UiFixture.h"

#include "gui/WorkshopProj.h"

#include <QLabel>

using namespace qmtest;

TEST_F(UiTest, StatusLineSaysHowEachRunEnded) {
  for (const char* name : {"a", "b", "c"}) {
    WriteFile(root / ("src/" + std::string(name) + ".pas"), kSource);
  }
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");
  EXPECT_EQ(window->StatusText(), "");

  // Finished: the command line's last line, word for word.
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(window->StatusText(),
            "3 Quelle(n) gelesen, 3 Seite(n) geschrieben (davon 0 eigene), 0 Warnung(en)");

  // The help-project run counts its warning in (the project has no title).
  window->WorkshopDialog()->OnBuildHelpProject();
  EXPECT_EQ(window->StatusText(),
            "3 Quelle(n) gelesen, 3 Seite(n) geschrieben (davon 0 eigene), 1 Warnung(en)");

  // Stopped after the first file (the missing output folder makes the run ask first).
  std::filesystem::remove_all(root / "out");
  dialogs.answers = {MessageButton::Yes};
  ConvertCalling(*window, [](qm::ui::TLex_Fortschritt& progress, int position) {
    if (position == 1) {
      Find<QPushButton>(progress, "BitBtn1")->click();
    }
  });
  EXPECT_EQ(window->StatusText(), "Abgebrochen nach 1 von 3 Dateien");

  // An edit makes the word stale.
  Find<QCheckBox>(*window, "optOEM")->setChecked(true);
  EXPECT_EQ(window->StatusText(), "");

  // Failed: the message of the error box, on one line.
  Find<QLineEdit>(*window, "Edt_Eingabepfad")->setText(QString::fromStdString(root / "fehlt"));
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(window->StatusText().toStdString(),
            "Der Eingabeordner " + root / "fehlt" + " existiert nicht.");

  // A long text keeps the window's width: shortened, and whole in the tooltip.
  const int width = window->width();
  auto* label = Find<QLabel>(*window, "Lbl_Status");
  window->show();
  Find<QLineEdit>(*window, "Edt_Eingabepfad")
      ->setText(QString::fromStdString(root / std::string(300, 'x')));
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(window->width(), width);
  EXPECT_LT(label->text().size(), window->StatusText().size());
  EXPECT_EQ(label->toolTip(), window->StatusText());
}

TEST_F(UiTest, AboutBoxShowsTheVersionOfTheBuild) {
  auto window = NewWindow();
  window->OnAbout();
  auto* about = window->findChild<QDialog*>(QStringLiteral("Lex_Info"));
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Find<QLabel>(*about, "Lbl_Version")->text(),
            QStringLiteral("Version ") + QLatin1String(QM_VERSION));
  about->reject();
}
