#include "gui/FieldText.h"

#include "desktop/QtText.h"
#include "gui/UiTexts.h"

#include <QLineEdit>

#include <optional>

namespace qm::ui {

std::string FieldText(QLineEdit& edit, const char* field) {
  const QString text = edit.text();
  if (const std::optional<QStringView> bad = FirstNonAnsi(text)) {
    edit.setCursorPosition(static_cast<int>(bad->data() - text.data()));
    const QString code =
        QStringLiteral("%1").arg(static_cast<unsigned>(CodePointOf(*bad)), 4, 16, QLatin1Char('0'));
    throw InputRefused(
        UiText(kMsgFieldNotAnsi).arg(bad->toString(), code.toUpper(), UiText(field)).toStdString());
  }
  return ToAnsi(text);
}

} // namespace qm::ui
