// Where dialogs appear: centred over the window that owns them.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace qm {

/// Moves window so that its centre meets owner's: top = owner's top + (owner's height - own
/// height) / 2, left likewise with the widths, each half rounded toward zero (so a window
/// larger than its owner may stick out above and to the left). Outer frames count.
void CentreOver(QWidget* window, const QWidget* owner);

/// frame moved to lie on available, a screen's free area: a frame sticking out is moved in,
/// one larger than available keeps its top left corner on it (the caller shrinks the window).
QRect KeepOnScreen(const QRect& frame, const QRect& available);

/// The frame around window: the window system's once the window is shown, until then an
/// estimate of a title bar and borders, so that a window can be placed before its first
/// showing.
QMargins FrameMarginsOf(const QWidget* window);

/// window's outer frame on the screen: its client area grown by FrameMarginsOf.
QRect FrameOf(const QWidget* window);

/// Moves window so that FrameOf(window) starts at topLeft.
void MoveFrameTo(QWidget* window, QPoint topLeft);

/// Moves window so that its frame lies on the free area of its screen (KeepOnScreen).
void MoveOntoScreen(QWidget* window);

} // namespace qm
