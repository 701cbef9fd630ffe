// A folder chooser as a non-visual component: set Title and Root, call Execute, read
// Directory.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace qm {

class DirectoryPickerDialog : public QObject {
  Q_OBJECT

public:
  /// owner is the window the picker is shown over.
  explicit DirectoryPickerDialog(QWidget* owner);

  /// The text shown with the folder tree.
  QString Title() const { return title_; }
  void SetTitle(const QString& title) { title_ = title; }
  /// The folder the picker starts at ("/" unless set); empty starts at the user's desktop.
  QString Root() const { return root_; }
  void SetRoot(const QString& root) { root_ = root; }
  /// The folder chosen by the last Execute, exactly as the picker reported it; empty after a
  /// cancelled one.
  QString Directory() const { return directory_; }

  /// Shows the picker at Root with nothing preselected. True when the user chose a folder.
  bool Execute();

private:
  QWidget* owner_;
  QString title_;
  QString root_;
  QString directory_;
};

} // namespace qm
