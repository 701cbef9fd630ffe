#include "desktop/WindowPlacement.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>

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

QRect KeepOnScreen(const QRect& frame, const QRect& available) {
  QRect placed = frame;
  if (placed.right() > available.right()) {
    placed.moveRight(available.right());
  }
  if (placed.bottom() > available.bottom()) {
    placed.moveBottom(available.bottom());
  }
  // The title bar must stay reachable: the top left corner wins.
  if (placed.left() < available.left()) {
    placed.moveLeft(available.left());
  }
  if (placed.top() < available.top()) {
    placed.moveTop(available.top());
  }
  return placed;
}

QMargins FrameMarginsOf(const QWidget* window) {
  const int border = window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  const QMargins estimate(border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border,
                          border, border);
  const QWindow* handle = window->windowHandle();
  if (handle == nullptr || !window->isVisible()) {
    return estimate;
  }
  const QMargins actual = handle->frameMargins();
  // A window system that reports no title bar (no frame before mapping, a thin border
  // offscreen) gets the estimate.
  return actual.top() > actual.bottom() ? actual : estimate;
}

QRect FrameOf(const QWidget* window) {
  const QMargins margins = FrameMarginsOf(window);
  // Before its first showing a window's position is where its frame will start; once shown,
  // the frame lies around the client area.
  if (!window->isVisible()) {
    return QRect(window->pos(), window->size().grownBy(margins));
  }
  return window->geometry().marginsAdded(margins);
}

void MoveFrameTo(QWidget* window, QPoint topLeft) {
  // move() takes the window system's idea of the frame; the difference carries over.
  window->move(window->pos() + (topLeft - FrameOf(window).topLeft()));
}

void MoveOntoScreen(QWidget* window) {
  const QScreen* screen = window->screen();
  if (screen == nullptr) {
    return;
  }
  const QRect frame = FrameOf(window);
  const QRect placed = KeepOnScreen(frame, screen->availableGeometry());
  if (placed != frame) {
    MoveFrameTo(window, placed.topLeft());
  }
}

} // namespace qm
