// Reading and writing whole text files as Windows-1252 bytes. Every failure is an Error that
// names the file and keeps the system's reason.
// Texts are Windows-1252 bytes: non-ASCII letters are written as escapes ("\xF6" for "ö").
#pragma once

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/FileSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

/// Message texts of file failures ("%s" is the file's path).
inline constexpr const char* kMsgCannotOpen = "Datei %s kann nicht ge\xF6"
                                              "ffnet werden";
inline constexpr const char* kMsgCannotCreate = "Datei %s kann nicht erstellt werden";
/// A write or close that failed: the path and the system's reason.
inline constexpr const char* kMsgWriteFailed = "Datei %s: %s";
/// A file that cannot be created, with the system's reason.
inline constexpr const char* kMsgCannotCreateBecause = "Datei %s kann nicht erstellt werden: %s";

/// "Datei <path>: <reason>" with the reason for errno err in words (SystemReasonText), as
/// Windows-1252 text.
std::string FileErrorMessage(std::string_view path, int err);

/// Writes all of bytes to the open descriptor fd, going on after interruptions; false with
/// errno set when that fails.
bool WriteAllBytes(int fd, std::string_view bytes);

/// The whole file as bytes. Throws Error(kMsgCannotOpen) when it cannot be opened or read.
std::string ReadFileBytes(std::string_view path);
/// The whole file as bytes if it is a regular file (a link to one counts), read without ever
/// waiting: a fifo, socket or device is not read, and neither is a file that became one
/// between the look and the open. Returns nothing then, with kind (when given) saying what it
/// is. Throws Error(kMsgCannotOpen) when the file cannot be opened or read. With limit, only
/// the file's first limit bytes are read.
std::optional<std::string> ReadRegularFileBytes(std::string_view path, EntryKind* kind = nullptr,
                                                size_t limit = SIZE_MAX);
/// ReadRegularFileBytes of a file that a folder listing has just shown to be a regular file:
/// the look before the open is left out (it would ask what the listing said), the check on the
/// open file stays.
std::optional<std::string> ReadListedFileBytes(std::string_view path, size_t limit = SIZE_MAX);
/// The file as text lines (SplitLines: CR, LF or CR LF end a line; a NUL ends the text).
Lines ReadTextLines(std::string_view path);

/// Creates or truncates the file and writes bytes. Throws Error(kMsgCannotCreate) when it
/// cannot be created, Error(FileErrorMessage) when writing fails.
void WriteFileBytes(std::string_view path, std::string_view bytes);
/// Writes every line followed by CR LF (create or overwrite).
void WriteTextLines(std::string_view path, const Lines& lines);
/// Appends bytes to a file that must exist; throws Error(FileErrorMessage) otherwise.
void AppendFileBytes(std::string_view path, std::string_view bytes);

/// A file created now and written later through the same handle, so that creating a page and
/// filling it costs one open.
class OutputFile {
public:
  OutputFile() = default;
  /// Creates or truncates path. Throws Error(kMsgCannotCreate) when it cannot be created.
  explicit OutputFile(std::string_view path);
  /// Deletes path and creates it empty, as OutputFile(path) after DeleteFileAt(path) would. An
  /// existing regular file with no other name is emptied in place instead, which gives the same
  /// file content without the cost of freeing and allocating a file; a link, or a file with
  /// other names, is never written through.
  static OutputFile Replace(std::string_view path);
  /// Gives the existing file at path new content, as Replace does, but writes only from the
  /// first byte that differs from what the file holds; Close cuts the file to what was
  /// written. A file whose content stays the same is not modified at all and keeps its time.
  /// With followLinks a link is written through (as by OutputFile(path)); without, a link or
  /// a file with other names is replaced (Replace).
  static OutputFile Rewrite(std::string_view path, bool followLinks = false);
  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  /// Closes the file; a failure to close is not reported here (use Close to see it).
  ~OutputFile();

  bool IsOpen() const { return fd_ >= 0; }
  /// Appends bytes. Throws Error(FileErrorMessage) when writing fails.
  void Write(std::string_view bytes);
  /// Closes the file. Throws Error(FileErrorMessage) when the last data cannot be stored.
  void Close();
  /// True for a rewritten file that holds exactly what was given to Write, as it did before.
  bool Unchanged() const { return rewrite_ && comparing_ && pos_ == oldSize_; }

private:
  /// How many leading bytes of bytes equal the file's bytes at pos_.
  size_t SameBytes(std::string_view bytes) const;

  int fd_ = -1;
  std::string path_;
  bool rewrite_ = false;   ///< the file's old content is compared, not truncated
  bool comparing_ = false; ///< no byte differed yet
  size_t pos_ = 0;         ///< bytes given to Write so far
  size_t oldSize_ = 0;     ///< the file's size when opened
};

/// Writes bytes as the content of path like WriteFileBytes (a link is written through), but
/// leaves a file that already holds exactly these bytes untouched. mayExist false skips the
/// look at an old file. Returns true when the file was written.
bool WriteFileIfChanged(std::string_view path, std::string_view bytes, bool mayExist = true);

/// The file that a replacement of path writes: path itself, or the file that a link at path
/// leads to (so that the link stays a link).
std::string ReplacementTarget(std::string_view path);
/// Makes a new, empty temporary file beside target for a replacement that MoveIntoPlace
/// finishes; fd receives its open descriptor. Returns its name, or "" with errno set.
std::string MakeTempBeside(const std::string& target, int& fd);
/// Gives temp the permissions of the file it replaces (or those of a new file) and renames it
/// over target. Returns 0, or the errno of the step that failed (temp stays then).
int MoveIntoPlace(const std::string& temp, const std::string& target);

/// Replaces the file atomically: writes a temporary file beside it and renames it over the
/// old one, so that a failure leaves the old file as it was. Throws Error(failMessage with the
/// path) on any failure; failMessage is a format with one "%s".
void WriteFileAtomic(std::string_view path, std::string_view bytes, FileFormat failMessage);
/// Replaces the file atomically with every line followed by CR LF, as WriteFileAtomic does.
/// Throws Error(kMsgCannotCreateBecause) when the temporary file cannot be made beside it and
/// Error(kMsgWriteFailed) when it cannot be written or put in place, both with the reason.
void ReplaceTextFile(std::string_view path, const Lines& lines);

} // namespace qm
