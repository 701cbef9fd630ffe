// The terminal a command-line program runs in: whether its standard streams are terminals, and
// Ctrl+C turned into a request that the program can act on between two steps.
#pragma once

namespace qm {

/// The standard streams of the running program.
enum class StandardStream { Input, Output, Error };

/// True when the stream is connected to a terminal.
bool IsTerminal(StandardStream stream);

/// Makes the first Ctrl+C (SIGINT) only set a flag, so that a conversion can stop between two
/// files and still save what it has done; a second Ctrl+C ends the program at once.
void InstallInterruptHandler();
/// True once Ctrl+C was pressed after InstallInterruptHandler.
bool InterruptRequested();

} // namespace qm
