// "Zusätzliche Dateien...": the folder whose content every conversion copies.
#include "UiFixture.h"

#include "desktop/HelpRequests.h"
#include "gui/ZusaetzlicheDateien.h"

using namespace qmtest;
using qm::ui::TLex_ZusaetzlicheDateien;

TEST_F(UiTest, ExtraFilesDialogSetsKeepsOrSwitchesOffTheCopy) {
  // With no folder set, "Extra Files/" beside the program is proposed; "&Übernehmen" takes
  // it, so the next conversion copies its content. An emptied edit switches the copy off;
  // "&Abbrechen" and Escape change nothing; the picker puts its folder into the edit.
  WriteFile(root / "src/a.pas", kSource);
  WriteFile(root / "bin/Extra Files/style.css", "body{}");
  std::filesystem::create_directories(root / "out");
  auto window = NewWindow();
  Configure(*window, root / "src", root / "out");
  const auto run = [&](const std::function<void(TLex_ZusaetzlicheDateien&)>& action) {
    WithModal<TLex_ZusaetzlicheDateien>(
        [&] { Find<QAction>(*window, "ZustzlicheDateien1")->trigger(); }, action);
  };

  run([&](TLex_ZusaetzlicheDateien& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pfad zu zusätzlichen Dateien angeben"));
    EXPECT_EQ(qm::HelpContextOf(&dialog), 801);
    ExpectCentred(dialog, *window);
    EXPECT_EQ(Find<QLineEdit>(dialog, "Edt_Pfad")->text(),
              QString::fromStdString(root / "bin/Extra Files/"));
    QTest::keyClick(Find<QLineEdit>(dialog, "Edt_Pfad"), Qt::Key_Return);
  });
  EXPECT_EQ(window->Model().Settings().ExtraFilesFolder, root / "bin/Extra Files/");
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_EQ(ReadFile(root / "out/style.css"), "body{}");

  run([&](TLex_ZusaetzlicheDateien& dialog) {
    Find<QLineEdit>(dialog, "Edt_Pfad")->clear();
    Click(dialog, "BitBtn1");
  });
  EXPECT_EQ(window->Model().Settings().ExtraFilesFolder, "");
  std::filesystem::remove(root / "out/style.css");
  Convert(*window, [&] { window->OnConvert(); });
  EXPECT_FALSE(Exists(root / "out/style.css"));
  EXPECT_EQ(ReadFile(root / "out/a.Doc.htm"), kPage);

  dialogs.folders = {QString::fromStdString(root / "woanders")};
  run([&](TLex_ZusaetzlicheDateien& dialog) {
    Click(dialog, "Btn_Pfad");
    EXPECT_EQ(Find<QLineEdit>(dialog, "Edt_Pfad")->text(),
              QString::fromStdString(root / "woanders"));
    Click(dialog, "BitBtn2");
  });
  run([&](TLex_ZusaetzlicheDateien& dialog) {
    Find<QLineEdit>(dialog, "Edt_Pfad")->setText(QStringLiteral("/x"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  EXPECT_EQ(window->Model().Settings().ExtraFilesFolder, "");
  ASSERT_EQ(dialogs.folderRequests.size(), 1u);
  EXPECT_EQ(dialogs.folderRequests[0].first,
            QStringLiteral("Wählen Sie den Ordner in dem sich die Dateien befinden"));
  EXPECT_EQ(dialogs.folderRequests[0].second, QStringLiteral("/"));
  EXPECT_TRUE(dialogs.messages.empty());
}
