#include "base/Error.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"

#include <cerrno>

namespace qm {

std::string SystemReasonText(int err) {
  switch (err) {
  case EACCES:
  case EPERM:
    return "Dateizugriff verweigert";
  case EROFS:
    return "Schreibgesch\xFCtztes Dateisystem";
  case ENOENT:
    return "Datei nicht gefunden";
  case ENOTDIR:
    return "Ein Teil des Pfades ist kein Ordner";
  case ENAMETOOLONG:
    return "Name zu lang";
  case EINVAL:
    return "Ung\xFCltiger Dateiname";
  case EISDIR:
    return "Ist ein Ordner";
  case ENOSPC:
#ifdef EDQUOT
  case EDQUOT:
#endif
    return "Kein Speicherplatz mehr auf dem Datentr\xE4ger";
  case EFBIG:
    return "Die Datei ist gr\xF6\xDF"
           "er als erlaubt";
  case EEXIST:
    return "Datei besteht bereits";
  case EIO:
    return "Ein-/Ausgabefehler des Ger\xE4ts";
  case EMFILE:
  case ENFILE:
    return "Zu viele offene Dateien";
  case ENOMEM:
    return "Nicht genug Arbeitsspeicher";
  case ELOOP:
    return "Zu viele Verkn\xFCpfungen im Pfad";
  case EBUSY:
  case ETXTBSY:
    return "Datei wird benutzt";
  case EXDEV:
    return "Anderes Laufwerk";
  default:
    return Format("E/A-Fehler %d", err);
  }
}

namespace {

// EscapeControlChars for all but the line breaks and tabs of text.
std::string EscapeControlCharsInText(std::string_view text) {
  std::string out;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte < 0x20 && byte != '\r' && byte != '\n' && byte != '\t') || byte == 0x7F) {
      out.append(text.substr(start, i - start));
      out += EscapeControlChars(text.substr(i, 1));
      start = i + 1;
    }
  }
  out.append(text.substr(start));
  return out;
}

} // namespace

std::string detail::WordParts(const ErrorParts& parts, bool utf8) {
  std::string out;
  auto literal = [&out, utf8](std::string_view piece) {
    out += utf8 ? AnsiToUtf8(piece) : std::string(piece);
  };
  const std::string_view format = parts.format;
  size_t next = 0;
  size_t start = 0;
  for (size_t i = detail::NextPlaceholder(format, 0); i != std::string_view::npos;
       i = detail::NextPlaceholder(format, start)) {
    literal(format.substr(start, i - start));
    start = i + 2;
    const char conversion = format[i + 1];
    if (conversion == '%') {
      out.push_back('%');
      continue;
    }
    // Parts come from MakeError, Error::File and WordMessage, whose formats were checked
    // against their arguments at compile time; a mismatch is a fault of this file's code and
    // must not pass as a message with a hole.
    if (next == parts.args.size()) {
      throw std::logic_error("a message placeholder without its argument: " + parts.format);
    }
    const ErrorArg& arg = parts.args[next++];
    switch (arg.kind) {
    case ErrorArg::Kind::Path:
      // A name with a line break or an escape sequence must not break up or act in the message.
      out += utf8 ? EscapeControlChars(arg.text) : Utf8ToAnsi(arg.text);
      break;
    case ErrorArg::Kind::Text:
      // Text from a file or the command line must not act in a terminal (an escape sequence);
      // the line breaks of a message worded by its thrower stay.
      out += utf8 ? EscapeControlCharsInText(AnsiToUtf8(arg.text)) : arg.text;
      break;
    case ErrorArg::Kind::Number:
      out += std::to_string(arg.number);
      break;
    case ErrorArg::Kind::Reason:
      literal(SystemReasonText(parts.systemError));
      break;
    }
  }
  literal(format.substr(start));
  if (next != parts.args.size()) {
    throw std::logic_error("a message argument without its placeholder: " + parts.format);
  }
  return out;
}

Error::Error(ErrorParts parts)
    : std::runtime_error(detail::WordParts(parts, false)), parts_(std::move(parts)) {}

Error Error::File(FileOperation operation, FileFormat format, std::string_view path, int err) {
  ErrorParts parts{operation, std::string(path),          err,
                   0,         std::string(format.Text()), {ErrorArg::Path(path)}};
  if (format.WithReason()) {
    parts.args.push_back(ErrorArg::Reason());
  }
  return Error(std::move(parts));
}

Error OutOfMemoryError(std::string_view path) {
  if (path.empty()) {
    return MakeError(FileOperation::None, path, 0, kMsgOutOfMemory);
  }
  return MakeError(FileOperation::None, path, 0, kMsgOutOfMemoryAt, ErrorArg::Path(path));
}

std::string Error::Text() const {
  return detail::WordParts(parts_, true);
}

} // namespace qm
