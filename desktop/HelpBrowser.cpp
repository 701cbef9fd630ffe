#include "desktop/HelpBrowser.h"

#include "base/CodePages.h"
#include "chm/HelpFile.h"

#include <QTextCharFormat>
#include <QTextDocument>

namespace qm {

THelpBrowser::THelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  // Links are followed by the viewer, which checks them first (see THelpViewer::Navigate).
  setOpenLinks(false);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::sourceChanged, this, [this] { setExtraSelections({}); });
}

void THelpBrowser::Highlight(const QStringList& words) {
  QList<ExtraSelection> marks;
  QTextCursor first;
  QTextCharFormat format;
  format.setBackground(QColor(0xFF, 0xE0, 0x66));
  for (const QString& word : words) {
    QTextCursor found = document()->find(word, 0, QTextDocument::FindWholeWords);
    while (!found.isNull()) {
      marks.append({found, format});
      if (first.isNull() || found.selectionStart() < first.selectionStart()) {
        first = found;
      }
      found = document()->find(word, found, QTextDocument::FindWholeWords);
    }
  }
  setExtraSelections(marks);
  // The page moves only when the first mark is out of sight.
  if (!first.isNull() && !viewport()->rect().contains(cursorRect(first))) {
    first.clearSelection();
    setTextCursor(first);
    ensureCursorVisible();
  }
}

QUrl HelpUrl(const std::string& path, const std::string& anchor) {
  QUrl url;
  url.setScheme(QString::fromLatin1(kHelpUrlScheme));
  url.setPath(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())),
              QUrl::DecodedMode);
  if (!anchor.empty()) {
    url.setFragment(QString::fromUtf8(anchor.data(), static_cast<qsizetype>(anchor.size())),
                    QUrl::DecodedMode);
  }
  return url;
}

QString PageText(const std::string& bytes) {
  if (DeclaresUtf8(bytes)) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  return QString::fromStdString(AnsiToUtf8(bytes));
}

std::optional<std::string> THelpBrowser::ObjectPath(const QUrl& url) const {
  if (file_ == nullptr || url.scheme() != QLatin1String(kHelpUrlScheme)) {
    return std::nullopt;
  }
  const std::string path = url.path(QUrl::FullyDecoded).toStdString();
  if (const auto page = file_->FindPage(path)) {
    return page->Path;
  }
  const std::string ansi = Utf8ToAnsi(path);
  if (ansi != path) {
    if (const auto page = file_->FindPage(ansi)) {
      return page->Path;
    }
  }
  return std::nullopt;
}

QVariant THelpBrowser::loadResource(int type, const QUrl& name) {
  const QUrl url = name.isRelative() ? source().resolved(name) : name;
  const auto path = ObjectPath(url);
  if (!path) {
    return {};
  }
  const ChmObject object = file_->Read(*path);
  if (object.Status != ChmReadStatus::Ok) {
    return {};
  }
  switch (type) {
  case QTextDocument::HtmlResource:
  case QTextDocument::StyleSheetResource:
  case QTextDocument::UnknownResource:
    return PageText(object.Bytes);
  default:
    return QByteArray(object.Bytes.data(), static_cast<qsizetype>(object.Bytes.size()));
  }
}

} // namespace qm
