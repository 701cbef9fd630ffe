// The main window's check boxes of the source kinds: where they stand, what they say, what the
// window stores of them, and that a kind added to the table gets its box.
#include "UiFixture.h"

#include "desktop/FormStorage.h"
#include "engine/NineKinds.h"
#include "gui/SourceKindBoxes.h"

#include <QGridLayout>

using namespace qmtest;

namespace {

/// "row,column name caption" of every check box of layout.
QStringList GridOf(const QGridLayout& layout) {
  QStringList cells;
  for (int i = 0; i < layout.count(); ++i) {
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    layout.getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
    const QWidget* box = layout.itemAt(i)->widget();
    cells << QStringLiteral("%1,%2 %3 %4")
                 .arg(row)
                 .arg(column)
                 .arg(box->objectName(), box->property("text").toString());
  }
  return cells;
}

} // namespace

TEST_F(UiTest, KindBoxesStandInTwoColumnsAndAreStoredInTheirOwnOrder) {
  auto window = NewWindow();
  const QCheckBox* pascal = Find<QCheckBox>(*window, "optPascal");
  const QGridLayout* grid = nullptr;
  for (const QGridLayout* layout : window->findChildren<QGridLayout*>()) {
    if (layout->indexOf(pascal) >= 0) {
      grid = layout;
    }
  }
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(GridOf(*grid), (QStringList{
                               "0,0 optPascal Pascal-Quelle (*.pas;*.p;*.dpr;*.bpg;*.dpk)",
                               "1,0 optC C/C++-Quelle (*.c;*.cpp;*.h;*.hpp)",
                               "2,0 optJava Java-Quelle (*.java)",
                               "3,0 optInstallShield Installshield-Quelle (*.rul;*.h);",
                               "0,1 optBasic Basic-Quelle (*.bas)",
                               "1,1 optSQL SQL-Quelle (*.sql)",
                               "2,1 optAssembler Assembler-Quelle (*.asm)",
                               "3,1 optHTML HTML-Quelle (*.htm;*.html)",
                           }));
  EXPECT_EQ(pascal->toolTip(), QStringLiteral("Wählen Sie die gewünschten Eingabe-Dateitypen aus"));
  EXPECT_EQ(Find<qm::TFormStorage>(*window, "FormStorage1")->StoredProps(),
            (QStringList{"Edt_Ausgabepfad.Text", "Edt_Eingabepfad.Text", "chkUnterordner.Checked",
                         "optAssembler.Checked", "optBasic.Checked", "optC.Checked",
                         "optHTML.Checked", "optJava.Checked", "optPascal.Checked",
                         "optSQL.Checked", "optInstallShield.Checked", "optOEM.Checked",
                         "optEigeneDateien.Checked", "cmbQuellkodierung.CurrentIndex"}));
}

TEST_F(UiTest, ANinthKindGetsItsBoxAtTheFootOfTheRightColumn) {
  // Nine boxes take five rows: the left column one more than the right.
  QWidget parent;
  auto* grid = new QGridLayout(&parent);
  qm::ui::SourceKindBoxes boxes(&parent, grid, kNineKinds);
  const QStringList cells = GridOf(*grid);
  ASSERT_EQ(cells.size(), 9);
  EXPECT_EQ(cells[4], QStringLiteral("4,0 optBasic Basic-Quelle (*.bas)"));
  EXPECT_EQ(cells[8], QStringLiteral("3,1 optCobol COBOL-Quelle (*.cob;*.cbl)"));

  boxes.Tick({qm::SourceKind::Java, kCobol});
  EXPECT_TRUE(Find<QCheckBox>(parent, "optCobol")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>(parent, "optPascal")->isChecked());
  EXPECT_EQ(boxes.Ticked(), (qm::SourceKindSet{qm::SourceKind::Java, kCobol}));
}
