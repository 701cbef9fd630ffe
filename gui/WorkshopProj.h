// The Help Workshop dialog: the fifteen help-project values, and the run that turns what the
// last conversion collected into Help Workshop input files in the output folder. Created once
// with the main window; closing hides it, so its values stay for the whole program run.
#pragma once

#include "helpproject/HelpProjectSettings.h"
#include "project/ProjectModel.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace qm {
class FilePickerDialog;
class TFormStorage;
} // namespace qm

namespace qm::ui {

class SettingsView;

/// The text a choice button puts into a default-page edit for the file chosen: its path
/// relative to outputFolder when it lies inside that folder ("Main.Doc.htm", "sub/A.htm"), the
/// path as chosen otherwise. A help compiler takes the default page relative to the project
/// file, which is written into the output folder.
QString DefaultPageText(const QString& chosen, const QString& outputFolder);

class TLex_WorkshopProj : public QDialog {
  Q_OBJECT

public:
  /// The dialog over owner that shows and edits the help-project values of model, which must
  /// outlive it, and builds the help project of the model's last conversion.
  TLex_WorkshopProj(QWidget* owner, ProjectModel& model);
  ~TLex_WorkshopProj() override;

  /// OK: writes the help project. Stays open when no conversion ran yet or writing the
  /// projects failed; closes once the projects are written, also when a later file fails.
  void OnBuildHelpProject();
  /// The choice buttons of the two default pages.
  void OnChooseTechDefaultPage();
  void OnChooseDocDefaultPage();

  /// Showing the dialog while a project file is open keeps the project's values: the form
  /// storage restores (and so counts as restored) but PrepareShowing puts them back.
  void setVisible(bool visible) override;

signals:
  /// A run of OK is over: status is the summary line of the conversion it built from, with
  /// the help project's warnings counted in, or the message of the failure that ended it.
  void RunEnded(const QString& status);

protected:
  void showEvent(QShowEvent* event) override;

private:
  /// What the fifteen controls hold, as they stand.
  struct ControlState {
    QStringList texts;
    QList<bool> ticks;
  };

  /// The dialog's edits and check boxes with the help-project value each shows.
  struct TextControl {
    QLineEdit* edit;
    std::string HelpProjectSettings::*value;
    TextField field;
    const char* caption; ///< names the field when its text is refused
  };
  struct FlagControl {
    QCheckBox* box;
    bool HelpProjectSettings::*value;
  };

  void BindControls();
  /// After the form storage restored: keeps a project's values, decides whether this
  /// showing's values are stored, and centres the dialog.
  void PrepareShowing();
  /// As high as the groups need, or as the screen allows: then the groups scroll.
  void FitToScreen();
  std::array<TextControl, 4> Texts() const;
  std::array<FlagControl, 11> Flags() const;
  ControlState State() const;
  void SetState(const ControlState& state);
  void ChooseDefaultPage(QLineEdit* edit);

  ProjectModel& model_;
  std::unique_ptr<SettingsView> view_;
  TFormStorage* formStorage_;
  /// The project's values while a showing's restore would replace them.
  std::optional<ControlState> projectValues_;
  FilePickerDialog* pageDialog_;
  QScrollArea* scroll_;

  QLineEdit* titleEdit_;
  QCheckBox* techHelpBox_;
  QLineEdit* techPageEdit_;
  QCheckBox* techTocBox_;
  QCheckBox* techIndexBox_;
  QCheckBox* docHelpBox_;
  QLineEdit* docPageEdit_;
  QCheckBox* docTocBox_;
  QCheckBox* docIndexBox_;
  QCheckBox* cMapBox_;
  QCheckBox* pascalMapBox_;
  QCheckBox* javaMapBox_;
  QLineEdit* languageEdit_;
  QCheckBox* aliasBox_;
  QCheckBox* webHelpBox_;
};

} // namespace qm::ui
