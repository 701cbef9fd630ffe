// Where dialogs appear: centred over the window that owns them.
#pragma once

class QWidget;

namespace qm {

/// Moves window so that its centre meets owner's: top = owner's top + (owner's height - own
/// height) / 2, left likewise with the widths, each half rounded toward zero (so a window
/// larger than its owner may stick out above and to the left). Outer frames count.
void CentreOver(QWidget* window, const QWidget* owner);

} // namespace qm
