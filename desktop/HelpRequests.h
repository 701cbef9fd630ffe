// The program's help requests: every window carries a help context number; F1 on a window and
// the "&Hilfe" button of a message box hand a number to one application-wide handler.
#pragma once

#include <functional>

class QObject;
class QWidget;

namespace qm {

/// Gives widget (normally a window) the help context number context.
void SetHelpContext(QWidget* widget, int context);
/// The help context of widget: its own number, else that of the nearest parent that has one;
/// 0 when none has.
int HelpContextOf(const QWidget* widget);

using HelpHandler = std::function<void(int context)>;

/// Makes handler the one help handler for as long as owner lives (or until another handler is
/// installed), and from then on turns F1 on any widget into a request with the help context of
/// that widget's window.
void InstallHelpHandler(QObject* owner, HelpHandler handler);
/// Hands context to the help handler; without one nothing happens.
void RequestHelp(int context);

} // namespace qm
