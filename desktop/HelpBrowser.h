// The page area of the help viewer: a text browser whose pages, images and style sheets come
// out of a compiled help file instead of the file system.
#pragma once

#include <QTextBrowser>

#include <optional>
#include <string>

namespace qm {

class HelpFile;

/// URLs of pages inside the open help file: "qmhelp:/Main.Doc.htm#anchor". Relative links of
/// a page resolve against it like file paths.
inline constexpr const char* kHelpUrlScheme = "qmhelp";

class THelpBrowser : public QTextBrowser {
  Q_OBJECT
public:
  explicit THelpBrowser(QWidget* parent = nullptr);

  /// The file resources are read from; none (nullptr) loads nothing. Not owned.
  void SetHelpFile(const HelpFile* file) { file_ = file; }

  /// The internal path that url names, if the open file has such an object: the path as
  /// written, then (for pages whose text was read as Windows-1252) its Windows-1252 bytes.
  std::optional<std::string> ObjectPath(const QUrl& url) const;

  /// Marks every occurrence of words (whole words, any case) on the page shown and scrolls to
  /// the first when it is out of sight. The marks go when another page is shown.
  void Highlight(const QStringList& words);

  QVariant loadResource(int type, const QUrl& name) override;

private:
  const HelpFile* file_ = nullptr;
};

/// The URL of path (an internal path such as "/Main.Doc.htm") with an optional anchor.
QUrl HelpUrl(const std::string& path, const std::string& anchor = {});

/// A page's bytes as text: UTF-8 when the page says so, Windows-1252 otherwise.
QString PageText(const std::string& bytes);

} // namespace qm
