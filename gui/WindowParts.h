// Parts that several of the program's windows are built from: the tool bar with its grip, the
// folder picker button and the row of a dialog's two buttons.
#pragma once

#include <QLabel>
#include <QString>

class QAction;
class QResizeEvent;
class QDialog;
class QHBoxLayout;
class QMainWindow;
class QPushButton;
class QToolBar;
class QToolButton;
class QWidget;

namespace qm::ui {

/// The tool bar "ToolBar1" across the top of host: its band keeps its grip but stays at the
/// top, and its buttons show a 32 x 32 image above their caption.
QToolBar* AddTopToolBar(QMainWindow* host);
/// Names the button of action on bar and makes it at least buttonWidth x 52.
void NameToolButton(QToolBar* bar, QAction* action, const char* name, int buttonWidth);
/// An 8 pixels wide separator named name at the end of bar.
void AddToolSeparator(QToolBar* bar, const char* name);

/// A 21 x 21 button named name with the folder image and the hint of every folder picker.
QToolButton* NewPickerButton(QWidget* parent, const char* name);

/// The buttons "BitBtn1" (okCaption, the default button) and "BitBtn2" (cancelCaption, which
/// closes dialog with Cancel, as Escape does) at the right of a row. *ok is the first, for
/// the caller to connect.
QHBoxLayout* NewDialogButtons(QDialog* dialog, const char* okCaption, const char* cancelCaption,
                              QPushButton** ok);

/// A one-line label that never widens its window: a text longer than the label is shortened in
/// the middle ("...") and shown whole as the tooltip.
class ElidedLabel : public QLabel {
public:
  explicit ElidedLabel(QWidget* parent);

  const QString& FullText() const { return fullText_; }
  void SetFullText(const QString& text);

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void Elide();

  QString fullText_;
};

} // namespace qm::ui
