// Reading and writing whole text files as Windows-1252 bytes. Every failure is an Error whose
// message names the file.
// Texts are Windows-1252 bytes: non-ASCII letters are written as escapes ("\xF6" for "ö").
#pragma once

#include "engine/AnsiText.h"

#include <string>
#include <string_view>

namespace qm {

/// Message texts of file failures ("%s" is the file's path).
inline constexpr const char* kMsgCannotOpen = "Datei %s kann nicht ge\xF6"
                                              "ffnet werden";
inline constexpr const char* kMsgCannotCreate = "Datei %s kann nicht erstellt werden";

/// "Datei <path>: <reason>" with the reason for errno err ("Dateizugriff verweigert",
/// "Datei nicht gefunden", "Ungültiger Dateiname" or "E/A-Fehler <n>").
std::string FileErrorMessage(std::string_view path, int err);

/// The whole file as bytes. Throws Error(kMsgCannotOpen) when it cannot be opened or read.
std::string ReadFileBytes(std::string_view path);
/// The file as text lines (SplitLines: CR, LF or CR LF end a line; a NUL ends the text).
Lines ReadTextLines(std::string_view path);

/// Creates or truncates the file and writes bytes. Throws Error(kMsgCannotCreate) when it
/// cannot be created, Error(FileErrorMessage) when writing fails.
void WriteFileBytes(std::string_view path, std::string_view bytes);
/// Writes every line followed by CR LF (create or overwrite).
void WriteTextLines(std::string_view path, const Lines& lines);
/// Appends bytes to a file that must exist; throws Error(FileErrorMessage) otherwise.
void AppendFileBytes(std::string_view path, std::string_view bytes);

/// Replaces the file atomically: writes a temporary file beside it and renames it over the
/// old one, so that a failure leaves the old file as it was. Throws Error(failMessage with the
/// path) on any failure; failMessage is a format with one "%s".
void WriteFileAtomic(std::string_view path, std::string_view bytes, const char* failMessage);

} // namespace qm
