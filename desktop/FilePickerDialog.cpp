#include "desktop/FilePickerDialog.h"

#include "desktop/UserDialogs.h"

#include <QWidget>

namespace qm {

FilePickerDialog::FilePickerDialog(QWidget* owner, Kind kind)
    : QObject(owner), owner_(owner), kind_(kind) {}

bool FilePickerDialog::Execute() {
  FileRequest request;
  request.Title = title_;
  request.Filters = filters_;
  request.DefaultSuffix = defaultExt_;
  request.FileName = fileName_;
  request.Directory = initialDir_;
  const std::optional<QString> chosen = kind_ == Kind::Open ? Dialogs().OpenFile(owner_, request)
                                                            : Dialogs().SaveFile(owner_, request);
  if (!chosen || chosen->isEmpty()) {
    return false;
  }
  fileName_ = *chosen;
  return true;
}

} // namespace qm
