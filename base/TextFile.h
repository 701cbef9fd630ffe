// Reading and writing whole text files as Windows-1252 bytes. Every failure is an Error that
// names the file and keeps the system's reason.
// Texts are Windows-1252 bytes: non-ASCII letters are written as escapes ("\xF6" for "ö").
#pragma once

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/FileReplace.h"
#include "base/FileSystem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

/// Message texts of file failures ("%s" is the file's path).
inline constexpr const char* kMsgCannotOpen = "Datei %s kann nicht ge\xF6"
                                              "ffnet werden";
/// A file that is read whole but is no regular file (a fifo, a device, a folder).
inline constexpr const char* kMsgNotRegularFile =
    "Datei %s kann nicht ge\xF6"
    "ffnet werden: Sie ist keine gew\xF6hnliche Datei";
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

/// The whole file as bytes, up to the size the system gave when it was opened (a file that
/// grows while it is read adds nothing). Throws Error(kMsgCannotOpen) when it cannot be opened
/// or read, Error(kMsgNotRegularFile) without waiting when it is no regular file.
std::string ReadFileBytes(std::string_view path);
/// Bytes read from a file. The buffer is not zero-filled before a read fills it: for a large
/// source that would write its bytes twice.
class FileBytes {
public:
  /// Makes room for size bytes; those held before stay, the new ones are unset.
  void resize(size_t size);
  char* data() { return data_.get(); }
  size_t size() const { return size_; }
  std::string_view View() const { return {data_.get(), size_}; }

private:
  std::unique_ptr<char[]> data_;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

/// The whole file as bytes if it is a regular file (a link to one counts), read without ever
/// waiting: a fifo, socket or device is not read, and neither is a file that became one
/// between the look and the open. Returns nothing then, with kind (when given) saying what it
/// is. Throws Error(kMsgCannotOpen) when the file cannot be opened or read. Only the size the
/// system gave when it was opened is read, and with limit only the file's first limit bytes.
std::optional<FileBytes> ReadRegularFileBytes(std::string_view path, EntryKind* kind = nullptr,
                                              size_t limit = SIZE_MAX);
/// ReadRegularFileBytes of a file that a folder listing has just shown to be a regular file:
/// the look before the open is left out (it would ask what the listing said), the check on the
/// open file stays.
std::optional<FileBytes> ReadListedFileBytes(std::string_view path, size_t limit = SIZE_MAX);
/// The file as text lines (SplitLines: CR, LF or CR LF end a line; a NUL ends the text).
Lines ReadTextLines(std::string_view path);

/// Creates or truncates the file and writes bytes. Throws Error(kMsgCannotCreateBecause) when it
/// cannot be created, Error(FileErrorMessage) when writing fails.
void WriteFileBytes(std::string_view path, std::string_view bytes);
/// Writes every line followed by CR LF (create or overwrite).
void WriteTextLines(std::string_view path, const Lines& lines);
/// Appends bytes to a file that must exist; throws Error(FileErrorMessage) otherwise.
void AppendFileBytes(std::string_view path, std::string_view bytes);

/// Writes bytes into a new temporary file beside target whose name ends in extension
/// (MakeTempBeside) and returns its name. Throws Error(kMsgCannotCreateBecause) naming target
/// when it cannot be made, Error(kMsgWriteFailed) when it cannot be written (it is gone then).
std::string WriteTempBeside(const std::string& target, std::string_view bytes,
                            std::string_view extension = {});

/// Replaces the file at path atomically with bytes (FileReplace.h), leaving it untouched
/// (with its time) when it holds these bytes already; mayExist false skips that look. A link
/// at path is replaced, not written through. Throws Error(kMsgCannotCreateBecause) when the
/// file may not be replaced (a read-only file) or no temporary file can be made beside it,
/// Error(kMsgWriteFailed) when that cannot be written or put in place. Returns true when the
/// file was written. seen, when given, is what a read of the file found earlier: it answers
/// the look while the file is still as it was then (FileHoldsBytes).
bool ReplaceFileIfChanged(std::string_view path, std::string_view bytes, bool mayExist = true,
                          const FileSnapshot* seen = nullptr);

/// Replaces the file atomically: writes a temporary file beside it and renames it over the
/// old one, so that a failure leaves the old file as it was. A link at path is followed (the
/// file it leads to is replaced); a read-only file is refused. Throws Error(failMessage with the
/// path) on any failure; failMessage is a format with one "%s".
void WriteFileAtomic(std::string_view path, std::string_view bytes, FileFormat failMessage);
/// Replaces the file atomically with every line followed by CR LF, as WriteFileAtomic does,
/// but a link at path is replaced, not followed.
/// Throws Error(kMsgCannotCreateBecause) when the temporary file cannot be made beside it and
/// Error(kMsgWriteFailed) when it cannot be written or put in place, both with the reason.
void ReplaceTextFile(std::string_view path, const Lines& lines);

} // namespace qm
