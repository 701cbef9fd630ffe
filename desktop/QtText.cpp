#include "desktop/QtText.h"

#include "base/CodePages.h"
#include "base/Error.h"

#include <QFile>

namespace qm {

QString FromAnsi(std::string_view ansi) {
  return QString::fromStdString(AnsiToUtf8(ansi));
}

std::string ToAnsi(const QString& text) {
  return Utf8ToAnsi(text.toStdString());
}

bool IsAnsiText(const QString& text) {
  return FromAnsi(ToAnsi(text)) == text;
}

std::optional<QStringView> FirstNonAnsi(const QString& text) {
  if (IsAnsiText(text)) {
    return std::nullopt;
  }
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype length =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    const QStringView character = QStringView(text).mid(i, length);
    if (!IsAnsiText(character.toString())) {
      return character;
    }
    i += length - 1;
  }
  return std::nullopt;
}

char32_t CodePointOf(QStringView character) {
  return character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                               : character[0].unicode();
}

namespace {

QString WithQtLineBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar(u'\r'), QChar(u'\n'));
  return text;
}

} // namespace

QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString UiText(std::string_view utf8) {
  return WithQtLineBreaks(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

QString MessageFromAnsi(std::string_view ansi) {
  return WithQtLineBreaks(FromAnsi(ansi));
}

QString ErrorText(const Error& error) {
  return WithQtLineBreaks(QString::fromStdString(error.Text()));
}

QString FromPath(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string ToPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

} // namespace qm
