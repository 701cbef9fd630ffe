// The exit status of quillmark-cli.
#pragma once

namespace qm::cli {

inline constexpr int kExitSuccess = 0;
/// The command failed; its message stands on stderr.
inline constexpr int kExitFailure = 1;
/// The command line could not be understood; a short usage text stands on stderr.
inline constexpr int kExitUsage = 2;
/// The user stopped the run with Ctrl+C (the shell's 128 + SIGINT).
inline constexpr int kExitInterrupted = 130;

} // namespace qm::cli
