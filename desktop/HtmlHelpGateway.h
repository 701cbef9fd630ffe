// The gateway to the help viewer: holds the name of the program's compiled help file and asks
// the viewer for a page or for the topic of a context number.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <variant>

namespace qm {

/// What a viewer request carries: no data, a topic (a page inside the help file) or a context
/// number.
using HtmlHelpData = std::variant<std::monostate, QString, std::uint32_t>;

/// The viewer: parent window handle (0 for none), file text (the help file, with ">" + window
/// type when one is set), command (HH_DISPLAY_TOPIC or HH_HELP_CONTEXT) and its data.
using HtmlHelpFunction = std::function<void(WId parent, const QString& file, unsigned command,
                                            const HtmlHelpData& data)>;

/// The one entry point through which every request reaches the viewer. While it is empty, a
/// request does nothing. The program plugs the viewer in at start; tests plug in a recorder.
extern HtmlHelpFunction HtmlHelpEntry;

class THtmlHelpGateway : public QObject {
  Q_OBJECT

public:
  explicit THtmlHelpGateway(QObject* owner = nullptr);

  /// The compiled help file, passed to the viewer as it is (no folder is added).
  QString ChmFile() const { return chmFile_; }
  void SetChmFile(const QString& file) { chmFile_ = file; }
  /// A viewer window type; when set it is appended to the file text as ">" + WindowType.
  QString WindowType() const { return windowType_; }
  void SetWindowType(const QString& type) { windowType_ = type; }
  /// The viewer's owner window. Setting it records the window's handle at that moment (a
  /// widget without a native window gets one then); later changes of the handle are not
  /// followed. nullptr records 0.
  QWidget* ParentWindow() const { return parentWindow_; }
  void SetParentWindow(QWidget* window);

  /// Shows topic, a page of ChmFile. Without a ChmFile the topic itself is opened as the file.
  void DisplayTopic(const QString& topic) const;
  /// Shows the topic that ChmFile maps to context (also when ChmFile is empty).
  void DisplayContext(std::uint32_t context) const;

private:
  /// file followed by ">" + WindowType when that is set.
  QString FileText(const QString& file) const;
  void Call(const QString& file, unsigned command, const HtmlHelpData& data) const;

  QString chmFile_;
  QString windowType_;
  QPointer<QWidget> parentWindow_;
  WId parentHandle_ = 0;
};

} // namespace qm
