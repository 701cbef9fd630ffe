// The program's error boxes: titled with the program's name, the error icon, "OK" and "&Hilfe".
// Every window shows its failures through them.
#pragma once

#include "base/Error.h"
#include "desktop/QtText.h"
#include "desktop/UserDialogs.h"

#include <QString>

#include <exception>
#include <new>

class QWidget;

namespace qm::ui {

/// An error box with message, whose "&Hilfe" opens helpContext.
MessageRequest ErrorRequest(const QString& message, int helpContext);

/// Shows message in the error box of a failed command over parent (over no window when parent
/// is hidden).
void ShowErrorBox(QWidget* parent, const QString& message);

/// Runs command; an Error or other exception that leaves it is shown in the error box over
/// parent and the program goes on. Returns false when command failed.
template <typename F> bool RunGuarded(QWidget* parent, F command) {
  try {
    command();
    return true;
  } catch (const Error& e) {
    ShowErrorBox(parent, ErrorText(e));
  } catch (const std::bad_alloc&) {
    ShowErrorBox(parent, ErrorText(OutOfMemoryError()));
  } catch (const std::exception& e) {
    ShowErrorBox(parent, QString::fromUtf8(e.what()));
  }
  return false;
}

} // namespace qm::ui
