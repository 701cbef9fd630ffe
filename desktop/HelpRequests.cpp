#include "desktop/HelpRequests.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace qm {

namespace {

constexpr const char* kHelpContextProperty = "qmHelpContext";

struct InstalledHandler {
  QPointer<QObject> owner;
  HelpHandler handler;
};

InstalledHandler& Installed() {
  static InstalledHandler installed;
  return installed;
}

// Sees every key press of the application before the focused widget does, so that F1 works the
// same in every window and no widget takes it for itself.
class F1Filter final : public QObject {
public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
      return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) {
      return false;
    }
    const int context = HelpContextOf(static_cast<QWidget*>(watched));
    if (context == 0) {
      return false;
    }
    RequestHelp(context);
    return true;
  }
};

void InstallF1Filter() {
  static QPointer<F1Filter> filter;
  if (filter.isNull() && qApp != nullptr) {
    filter = new F1Filter(qApp);
    qApp->installEventFilter(filter);
  }
}

} // namespace

void SetHelpContext(QWidget* widget, int context) {
  widget->setProperty(kHelpContextProperty, context);
}

int HelpContextOf(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const int context = w->property(kHelpContextProperty).toInt();
    if (context != 0) {
      return context;
    }
  }
  return 0;
}

void InstallHelpHandler(QObject* owner, HelpHandler handler) {
  Installed() = {owner, std::move(handler)};
  InstallF1Filter();
}

void RequestHelp(int context) {
  const InstalledHandler& installed = Installed();
  if (!installed.owner.isNull() && installed.handler) {
    installed.handler(context);
  }
}

} // namespace qm
