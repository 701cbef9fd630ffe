#include "gui/WindowState.h"

#include "desktop/FormStorage.h"
#include "desktop/FormStorageTexts.h"
#include "gui/ErrorBox.h"

#include <QWidget>

namespace qm::ui {

TFormStorage* CreateFormStorage(QWidget* form, const char* section,
                                const QStringList& storedProps) {
  auto* storage = new TFormStorage(form);
  storage->setObjectName(QStringLiteral("FormStorage1"));
  storage->SetIniFileName(QString::fromUtf8(kFormStorageKey));
  storage->SetIniSection(QString::fromUtf8(section));
  storage->SetStoredProps(storedProps);
  QObject::connect(storage, &TFormPlacement::OnError, form,
                   [form](const FormStorageError& error) { ShowErrorBox(form, error.Message()); });
  return storage;
}

} // namespace qm::ui
