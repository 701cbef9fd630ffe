// The form storage of the program's windows: each keeps its state between program runs in its
// section of the user's settings (organisation "Pellhardt", application "Quillmark").
#pragma once

#include <QStringList>

class QWidget;

namespace qm {
class TFormStorage;
}

namespace qm::ui {

/// A form storage of form named "FormStorage1", active, that keeps the window's placement and
/// the properties storedProps in section. A settings file that cannot be read or written is
/// named in the error box. form calls FormDestroy() on it first thing in its destructor.
TFormStorage* CreateFormStorage(QWidget* form, const char* section, const QStringList& storedProps);

} // namespace qm::ui
