// The program's error box for a failure that ends a command: titled with the program's name,
// the error icon and "OK". Every window shows such failures through it.
#pragma once

#include "base/Error.h"
#include "desktop/QtText.h"

#include <QString>

#include <exception>
#include <new>

class QWidget;

namespace qm::ui {

/// Shows message in the error box over parent (over no window when parent is hidden).
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
