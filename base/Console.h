// The terminal a command-line program runs in: its arguments, whether its standard streams
// are terminals, text written to them, and Ctrl+C turned into a request that the program can
// act on between two steps.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// The arguments the program was started with, after its own name, as UTF-8 (on Windows taken
/// from the wide command line, so that a path the ANSI code page lacks arrives whole).
std::vector<std::string> ProgramArguments(int argc, char** argv);

/// Writes UTF-8 text to stream (stdout or stderr). A Windows console receives it as UTF-16,
/// so that it shows every character whatever its code page; elsewhere the bytes go as they are.
void WriteText(std::FILE* stream, std::string_view utf8);

/// The standard streams of the running program.
enum class StandardStream { Input, Output, Error };

/// True when the stream is connected to a terminal.
bool IsTerminal(StandardStream stream);

/// Makes the first Ctrl+C (SIGINT; on Windows the console's Ctrl+C or Ctrl+Break) only set a
/// flag, so that a conversion can stop between two files and still save what it has done; a
/// second Ctrl+C ends the program at once.
void InstallInterruptHandler();
/// True once Ctrl+C was pressed after InstallInterruptHandler.
bool InterruptRequested();

} // namespace qm
