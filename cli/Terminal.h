// The terminal side of quillmark-cli: printing engine texts and asking yes/no questions.
#pragma once

#include "base/Error.h"

#include <cstdio>
#include <string_view>

namespace qm::cli {

/// Prints a Windows-1252 text (an engine message, a question naming a path) to stream as UTF-8,
/// with CR LF line breaks turned into LF, ending with a line break.
void PrintAnsi(std::FILE* stream, std::string_view ansi);
/// Prints a UTF-8 text of the front end's own to stream, ending with a line break.
void PrintUtf8(std::FILE* stream, std::string_view utf8);
/// Prints error's message (Error::Text) to stream, with LF line breaks.
void PrintError(std::FILE* stream, const Error& error);

/// True when answer means yes: its first character is j, J, y or Y.
bool IsYesAnswer(std::string_view answer);
/// Asks the Windows-1252 question on stderr with a "[j/N]" prompt and reads one line from
/// stdin. End of input or an empty line counts as no.
bool AskYesNo(std::string_view ansiQuestion);

} // namespace qm::cli
