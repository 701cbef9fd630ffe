#include "desktop/HtmlHelpGateway.h"

#include "desktop/SupportTexts.h"

namespace qm {

HtmlHelpFunction HtmlHelpEntry;

THtmlHelpGateway::THtmlHelpGateway(QObject* owner) : QObject(owner) {}

void THtmlHelpGateway::SetParentWindow(QWidget* window) {
  parentWindow_ = window;
  parentHandle_ = window != nullptr ? window->winId() : 0;
}

void THtmlHelpGateway::DisplayTopic(const QString& topic) const {
  if (!chmFile_.isEmpty()) {
    Call(FileText(chmFile_), HH_DISPLAY_TOPIC, topic);
  } else {
    Call(FileText(topic), HH_DISPLAY_TOPIC, std::monostate{});
  }
}

void THtmlHelpGateway::DisplayContext(std::uint32_t context) const {
  Call(FileText(chmFile_), HH_HELP_CONTEXT, context);
}

QString THtmlHelpGateway::FileText(const QString& file) const {
  if (windowType_.isEmpty()) {
    return file;
  }
  return file + QLatin1String(kWindowTypeSep) + windowType_;
}

void THtmlHelpGateway::Call(const QString& file, unsigned command, const HtmlHelpData& data) const {
  if (HtmlHelpEntry) {
    HtmlHelpEntry(parentHandle_, file, command, data);
  }
}

} // namespace qm
