#include "cli/Options.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "cli/CliTexts.h"

#include <algorithm>

namespace qm::cli {

namespace {

// Setting flags that take a text ("--input DIR").
struct TextFlag {
  std::string_view Name;
  std::optional<std::string> SettingFlags::*Field;
};
const TextFlag kTextFlags[] = {
    {"--input", &SettingFlags::InputPath},
    {"--output", &SettingFlags::OutputPath},
    {"--extra-files", &SettingFlags::ExtraFilesFolder},
    {"--help-title", &SettingFlags::HelpTitle},
    {"--help-language", &SettingFlags::HelpLanguage},
    {"--doc-default-page", &SettingFlags::DocDefaultPage},
    {"--tech-default-page", &SettingFlags::TechDefaultPage},
};

// Setting flags that switch an option: "--" + name sets it, "--no-" + name clears it.
struct SwitchFlag {
  std::string_view Name;
  std::optional<bool> SettingFlags::*Field;
};
const SwitchFlag kSwitchFlags[] = {
    {"subfolders", &SettingFlags::IncludeSubfolders},
    {"line-break", &SettingFlags::AutoLineBreak},
    {"oem", &SettingFlags::OemToAnsi},
    {"one-file-per-block", &SettingFlags::OneFilePerBlock},
    {"strict", &SettingFlags::WarningsAsErrors},
    {"doc-help", &SettingFlags::DocHelpEnabled},
    {"doc-toc", &SettingFlags::DocToc},
    {"doc-index", &SettingFlags::DocIndex},
    {"tech-help", &SettingFlags::TechHelpEnabled},
    {"tech-toc", &SettingFlags::TechToc},
    {"tech-index", &SettingFlags::TechIndex},
    {"alias-headers", &SettingFlags::AliasHeaders},
    {"map-c", &SettingFlags::MapHeaderC},
    {"map-pascal", &SettingFlags::MapHeaderPascal},
    {"map-java", &SettingFlags::MapHeaderJava},
    {"web-help", &SettingFlags::WebHelp},
};

constexpr std::string_view kKindsFlag = "--kinds";
constexpr std::string_view kExcludeFlag = "--exclude";
constexpr std::string_view kNoExcludeFlag = "--no-exclude";
constexpr std::string_view kStrictFlag = "--strict";
constexpr std::string_view kNoStrictFlag = "--no-strict";
constexpr std::string_view kWebHelpFlag = "--web-help";
constexpr std::string_view kNoWebHelpFlag = "--no-web-help";
constexpr std::string_view kSourceEncodingFlag = "--source-encoding";
constexpr std::string_view kNoPrefix = "no-";

bool IsHelpFlag(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}
bool IsVersionFlag(std::string_view arg) {
  return arg == "--version" || arg == "-V";
}

Command CommandNamed(const std::string& name) {
  if (name == kCommandConvert) {
    return Command::Convert;
  }
  if (name == kCommandSave) {
    return Command::Save;
  }
  throw UsageError(
      Format(name.starts_with('-') ? kErrUnknownOption : kErrUnknownCommand, name.c_str()));
}

// Parses the options and arguments that follow the command name.
class Parser {
public:
  Parser(const std::vector<std::string>& args, Options& options) : args_(args), options_(options) {}

  void Run() {
    for (pos_ = 1; pos_ < args_.size(); ++pos_) {
      const std::string& arg = args_[pos_];
      if (onlyPositional_ || arg.size() < 2 || arg.front() != '-') {
        positional_.push_back(arg);
      } else if (arg == "--") {
        onlyPositional_ = true;
      } else if (!Option(arg)) {
        return; // "--help": nothing after it matters
      }
    }
    Check();
  }

private:
  // Handles one option; false when it ends the parsing.
  bool Option(const std::string& arg) {
    name_ = arg;
    inlineValue_.reset();
    const size_t eq = arg.find('=');
    if (arg.starts_with("--") && eq != std::string::npos) {
      name_ = arg.substr(0, eq);
      inlineValue_ = arg.substr(eq + 1);
    }
    const Command cmd = options_.Cmd;
    if (IsHelpFlag(name_)) {
      NoValue();
      options_.HelpTopic = cmd;
      options_.Cmd = Command::Help;
      return false;
    }
    if (name_ == "--program-dir") {
      options_.ProgramDir = Value();
    } else if (name_ == "--quiet" || name_ == "-q") {
      NoValue();
      options_.Quiet = true;
    } else if (name_ == "--yes" || name_ == "-y") {
      OnlyFor(Command::Convert, kErrOnlyForConvert);
      NoValue();
      options_.Yes = true;
    } else if (name_ == "--help-project") {
      OnlyFor(Command::Convert, kErrOnlyForConvert);
      NoValue();
      options_.HelpProject = true;
    } else if (name_ == "--compile") {
      OnlyFor(Command::Convert, kErrOnlyForConvert);
      NoValue();
      options_.Compile = true;
    } else if (cmd == Command::Convert && (name_ == kStrictFlag || name_ == kNoStrictFlag)) {
      // A run option of convert, also beside a project file; save stores it as a setting.
      NoValue();
      options_.Strict = name_ == kStrictFlag;
    } else if (cmd == Command::Convert && (name_ == kWebHelpFlag || name_ == kNoWebHelpFlag)) {
      // Like --strict: also beside a project file, for this run's help project alone.
      NoValue();
      options_.WebHelp = name_ == kWebHelpFlag;
    } else if (name_ == "--prune") {
      OnlyFor(Command::Convert, kErrOnlyForConvert);
      NoValue();
      options_.Prune = true;
    } else if (name_ == "--dry-run") {
      OnlyFor(Command::Convert, kErrOnlyForConvert);
      NoValue();
      options_.DryRun = true;
    } else if (name_ == "--from") {
      OnlyFor(Command::Save, kErrOnlyForSave);
      options_.FromFile = Value();
    } else if (name_ == "--force") {
      OnlyFor(Command::Save, kErrOnlyForSave);
      NoValue();
      options_.Force = true;
    } else if (!SettingOption()) {
      throw UsageError(Format(kErrUnknownOption, name_.c_str()));
    }
    return true;
  }

  // Handles a setting flag; false when name_ is none.
  bool SettingOption() {
    if (!MatchSetting(options_.Settings)) {
      return false;
    }
    if (options_.FirstSettingFlag.empty()) {
      options_.FirstSettingFlag = name_;
    }
    return true;
  }

  bool MatchSetting(SettingFlags& flags) {
    if (name_ == kKindsFlag) {
      flags.Kinds = ParseKinds(Value());
      return true;
    }
    if (name_ == kSourceEncodingFlag) {
      flags.Encoding = ParseSourceEncoding(Value());
      return true;
    }
    if (name_ == kExcludeFlag) {
      const std::string pattern = Value();
      if (pattern.empty()) {
        throw UsageError(kErrEmptyPattern);
      }
      if (!flags.ExcludePatterns) {
        flags.ExcludePatterns.emplace();
      }
      flags.ExcludePatterns->push_back(Utf8ToAnsi(pattern));
      return true;
    }
    if (name_ == kNoExcludeFlag) {
      NoValue();
      flags.ExcludePatterns.emplace();
      return true;
    }
    for (const TextFlag& flag : kTextFlags) {
      if (name_ == flag.Name) {
        flags.*flag.Field = Utf8ToAnsi(Value());
        return true;
      }
    }
    if (!name_.starts_with("--")) {
      return false;
    }
    std::string_view bare = std::string_view(name_).substr(2);
    const bool negated = bare.starts_with(kNoPrefix);
    if (negated) {
      bare.remove_prefix(kNoPrefix.size());
    }
    for (const SwitchFlag& flag : kSwitchFlags) {
      if (bare == flag.Name) {
        NoValue();
        flags.*flag.Field = !negated;
        return true;
      }
    }
    return false;
  }

  std::string Value() {
    if (inlineValue_) {
      return *inlineValue_;
    }
    if (pos_ + 1 >= args_.size()) {
      throw UsageError(Format(kErrNeedsValue, name_.c_str()));
    }
    return args_[++pos_];
  }

  void NoValue() const {
    if (inlineValue_) {
      throw UsageError(Format(kErrTakesNoValue, name_.c_str()));
    }
  }

  void OnlyFor(Command cmd, const char* message) const {
    if (options_.Cmd != cmd) {
      throw UsageError(Format(message, name_.c_str()));
    }
  }

  // The rules that concern the command line as a whole.
  void Check() {
    if (options_.Compile && !options_.HelpProject) {
      throw UsageError(kErrCompileNeedsHelpProject);
    }
    if (options_.DryRun && !options_.Prune) {
      throw UsageError(kErrDryRunNeedsPrune);
    }
    if (positional_.size() > 1) {
      throw UsageError(Format(kErrTooManyArguments, positional_[1].c_str()));
    }
    const SettingFlags& flags = options_.Settings;
    if (!positional_.empty()) {
      options_.ProjectFile = positional_.front();
    }
    if (options_.Cmd == Command::Save) {
      if (positional_.empty()) {
        throw UsageError(kErrMissingProject);
      }
      return;
    }
    if (!positional_.empty()) {
      if (!options_.FirstSettingFlag.empty()) {
        throw UsageError(Format(kErrSettingsWithProject, options_.FirstSettingFlag.c_str()));
      }
      return;
    }
    if (!flags.InputPath) {
      throw UsageError(kErrMissingInput);
    }
    if (!flags.Kinds) {
      throw UsageError(kErrMissingKinds);
    }
  }

  const std::vector<std::string>& args_;
  Options& options_;
  size_t pos_ = 0;
  bool onlyPositional_ = false;
  std::string name_;
  std::optional<std::string> inlineValue_;
  std::vector<std::string> positional_;
};

template <typename T> void Take(const std::optional<T>& flag, T& setting) {
  if (flag) {
    setting = *flag;
  }
}

} // namespace

Options ParseArguments(const std::vector<std::string>& args) {
  Options options;
  if (args.empty()) {
    throw UsageError(kErrNoCommand);
  }
  const std::string& first = args.front();
  if (IsHelpFlag(first)) {
    return options;
  }
  if (IsVersionFlag(first)) {
    options.Cmd = Command::Version;
    return options;
  }
  if (first == kCommandHelp) {
    if (args.size() > 2) {
      throw UsageError(Format(kErrTooManyArguments, args[2].c_str()));
    }
    if (args.size() == 2) {
      options.HelpTopic = CommandNamed(args[1]);
    }
    return options;
  }
  options.Cmd = CommandNamed(first);
  Parser(args, options).Run();
  return options;
}

SourceKindSet ParseKinds(std::string_view list) {
  SourceKindSet kinds;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(',', start);
    if (end == std::string_view::npos) {
      end = list.size();
    }
    // The list is UTF-8 as typed: it is lower-cased only for the comparison, so that the
    // message names the kind exactly as it was typed.
    const std::string typed = Trim(list.substr(start, end - start));
    if (typed.empty()) {
      throw UsageError(Format(kErrEmptyKind, std::string(list).c_str()));
    }
    const std::string name = AnsiLowerCase(typed);
    const auto known =
        std::find_if(kSourceKindTable.begin(), kSourceKindTable.end(),
                     [&](const SourceKindInfo& kind) { return name == kind.flagName; });
    if (known == kSourceKindTable.end()) {
      throw UsageError(Format(kErrUnknownKind, typed.c_str(), KindNames(kSourceKindTable).c_str()));
    }
    kinds.Set(known->kind);
    start = end + 1;
  }
  return kinds;
}

SourceEncoding ParseSourceEncoding(std::string_view value) {
  const std::string name = AnsiLowerCase(Trim(value));
  std::string known;
  for (const SourceEncodingInfo& info : kSourceEncodingTable) {
    if (name == info.flagName) {
      return info.encoding;
    }
    known += (known.empty() ? "" : kKindNameSeparator) + std::string(info.flagName);
  }
  throw UsageError(Format(kErrUnknownEncoding, std::string(value).c_str(), known.c_str()));
}

void ApplySettingFlags(const SettingFlags& flags, ProjectSettings& settings) {
  Take(flags.InputPath, settings.InputPath);
  Take(flags.OutputPath, settings.OutputPath);
  Take(flags.ExtraFilesFolder, settings.ExtraFilesFolder);
  Take(flags.Kinds, settings.Kinds);
  Take(flags.IncludeSubfolders, settings.IncludeSubfolders);
  Take(flags.ExcludePatterns, settings.ExcludePatterns);
  Take(flags.AutoLineBreak, settings.AutoLineBreak);
  Take(flags.OemToAnsi, settings.OemToAnsi);
  Take(flags.OneFilePerBlock, settings.OneFilePerBlock);
  Take(flags.Encoding, settings.Encoding);
  Take(flags.WarningsAsErrors, settings.WarningsAsErrors);

  HelpProjectSettings& help = settings.Help;
  Take(flags.HelpTitle, help.Title);
  Take(flags.HelpLanguage, help.Language);
  Take(flags.DocDefaultPage, help.DocDefaultPage);
  Take(flags.TechDefaultPage, help.TechDefaultPage);
  Take(flags.DocHelpEnabled, help.DocHelpEnabled);
  Take(flags.DocToc, help.DocToc);
  Take(flags.DocIndex, help.DocIndex);
  Take(flags.TechHelpEnabled, help.TechHelpEnabled);
  Take(flags.TechToc, help.TechToc);
  Take(flags.TechIndex, help.TechIndex);
  Take(flags.AliasHeaders, help.AliasHeaders);
  Take(flags.MapHeaderC, help.MapHeaderC);
  Take(flags.MapHeaderPascal, help.MapHeaderPascal);
  Take(flags.MapHeaderJava, help.MapHeaderJava);
  Take(flags.WebHelp, help.WebHelp);
}

std::string KindNames(std::span<const SourceKindInfo> kinds) {
  std::string names;
  for (const SourceKindInfo& kind : kinds) {
    names += names.empty() ? "" : kKindNameSeparator;
    names += kind.flagName;
  }
  return names;
}

std::string ProgramFolderOf(const Options& options) {
  return options.ProgramDir.empty() ? ProgramFolder() : AddTrailingBackslash(options.ProgramDir);
}

} // namespace qm::cli
