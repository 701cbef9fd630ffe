// The form storage of a window: its placement (TFormPlacement) and the values of named
// properties of its controls, kept between program runs.
#pragma once

#include "desktop/FormPlacement.h"

#include <QStringList>

#include <vector>

namespace qm {

/// A TFormPlacement that also saves and restores the properties that StoredProps names.
///
/// Each item of StoredProps is "Component.Property": it is split at its first ".", both parts
/// are trimmed and must not be empty. Component is the objectName of a descendant of the window,
/// Property one of its properties, declared (Q_PROPERTY) or dynamic; both compare without
/// regard to case. A QPlainTextEdit also offers the property "Lines": its text as a list of
/// lines. Items are resolved again before each save and restore; an item that does not resolve
/// is dropped from the list.
///
/// The value name is the control's objectName, "_" and the property's name with its first
/// letter in upper case (Edt_Eingabepfad_Text, chkUnterordner_Checked, OpenDialog1_FileName),
/// whatever case the item uses. By the property's type:
/// - QString: saved without leading and trailing blanks and control characters (also when
///   empty); restored trimmed the same way.
/// - bool: saved as "True" or "False"; restored only from one of these, in any letter case.
/// - QStringList: in the group section + "." + value name, which is removed first; if the list
///   has lines, "Count" and one value "Item0", "Item1", ... per line, untrimmed. Restored only
///   when "Count" is a number above 0: that many lines (a missing one is empty) replace the
///   list. Count is limited to the values the group holds, so a damaged Count cannot make the
///   window build millions of empty lines.
/// - integers: decimal text; restored as the number, 0 when the text is none.
/// Other types are not stored. A missing value, or one that is not a string, leaves the
/// property as it is.
class TFormStorage : public TFormPlacement {
  Q_OBJECT
  Q_PROPERTY(QStringList StoredProps READ StoredProps WRITE SetStoredProps)

public:
  explicit TFormStorage(QWidget* form);

  QStringList StoredProps() const { return storedProps_; }
  void SetStoredProps(const QStringList& items) { storedProps_ = items; }

protected:
  void SaveProps(QSettings& settings, const QString& section) override;
  void RestoreProps(QSettings& settings, const QString& section) override;

private:
  struct Property;
  std::vector<Property> Resolve();

  QStringList storedProps_;
};

} // namespace qm
