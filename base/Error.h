// The one exception type of Quillmark: a failure that keeps its parts (what was done, to which
// file, the system's reason, the line) until a front end words it.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qm {

/// What the failed step was doing; front ends may choose a caption or a hint by it.
enum class FileOperation {
  None,         ///< no file step (a message worded by its thrower)
  Open,         ///< opening or reading a file
  Create,       ///< creating a file
  Write,        ///< writing or closing a file
  CreateFolder, ///< creating a folder
  Save,         ///< saving a user file (the project file)
  Input,        ///< the input folder of a conversion
  Source,       ///< the content of a source file (a line of it)
  Run,          ///< starting another program (path: the program)
  Precondition, ///< a command that cannot run yet: what it works on is not there (no file step)
  Delete,       ///< deleting a file
};

/// One value of an error message, filled into the next "%s" or "%d" of its format. Each maker
/// returns a type of its own (Of<kind>), so that a format can tell at compile time whether a
/// number goes to "%d" and every other value to "%s".
struct ErrorArg {
  enum class Kind { Path, Text, Number, Reason };
  template <Kind K> struct Of;

  Kind kind = Kind::Text;
  std::string text; ///< Path: the file system's bytes; Text: Windows-1252
  int number = 0;

  static Of<Kind::Path> Path(std::string_view path);
  static Of<Kind::Text> Text(std::string_view text);
  static Of<Kind::Number> Number(int n);
  /// The system's reason (SystemReasonText of the error's systemError).
  static Of<Kind::Reason> Reason();
};

template <ErrorArg::Kind K> struct ErrorArg::Of : ErrorArg {};

inline ErrorArg::Of<ErrorArg::Kind::Path> ErrorArg::Path(std::string_view path) {
  return {{Kind::Path, std::string(path), 0}};
}
inline ErrorArg::Of<ErrorArg::Kind::Text> ErrorArg::Text(std::string_view text) {
  return {{Kind::Text, std::string(text), 0}};
}
inline ErrorArg::Of<ErrorArg::Kind::Number> ErrorArg::Number(int n) {
  return {{Kind::Number, {}, n}};
}
inline ErrorArg::Of<ErrorArg::Kind::Reason> ErrorArg::Reason() {
  return {{Kind::Reason, {}, 0}};
}

namespace detail {

/// Where the next placeholder ("%s", "%d" or "%%") of format starts at or after from; npos
/// when there is none. A "%" before any other character is plain text.
constexpr size_t NextPlaceholder(std::string_view format, size_t from) {
  for (size_t i = from; i + 1 < format.size(); ++i) {
    if (format[i] == '%' &&
        (format[i + 1] == 's' || format[i + 1] == 'd' || format[i + 1] == '%')) {
      return i;
    }
  }
  return std::string_view::npos;
}

/// The "%s" and "%d" of format.
constexpr int CountPlaceholders(std::string_view format) {
  int count = 0;
  for (size_t i = NextPlaceholder(format, 0); i != std::string_view::npos;
       i = NextPlaceholder(format, i + 2)) {
    count += format[i + 1] == '%' ? 0 : 1;
  }
  return count;
}

// Reached only when a format does not fit its arguments. Not being constexpr, a call stops the
// compilation, and the compiler's message names the fault.
void FormatHasMorePlaceholdersThanArguments();
void FormatHasFewerPlaceholdersThanArguments();
void NumberArgumentsGoToPercentDOthersToPercentS();
void FileFormatNeedsOneOrTwoPercentS();

/// What a placeholder may take of an argument type: a number, anything but a number, or, for a
/// plain ErrorArg whose kind is known only at run time, either.
enum class ArgClass { Number, Other, Any };
template <class T> inline constexpr ArgClass kArgClass = ArgClass::Any;
template <ErrorArg::Kind K>
inline constexpr ArgClass kArgClass<ErrorArg::Of<K>> =
    K == ErrorArg::Kind::Number ? ArgClass::Number : ArgClass::Other;

consteval void CheckFormat(std::string_view format, std::initializer_list<ArgClass> args) {
  const ArgClass* next = args.begin();
  for (size_t i = NextPlaceholder(format, 0); i != std::string_view::npos;
       i = NextPlaceholder(format, i + 2)) {
    const char conversion = format[i + 1];
    if (conversion == '%') {
      continue;
    }
    if (next == args.end()) {
      FormatHasMorePlaceholdersThanArguments();
    }
    const ArgClass arg = *next++;
    if (arg != ArgClass::Any && (arg == ArgClass::Number) != (conversion == 'd')) {
      NumberArgumentsGoToPercentDOthersToPercentS();
    }
  }
  if (next != args.end()) {
    FormatHasFewerPlaceholdersThanArguments();
  }
}

} // namespace detail

/// The format of a message (Windows-1252): "%s" and "%d" take the arguments in order, "%%" is
/// a percent sign. It is made at compile time from a string constant (a literal or a kMsg...
/// constant) and checked there against the types of the arguments that come with it.
///
/// The wording fills placeholders from the arguments it has and cannot tell a missing argument
/// from a format that means to leave a placeholder empty; so a format with one argument too
/// few or too many, or a number at "%s", is a fault of the calling code, and this check turns
/// it into a compile error instead of a message with a hole.
template <class... Args> class BasicMessageFormat {
public:
  template <class T>
  requires std::is_convertible_v<const T&, std::string_view>
  consteval BasicMessageFormat(const T& format) : text_(format) {
    detail::CheckFormat(text_, {detail::kArgClass<Args>...});
  }

  constexpr std::string_view Text() const { return text_; }

private:
  std::string_view text_;
};

/// The format for arguments of the types Args; only the arguments decide what Args are.
template <class... Args> using MessageFormat = BasicMessageFormat<std::type_identity_t<Args>...>;

/// The format of a failed file step, checked at compile time like MessageFormat: its first
/// "%s" is the path, a second "%s" (if any) the system's reason.
class FileFormat {
public:
  template <class T>
  requires std::is_convertible_v<const T&, std::string_view>
  consteval FileFormat(const T& format) : text_(format) {
    using detail::ArgClass;
    switch (detail::CountPlaceholders(text_)) {
    case 1:
      detail::CheckFormat(text_, {ArgClass::Other});
      break;
    case 2:
      detail::CheckFormat(text_, {ArgClass::Other, ArgClass::Other});
      withReason_ = true;
      break;
    default:
      detail::FileFormatNeedsOneOrTwoPercentS();
    }
  }

  constexpr std::string_view Text() const { return text_; }
  constexpr bool WithReason() const { return withReason_; }

private:
  std::string_view text_;
  bool withReason_ = false;
};

/// The parts of a failure. Only MakeError and Error::File fill them, after checking the format
/// against its arguments, so that every placeholder has its argument.
struct ErrorParts {
  FileOperation operation = FileOperation::None;
  std::string path;    ///< the file or folder concerned, as the file system spells it (or empty)
  int systemError = 0; ///< errno of the failed call; 0 when there is none
  int line = 0;        ///< line in the file, from 1; 0 when there is none
  std::string format;  ///< Windows-1252, with "%s" and "%d" taking args in order
  std::vector<ErrorArg> args;
};

/// The reason for errno err in German words (Windows-1252), such as "Dateizugriff verweigert"
/// or "Kein Speicherplatz mehr auf dem Datentr\xE4ger". An errno without words of its own
/// gives "E/A-Fehler <n>".
std::string SystemReasonText(int err);

namespace detail {

/// The message of parts in Windows-1252 (utf8 false) or UTF-8 (utf8 true, where control
/// characters of a path are shown as escapes). Throws std::logic_error when the format and the
/// arguments do not fit, which the checked formats rule out.
std::string WordParts(const ErrorParts& parts, bool utf8);

} // namespace detail

/// A failure that ends the current command. what() is the Windows-1252 message (a path in it
/// converted to Windows-1252, "?" for what it lacks); Text() is the same message in UTF-8 with
/// the path as the file system spells it. Front ends show Text().
class Error : public std::runtime_error {
public:
  /// The failure of operation on path: format's first "%s" is the path, a second one the
  /// system's reason for err. err stays a part also when the format does not show it.
  static Error File(FileOperation operation, FileFormat format, std::string_view path, int err);

  const ErrorParts& Parts() const { return parts_; }
  /// The worded message in UTF-8, for the terminal and the windows.
  std::string Text() const;

private:
  explicit Error(ErrorParts parts);
  template <class... Args>
  friend Error MakeError(FileOperation operation, std::string_view path, int line,
                         MessageFormat<Args...> format, const Args&... args);

  ErrorParts parts_;
};

/// The failure of operation on path (may be empty) at line (from 1; 0 for none): format
/// filled with args. The number and kinds of args are checked against format at compile time.
template <class... Args>
Error MakeError(FileOperation operation, std::string_view path, int line,
                MessageFormat<Args...> format, const Args&... args) {
  return Error(
      ErrorParts{operation, std::string(path), 0, line, std::string(format.Text()), {args...}});
}

/// Memory ran out; with the file being worked on, where it is known.
inline constexpr const char* kMsgOutOfMemory = "Nicht genug Arbeitsspeicher";
inline constexpr const char* kMsgOutOfMemoryAt = "Nicht genug Arbeitsspeicher (bei %s)";

/// The failure that stands for std::bad_alloc, so that running out of memory is worded like
/// every other failure: naming path when it is not empty.
Error OutOfMemoryError(std::string_view path = {});

/// A message that is no failure (a warning, a line of a report): format filled with args, in
/// UTF-8 like Error::Text. Checked at compile time like MakeError.
template <class... Args>
std::string WordMessage(MessageFormat<Args...> format, const Args&... args) {
  return detail::WordParts(
      ErrorParts{FileOperation::None, {}, 0, 0, std::string(format.Text()), {args...}}, true);
}

} // namespace qm
