// The one exception type of Quillmark: a failure that keeps its parts (what was done, to which
// file, the system's reason, the line) until a front end words it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
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
};

/// One value of an error message, filled into the next "%s" or "%d" of its format.
struct ErrorArg {
  enum class Kind { Path, Text, Number, Reason };
  Kind kind = Kind::Text;
  std::string text; ///< Path: the file system's bytes; Text: Windows-1252
  int number = 0;

  static ErrorArg Path(std::string_view path) { return {Kind::Path, std::string(path), 0}; }
  static ErrorArg Text(std::string_view text) { return {Kind::Text, std::string(text), 0}; }
  static ErrorArg Number(int n) { return {Kind::Number, {}, n}; }
  /// The system's reason (SystemReasonText of the error's systemError).
  static ErrorArg Reason() { return {Kind::Reason, {}, 0}; }
};

/// The parts of a failure.
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

/// A failure that ends the current command. what() is the Windows-1252 message (a path in it
/// converted to Windows-1252, "?" for what it lacks); Text() is the same message in UTF-8 with
/// the path as the file system spells it. Front ends show Text().
class Error : public std::runtime_error {
public:
  /// A message already worded by the thrower (Windows-1252).
  explicit Error(const std::string& message);
  explicit Error(ErrorParts parts);

  /// The failure of operation on path: format's first "%s" is the path, a second one the
  /// system's reason for err.
  static Error File(FileOperation operation, const char* format, std::string_view path, int err);

  const ErrorParts& Parts() const { return parts_; }
  /// The worded message in UTF-8, for the terminal and the windows.
  std::string Text() const;

private:
  ErrorParts parts_;
};

/// The message of parts in Windows-1252 (utf8 false) or UTF-8 (utf8 true, where control
/// characters of a path are shown as escapes).
std::string WordError(const ErrorParts& parts, bool utf8);

} // namespace qm
