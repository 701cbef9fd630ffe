// An open or save dialog as a non-visual component: set its title, filters and default
// extension once, call Execute, read FileName. The name chosen last is proposed next time.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace qm {

class FilePickerDialog : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)

public:
  enum class Kind { Open, Save };

  /// owner is the window the dialog is shown over. A save dialog does not ask before
  /// replacing a file.
  FilePickerDialog(QWidget* owner, Kind kind);

  void SetTitle(const QString& title) { title_ = title; }
  /// Entries "Caption (pattern;pattern)", the first one selected.
  void SetFilters(const QStringList& filters) { filters_ = filters; }
  /// Added to a typed name without extension (without the dot).
  void SetDefaultExt(const QString& extension) { defaultExt_ = extension; }
  /// Where the dialog opens while no file name is set.
  void SetInitialDir(const QString& folder) { initialDir_ = folder; }
  /// The file chosen by the last Execute that was not cancelled; proposed by the next one.
  QString FileName() const { return fileName_; }
  void SetFileName(const QString& name) { fileName_ = name; }

  /// Shows the dialog. True when the user chose a file; a cancel keeps FileName.
  bool Execute();

private:
  QWidget* owner_;
  Kind kind_;
  QString title_;
  QStringList filters_;
  QString defaultExt_;
  QString initialDir_;
  QString fileName_;
};

} // namespace qm
