// The command line of quillmark-cli, parsed into what the commands need. Parsing never touches
// the file system, so every rule here can be tested without running the program.
#pragma once

#include "project/ProjectSettings.h"

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qm::cli {

/// A command line that cannot be carried out as written. The message is UTF-8 and names the
/// offending argument; the front end prints it with the short usage text and exits with 2.
class UsageError : public std::runtime_error {
public:
  explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

enum class Command { Help, Version, Convert, Save };

/// Settings given on the command line. An unset field leaves the setting as it was (loaded or
/// default); a set one replaces it. Texts are Windows-1252, converted from the UTF-8 arguments.
struct SettingFlags {
  std::optional<std::string> InputPath;
  std::optional<std::string> OutputPath;
  std::optional<std::string> ExtraFilesFolder;
  std::optional<SourceKindSet> Kinds;
  std::optional<bool> IncludeSubfolders;
  std::optional<bool> AutoLineBreak;
  std::optional<bool> OemToAnsi;
  std::optional<bool> OneFilePerBlock;
  std::optional<SourceEncoding> Encoding;
  std::optional<bool> WarningsAsErrors; ///< save: --strict / --no-strict
  /// --exclude, once per pattern, in order; --no-exclude empties the list.
  std::optional<Lines> ExcludePatterns;

  std::optional<std::string> HelpTitle;
  std::optional<std::string> HelpLanguage;
  std::optional<std::string> DocDefaultPage;
  std::optional<std::string> TechDefaultPage;
  std::optional<bool> DocHelpEnabled;
  std::optional<bool> DocToc;
  std::optional<bool> DocIndex;
  std::optional<bool> TechHelpEnabled;
  std::optional<bool> TechToc;
  std::optional<bool> TechIndex;
  std::optional<bool> AliasHeaders;
  std::optional<bool> MapHeaderC;
  std::optional<bool> MapHeaderPascal;
  std::optional<bool> MapHeaderJava;
  std::optional<bool> WebHelp;
};

/// One parsed command line.
struct Options {
  Command Cmd = Command::Help;
  /// With Cmd == Help: the command whose help is wanted, Help for the whole text.
  Command HelpTopic = Command::Help;
  /// Paths (program folder, project files) keep the spelling of the command line, as the file
  /// system does; settings texts are Windows-1252.
  std::string ProgramDir; ///< empty: the executable's folder
  bool Yes = false;
  bool Force = false; ///< save: write into an existing file that holds no project section
  bool Quiet = false;
  bool HelpProject = false;
  bool Compile = false; ///< convert: compile the written help projects (needs HelpProject)
  /// convert: --strict / --no-strict, which take the place of the project's
  /// WarningsAsErrors; unset, the project's value (off in a run from flags) holds.
  std::optional<bool> Strict;
  /// convert: --web-help / --no-web-help, which take the place of the project's web-help
  /// setting for this run; unset, the project's value (off in a run from flags) holds.
  std::optional<bool> WebHelp;
  bool Prune = false;  ///< convert: remove stale pages after a complete run
  bool DryRun = false; ///< convert: with Prune, only list them
  /// convert: the project file (empty in flag mode); save: the file to write.
  std::string ProjectFile;
  std::string FromFile; ///< save --from
  SettingFlags Settings;
  /// The first setting flag as typed, for the message when settings meet a project file.
  std::string FirstSettingFlag;
};

/// Parses the arguments after the program name. Throws UsageError for an unknown command or
/// option, a missing or superfluous value, an unknown source kind, convert without --input or
/// --kinds (and without a project file), setting flags together with a project file, and
/// save without exactly one project file. "--help" anywhere asks for the command's help.
/// Options take their value as the next argument or after "=" ("--input=src").
Options ParseArguments(const std::vector<std::string>& args);

/// Parses a comma-separated list of source kind names (the flag names of kSourceKindTable;
/// case and blanks around names do not matter). Throws UsageError for an unknown or empty
/// name.
SourceKindSet ParseKinds(std::string_view list);

/// The source encoding a value of "--source-encoding" names (a flag name of
/// kSourceEncodingTable; case does not matter). Throws UsageError for any other value.
SourceEncoding ParseSourceEncoding(std::string_view value);

/// The command-line names of kinds in their order, separated by ", ".
std::string KindNames(std::span<const SourceKindInfo> kinds);

/// Replaces every value of settings that flags sets.
void ApplySettingFlags(const SettingFlags& flags, ProjectSettings& settings);

/// The program folder (ending in "/"): --program-dir, else the executable's folder.
std::string ProgramFolderOf(const Options& options);

} // namespace qm::cli
