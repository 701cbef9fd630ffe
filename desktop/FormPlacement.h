// Keeps a window's position and show state between program runs in the user's settings
// (QSettings; the registry on Windows, an INI file elsewhere), and is the base of TFormStorage,
// which adds the values of named controls.
#pragma once

#include <QObject>
#include <QSettings>
#include <QString>

class QWidget;

namespace qm {

/// A restore or save that failed: what was done, the settings file, and why (QSettings'
/// AccessError or FormatError).
struct FormStorageError {
  enum class Operation { Restore, Save };
  Operation Failed;
  QString File;
  QSettings::Status Reason;

  /// The German message naming the file and the reason.
  QString Message() const;
};

/// Restores a window's placement when the window is shown and saves it when the window closes
/// or is destroyed. All values are strings in one group (IniSection) of the settings that
/// IniFileName names; see FormPlacement.cpp for how Qt's geometry and window state map onto the
/// stored values.
///
/// How a window uses it: create it as a child of the window in the window's constructor,
/// configure it, and call FormDestroy() first thing in the window's destructor:
///
///   formStorage_ = new TFormStorage(this);
///   formStorage_->SetIniFileName(kFormStorageKey);
///   formStorage_->SetIniSection(kSectionEditor);
///   formStorage_->SetStoredProps({"Content.Lines", "OpenDialog1.FileName"});
///   ...
///   TLex_HTMLEditor::~TLex_HTMLEditor() { formStorage_->FormDestroy(); }
///
/// Nothing else is needed; the component watches the window's events:
/// - Show (not the spontaneous one of un-minimizing): if Active, it restores, before the
///   window's own showEvent runs. So the window's show handling sees the restored values and
///   may overwrite them, and may switch Active for the coming close.
/// - Hide after an accepted close (close(), the close box, QDialog::accept/reject/done): if
///   Active, it saves, after the window's closeEvent agreed; a refused close saves nothing.
///   Any other explicit hide() of the window counts as a close too.
/// - FormDestroy(): if Active and nothing was saved since the last restore, it saves with the
///   destroying flag set ("Visible" "1"), then lets go of the window.
/// A quit command that should save its window as destroyed ends the event loop with
/// QCoreApplication::exit(), which closes no window, and lets main() destroy the window.
/// (QCoreApplication::quit() closes every window first, which saves them as closed.)
///
/// Save does nothing while Active and nothing was restored yet: a window that was never shown
/// is never saved. Restore and save errors (an unreadable, unwritable or malformed settings
/// file) are announced through OnError and stop that restore or save; a restore that failed
/// does not count as one, so the file is not overwritten. Missing values, values of another
/// kind than a string and malformed numbers raise no error: they leave the window as it is.
class TFormPlacement : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Active READ Active WRITE SetActive)
  Q_PROPERTY(QString IniFileName READ IniFileName WRITE SetIniFileName)
  Q_PROPERTY(QString IniSection READ IniSection WRITE SetIniSection)
  Q_PROPERTY(int Version READ Version WRITE SetVersion)
  Q_PROPERTY(TPlacementOptions Options READ Options WRITE SetOptions)

public:
  enum TPlacementOption {
    fpState = 0x1,        ///< restore the show state (normal, minimized, maximized)
    fpPosition = 0x2,     ///< restore the position (and the size of a sizeable window)
    fpActiveControl = 0x4 ///< save and restore the focused control ("ActiveControl")
  };
  Q_DECLARE_FLAGS(TPlacementOptions, TPlacementOption)
  Q_FLAG(TPlacementOptions)

  /// Binds to form, a top-level window, as its child.
  explicit TFormPlacement(QWidget* form);

  /// Whether the component restores and saves at all [true].
  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }
  /// The settings' path: its last part is the application, the part before it the
  /// organisation; a first part "Software" is left to QSettings, which adds it on Windows.
  /// Empty: the application's own organisation and application names.
  QString IniFileName() const { return iniFileName_; }
  void SetIniFileName(const QString& name) { iniFileName_ = name; }
  /// The group of this window's values [empty: the window's class name].
  QString IniSection() const { return iniSection_; }
  void SetIniSection(const QString& section) { iniSection_ = section; }
  /// Stored values count only when their stored "FormVersion" is at least this [0].
  int Version() const { return version_; }
  void SetVersion(int version) { version_ = version; }
  /// [fpState | fpPosition]
  TPlacementOptions Options() const { return options_; }
  void SetOptions(TPlacementOptions options) { options_ = options; }

  /// Reads the stored state into the window. Clears the saved flag; sets the restored flag
  /// unless the settings could not be read.
  void Restore();
  /// Writes the window's state; nothing while Active and nothing was restored yet.
  void Save();
  /// The window is being destroyed: saves as described above and stops watching the window.
  void FormDestroy();

signals:
  void OnRestorePlacement();
  void OnSavePlacement();
  void OnError(const qm::FormStorageError& error);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

  /// The window; null once FormDestroy() ran.
  QWidget* Form() const { return form_; }
  /// Hooks of TFormStorage, called with the settings and the section in use.
  virtual void SaveProps(QSettings& settings, const QString& section);
  virtual void RestoreProps(QSettings& settings, const QString& section);

private:
  QString Section() const;
  void SavePlacement(QSettings& settings, const QString& section) const;
  void RestorePosition(const QSettings& settings, const QString& section);
  void RestoreState(const QSettings& settings, const QString& section);
  void RestoreActiveControl(const QSettings& settings, const QString& section);
  void Fail(FormStorageError::Operation operation, const QSettings& settings);

  QWidget* form_;
  bool active_ = true;
  QString iniFileName_;
  QString iniSection_;
  int version_ = 0;
  TPlacementOptions options_ = TPlacementOptions(fpState | fpPosition);
  bool restored_ = false;
  bool saved_ = false;
  bool destroying_ = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFormPlacement::TPlacementOptions)

} // namespace qm
