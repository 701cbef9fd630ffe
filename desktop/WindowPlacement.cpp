#include "desktop/WindowPlacement.h"

#include <QWidget>

namespace qm {

void CentreOver(QWidget* window, const QWidget* owner) {
  if (owner == nullptr) {
    return;
  }
  const QRect outer = owner->frameGeometry();
  const QSize own = window->frameGeometry().size();
  // Integer division rounds toward zero, as the placement rule asks.
  window->move(outer.left() + (outer.width() - own.width()) / 2,
               outer.top() + (outer.height() - own.height()) / 2);
}

} // namespace qm
