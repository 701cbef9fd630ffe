// The status line at the bottom of the main window: the word of the last run, until the next
// run or an edit.
#include "UiFixture.h"

#include "gui/Fortschritt.h"
#include "gui/WorkshopProj.h"

#include <QLabel>
#include <QPushButton>

using namespace qmtest;

namespace {

std::string Status(const qm::ui::TLex_Hauptmenue& window) {
  return window.StatusText().toStdString();
}

} // namespace

TEST_F(UiTest, StatusLineSaysHowEachRunEnded) {
  for (const char* name : {"a", "b", "c"}) {
    WriteFile(root / ("src/" + std::string(name) + ".pas"), kSource);
  }
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");
  EXPECT_EQ(Status(*window), "");

  // Finished: the command line's last line, word for word.
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(Status(*window),
            "3 Quelle(n) gelesen, 3 Seite(n) geschrieben (davon 0 eigene), 0 Warnung(en)");

  // The help-project run counts its warning in (the project has no title).
  window->WorkshopDialog()->OnBuildHelpProject();
  EXPECT_EQ(Status(*window),
            "3 Quelle(n) gelesen, 3 Seite(n) geschrieben (davon 0 eigene), 1 Warnung(en)");

  // Stopped after the first file. The output folder is made after a question, so the run
  // waits for its answer and the handler below is connected before the first file is done;
  // the run then waits at that file until the window has handled it.
  std::filesystem::remove_all(root / "out");
  dialogs.answers = {MessageButton::Yes};
  Convert(*window, [&] {
    window->OnConvert();
    auto* progress = qobject_cast<qm::ui::TLex_Fortschritt*>(window->ProgressWindow());
    ASSERT_NE(progress, nullptr);
    QObject::connect(
        progress, &qm::ui::TLex_Fortschritt::FileDone, progress,
        [progress](int position) {
          if (position == 1) {
            Find<QPushButton>(*progress, "BitBtn1")->click();
          }
        },
        Qt::BlockingQueuedConnection);
  });
  EXPECT_EQ(Status(*window), "Abgebrochen nach 1 von 3 Dateien");

  // An edit makes the word stale.
  Find<QCheckBox>(*window, "optOEM")->setChecked(true);
  EXPECT_EQ(Status(*window), "");

  // Failed: the message of the error box, on one line.
  Find<QLineEdit>(*window, "Edt_Eingabepfad")->setText(QString::fromStdString(root / "fehlt"));
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(Status(*window), "Der Eingabeordner " + root / "fehlt" + " existiert nicht.");

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
