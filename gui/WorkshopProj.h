// The Help Workshop dialog: the fourteen help-project values, and the run that turns what the
// last conversion collected into Help Workshop input files in the output folder. Created once
// with the main window; closing hides it, so its values stay for the whole program run.
#pragma once

#include "helpproject/HelpProjectSettings.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <array>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace qm {
class FilePickerDialog;
class TFormStorage;
} // namespace qm

namespace qm::ui {

class TLex_Hauptmenue;

/// The text a choice button puts into a default-page edit for the file chosen: its path
/// relative to outputFolder when it lies inside that folder ("Main.Doc.htm", "sub/A.htm"), the
/// path as chosen otherwise. A help compiler takes the default page relative to the project
/// file, which is written into the output folder.
QString DefaultPageText(const QString& chosen, const QString& outputFolder);

class TLex_WorkshopProj : public QDialog {
  Q_OBJECT

public:
  /// The dialog of owner, which supplies the generator, the output folder and the program
  /// folder at the moment of use.
  explicit TLex_WorkshopProj(TLex_Hauptmenue& owner);
  ~TLex_WorkshopProj() override;

  /// The values of the controls (Windows-1252 texts), as a project file keeps them. A text
  /// holding a character that Windows-1252 lacks is refused (InputRefused).
  HelpProjectSettings Values() const;
  void SetValues(const HelpProjectSettings& values);

  /// OK: writes the help project. Stays open when no conversion ran yet or writing the
  /// projects failed; closes once the projects are written, also when a later file fails.
  void BitBtn1Click();
  /// The choice buttons of the two default pages.
  void TechStdDateiBtnClick();
  void DocStdDateiBtnClick();

  /// Showing the dialog while a project file is open keeps the project's values: the form
  /// storage restores (and so counts as restored) but FormShow puts them back.
  void setVisible(bool visible) override;

protected:
  void showEvent(QShowEvent* event) override;

private:
  class RunMessages;
  /// What the fourteen controls hold, as they stand.
  struct ControlState {
    QStringList texts;
    QList<bool> ticks;
  };

  void FormShow();
  std::array<QLineEdit*, 4> Edits() const;
  std::array<QCheckBox*, 10> Boxes() const;
  ControlState State() const;
  void SetState(const ControlState& state);
  void ChooseDefaultPage(QLineEdit* edit);

  TLex_Hauptmenue& owner_;
  TFormStorage* FormStorage1;
  /// The project's values while a showing's restore would replace them.
  std::optional<ControlState> projectValues_;
  FilePickerDialog* FileDialog;

  QLineEdit* Titel;
  QCheckBox* ErzeugeTech;
  QLineEdit* TechStdDatei;
  QToolButton* TechStdDateiBtn;
  QCheckBox* TechErzeugeToc;
  QCheckBox* TechErzeugeIndex;
  QCheckBox* ErzeugeDoc;
  QLineEdit* DocStdDatei;
  QToolButton* DocStdDateiBtn;
  QCheckBox* DocErzeugeToc;
  QCheckBox* DocErzeugeIndex;
  QCheckBox* optCPPMap;
  QCheckBox* optPascalMap;
  QCheckBox* optJavaMap;
  QLineEdit* Sprachstring;
  QCheckBox* optAliasHeader;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
};

} // namespace qm::ui
