#include "desktop/DirectoryPickerDialog.h"

#include "desktop/SupportTexts.h"
#include "desktop/UserDialogs.h"

#include <QStandardPaths>
#include <QWidget>

namespace qm {

DirectoryPickerDialog::DirectoryPickerDialog(QWidget* owner)
    : QObject(owner), owner_(owner), root_(QString::fromUtf8(kPickerRoot)) {}

bool DirectoryPickerDialog::Execute() {
  directory_.clear();
  const QString start =
      root_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) : root_;
  const std::optional<QString> chosen = Dialogs().PickFolder(owner_, title_, start);
  if (!chosen || chosen->isEmpty()) {
    return false;
  }
  directory_ = *chosen;
  return true;
}

} // namespace qm
