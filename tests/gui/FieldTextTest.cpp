// Texts typed into the windows' fields become Windows-1252 text on their way to the core. A
// character that Windows-1252 lacks is refused with a message naming the field, instead of
// silently turning into "?"; the command writes nothing.
#include "UiFixture.h"

#include "gui/WorkshopProj.h"
#include "gui/ZusaetzlicheDateien.h"

using namespace qmtest;
using qm::MessageKind;
using qm::ui::TLex_ZusaetzlicheDateien;

namespace {

std::string Refusal(const std::string& character, const std::string& code,
                    const std::string& field) {
  return "Das Zeichen \"" + character + "\" (U+" + code + ") im Feld \"" + field +
         "\" gibt es in Windows-1252 nicht;\nQuillmark kann diese Angabe deshalb nicht "
         "verwenden.\nBitte ersetzen Sie das Zeichen.";
}

} // namespace

TEST_F(UiTest, FieldTextsWindows1252CannotHoldAreRefusedNamingTheField) {
  // The conversion refuses its output folder (the cursor goes to the character) and creates
  // nothing; a save refuses a help-project value, even one beyond the BMP, writes no file and
  // keeps no project as the current one; umlauts and the euro sign pass.
  WriteFile(root / "src/a.pas", kSource);
  auto window = NewWindow();
  window->show();
  Configure(*window, root / "src", root / "aus\u03A9gabe");
  Find<QAction>(*window, "HTMLAusgabegenerieren1")->trigger();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].Kind, MessageKind::Error);
  EXPECT_EQ(dialogs.Texts()[0], Refusal("\u03A9", "03A9", "Ausgabepfad"));
  EXPECT_EQ(Find<QLineEdit>(*window, "Edt_Ausgabepfad")->cursorPosition(),
            static_cast<int>(QString::fromStdString(root / "aus").size()));
  EXPECT_FALSE(Exists(root / "aus\u03A9gabe"));
  EXPECT_TRUE(CommandEnabled(*window, "HTMLAusgabegenerieren1"));

  Find<QLineEdit>(*window, "Edt_Ausgabepfad")->setText(QString::fromStdString(root / "out"));
  window->WorkshopDialog()->findChild<QLineEdit*>("Titel")->setText(
      "Gr\u00FC\u00DFe \u20AC \U0001F600");
  dialogs.files = {QString::fromStdString(root / "p.qmpr")};
  Find<QAction>(*window, "Speichernunter1")->trigger();
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.Texts()[1], Refusal("\U0001F600", "1F600", "Titel der Ausgabedatei"));
  EXPECT_FALSE(Exists(root / "p.qmpr"));
  EXPECT_EQ(window->Model().CurrentProjectFile(), "");

  window->WorkshopDialog()->findChild<QLineEdit*>("Titel")->setText("Gr\u00FC\u00DFe \u20AC");
  dialogs.files = {QString::fromStdString(root / "p.qmpr")};
  window->OnSaveProject();
  EXPECT_NE(ReadFile(root / "p.qmpr")
                .find("Titel=Gr\xFC\xDF"
                      "e \x80\r\n"),
            std::string::npos);
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(UiTest, ExtraFilesDialogStaysOpenOnAFolderWindows1252CannotHold) {
  auto window = NewWindow();
  window->show();
  WithModal<TLex_ZusaetzlicheDateien>(
      [&] { window->OnEditExtraFilesFolder(); },
      [&](TLex_ZusaetzlicheDateien& dialog) {
        Find<QLineEdit>(dialog, "Edt_Pfad")->setText(QStringLiteral("/bilder/\u0142"));
        Click(dialog, "BitBtn1");
        EXPECT_TRUE(dialog.isVisible());
        Find<QLineEdit>(dialog, "Edt_Pfad")->setText(QStringLiteral("/bilder/\u00E4"));
        Click(dialog, "BitBtn1");
      });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.Texts()[0], Refusal("\u0142", "0142", "Ordner der zusätzlichen Dateien"));
  EXPECT_EQ(window->Model().Settings().ExtraFilesFolder, "/bilder/\xE4");
}
