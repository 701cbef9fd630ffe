// The terminal side of quillmark-cli: printing engine texts, asking yes/no questions and
// noticing Ctrl+C.
#pragma once

#include <cstdio>
#include <string_view>

namespace qm::cli {

/// True when fd is connected to a terminal.
bool IsTerminal(int fd);

/// Prints a Windows-1252 text (an engine message, a question naming a path) to stream as UTF-8,
/// with CR LF line breaks turned into LF, ending with a line break.
void PrintAnsi(std::FILE* stream, std::string_view ansi);
/// Prints a UTF-8 text of the front end's own to stream, ending with a line break.
void PrintUtf8(std::FILE* stream, std::string_view utf8);

/// True when answer means yes: its first character is j, J, y or Y.
bool IsYesAnswer(std::string_view answer);
/// Asks the Windows-1252 question on stderr with a "[j/N]" prompt and reads one line from
/// stdin. End of input or an empty line counts as no.
bool AskYesNo(std::string_view ansiQuestion);

/// Makes the first Ctrl+C (SIGINT) only set a flag, so that a conversion can stop between two
/// files and still save what it has done; a second Ctrl+C ends the program at once.
void InstallInterruptHandler();
/// True once Ctrl+C was pressed after InstallInterruptHandler.
bool InterruptRequested();

} // namespace qm::cli
