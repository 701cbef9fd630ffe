#include "project/ProjectFile.h"

#include "base/Clock.h"
#include "base/CodePages.h"
#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "project/IniFile.h"
#include "project/ProjectKeys.h"

#include <array>
#include <cerrno>
#include <cstdint>

namespace qm {

namespace {

// The value fields, each with its section, key and loading default, in the order of a save.
// One list serves loading (S = ProjectSettings) and saving (S = const ProjectSettings), so
// the two cannot drift apart. Texts load as empty when missing, kinds as not ticked.
template <typename S, typename Visitor>
void VisitMainFields(S& s, std::span<const SourceKindInfo> kinds, Visitor&& v) {
  v.Text(kSecMain, kKeyExtraFiles, s.ExtraFilesFolder);
  v.Text(kSecInput, kKeyPath, s.InputPath);
  v.Flag(kSecInput, kKeySubfolders, s.IncludeSubfolders, true);
  v.List(kSecInput, kKeyExcludePattern, s.ExcludePatterns);
  for (const SourceKindInfo& kind : kinds) {
    v.Kind(kSecSources, kind.projectKey, s.Kinds, kind.kind);
  }
  v.Text(kSecOutput, kKeyPath, s.OutputPath);
  v.Flag(kSecOptions, kKeyLineBreak, s.AutoLineBreak, true);
  v.Flag(kSecOptions, kKeyOemToAnsi, s.OemToAnsi, false);
  v.Flag(kSecOptions, kKeyOneFilePerBlock, s.OneFilePerBlock, false);
  v.Encoding(kSecOptions, kKeySourceEncoding, s.Encoding);
  v.OptionalFlag(kSecOptions, kKeyWarningsAsErrors, s.WarningsAsErrors);
}

template <typename S, typename Visitor> void VisitHelpFields(S& s, Visitor&& v) {
  auto& h = s.Help;
  v.Text(kSecHelp, kKeyHelpTitle, h.Title);
  v.Text(kSecHelp, kKeyHelpLanguage, h.Language);
  v.Flag(kSecHelp, kKeyAliasHeaders, h.AliasHeaders, true);
  v.Flag(kSecHelp, kKeyMapHeaderC, h.MapHeaderC, true);
  v.Flag(kSecHelp, kKeyMapHeaderPascal, h.MapHeaderPascal, false);
  v.Flag(kSecHelp, kKeyMapHeaderJava, h.MapHeaderJava, false);
  v.OptionalFlag(kSecHelp, kKeyWebHelp, h.WebHelp);
  v.Flag(kSecHelpDoc, kKeyHelpEnabled, h.DocHelpEnabled, true);
  v.Text(kSecHelpDoc, kKeyDefaultPage, h.DocDefaultPage);
  v.Flag(kSecHelpDoc, kKeyToc, h.DocToc, true);
  v.Flag(kSecHelpDoc, kKeyIndex, h.DocIndex, true);
  v.Flag(kSecHelpTech, kKeyHelpEnabled, h.TechHelpEnabled, true);
  v.Text(kSecHelpTech, kKeyDefaultPage, h.TechDefaultPage);
  v.Flag(kSecHelpTech, kKeyToc, h.TechToc, true);
  v.Flag(kSecHelpTech, kKeyIndex, h.TechIndex, true);
}

// The key of item i of a list kept as numbered keys ("Zeile0", "Ausschluss3").
std::string NumberedKey(const char* key, size_t i) {
  return key + std::to_string(i);
}

std::string TemplateKey(size_t line) {
  return NumberedKey(kKeyTemplateLine, line);
}

// Reads a boolean as a whole number: decimal with an optional sign, or hexadecimal after
// "0x" / "0X" when the text is longer than two characters. Any number but 0 is true; a text
// that is no number (or too large for 32 bits) gives nothing.
std::optional<bool> ParseFlag(std::string_view text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const unsigned base = hex ? 16 : 10;
  size_t i = hex ? 2 : 0;
  bool negative = false;
  if (!hex && i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) {
    return std::nullopt;
  }
  // Hexadecimal covers the full 32 bits (0xFFFFFFFF is -1); decimal the signed range.
  const uint64_t limit = hex ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > limit) {
      return std::nullopt;
    }
  }
  return value != 0;
}

// The INI text of a project file in the file's own encoding: Windows-1252 bytes, or UTF-8
// behind a byte-order mark when another editor saved it so. Section names, keys and values
// pass in and out as Windows-1252 text either way; a save keeps the encoding and the mark.
class ProjectText {
public:
  /// An empty Windows-1252 text (a new file).
  ProjectText() = default;
  /// The text of the file at path as read.
  ProjectText(std::string_view bytes, std::string path) : path_(std::move(path)) {
    utf8_ = bytes.starts_with(kUtf8Mark);
    if (utf8_) {
      bytes.remove_prefix(std::string_view(kUtf8Mark).size());
    }
    ini_ = IniFile(bytes);
  }

  bool HasSection(std::string_view section) const { return ini_.HasSection(Name(section)); }

  /// The value as Windows-1252 text; throws Error(kMsgValueNotAnsi) when a UTF-8 value holds
  /// a character that Windows-1252 lacks.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const {
    std::optional<std::string> value = ini_.Read(Name(section), Name(key));
    if (!utf8_ || !value) {
      return value;
    }
    std::optional<std::string> ansi = Utf8ToAnsiExact(*value);
    if (!ansi) {
      throw MakeError(FileOperation::Open, path_, 0, kMsgValueNotAnsi, ErrorArg::Path(path_),
                      ErrorArg::Text(key), ErrorArg::Text(section));
    }
    return ansi;
  }

  bool Write(std::string_view section, std::string_view key, std::string_view value) {
    return ini_.Write(Name(section), Name(key), utf8_ ? AnsiToUtf8(value) : std::string(value));
  }

  void EraseKey(std::string_view section, std::string_view key) {
    ini_.EraseKey(Name(section), Name(key));
  }
  void EraseSection(std::string_view section) { ini_.EraseSection(Name(section)); }

  /// The whole file, with the mark when it had one.
  std::string Bytes() const { return utf8_ ? kUtf8Mark + ini_.Text() : ini_.Text(); }

private:
  std::string Name(std::string_view name) const {
    return utf8_ ? AnsiToUtf8(name) : std::string(name);
  }

  IniFile ini_;
  bool utf8_ = false;
  std::string path_;
};

struct Loader {
  const ProjectText& ini;
  void Text(const char* section, const char* key, std::string& field) const {
    field = ini.Read(section, key).value_or(std::string());
  }
  void Flag(const char* section, std::string_view key, bool& field, bool fallback) const {
    const std::optional<std::string> raw = ini.Read(section, key);
    const std::optional<bool> parsed = raw ? ParseFlag(*raw) : std::nullopt;
    field = parsed.value_or(fallback);
  }
  void Kind(const char* section, std::string_view key, SourceKindSet& kinds,
            SourceKind kind) const {
    bool ticked = false;
    Flag(section, key, ticked, false);
    kinds.Set(kind, ticked);
  }
  void OptionalFlag(const char* section, std::string_view key, bool& field) const {
    Flag(section, key, field, false);
  }
  // The first missing number ends the list.
  void List(const char* section, const char* key, Lines& field) const {
    field.clear();
    while (std::optional<std::string> item = ini.Read(section, NumberedKey(key, field.size()))) {
      field.push_back(std::move(*item));
    }
  }
  // A value that names no encoding loads as the default.
  void Encoding(const char* section, const char* key, SourceEncoding& field) const {
    field = SourceEncoding::Auto;
    const std::optional<std::string> raw = ini.Read(section, key);
    for (const SourceEncodingInfo& info : kSourceEncodingTable) {
      if (raw && SameText(*raw, info.projectValue)) {
        field = info.encoding;
      }
    }
  }
};

// Sets one entry; a value the file cannot hold (a line break in it) ends the save before
// anything reaches the disk.
void WriteEntry(ProjectText& ini, const std::string& path, std::string_view section,
                std::string_view key, std::string_view value) {
  if (!ini.Write(section, key, value)) {
    throw MakeError(FileOperation::Save, path, 0, kMsgValueWithLineBreak, ErrorArg::Path(path));
  }
}

struct Saver {
  ProjectText& ini;
  const std::string& path;
  void Text(const char* section, const char* key, const std::string& field) const {
    WriteEntry(ini, path, section, key, field);
  }
  void Flag(const char* section, std::string_view key, bool field, bool /*fallback*/) const {
    WriteEntry(ini, path, section, key, field ? kValueTrue : kValueFalse);
  }
  void Kind(const char* section, std::string_view key, const SourceKindSet& kinds,
            SourceKind kind) const {
    Flag(section, key, kinds[kind], false);
  }
  void Encoding(const char* section, const char* key, SourceEncoding field) const {
    if (field != SourceEncoding::Auto || ini.Read(section, key)) {
      WriteEntry(ini, path, section, key, SourceEncodingInfoOf(field).projectValue);
    }
  }
  // Items beyond the list's end that an earlier save left are removed, so that the list
  // reads back as it is; a file without the list keeps its bytes.
  void List(const char* section, const char* key, const Lines& field) const {
    for (size_t i = 0; i < field.size(); ++i) {
      WriteEntry(ini, path, section, NumberedKey(key, i), field[i]);
    }
    for (size_t i = field.size(); ini.Read(section, NumberedKey(key, i)); ++i) {
      ini.EraseKey(section, NumberedKey(key, i));
    }
  }
  // A flag that is off unless set: a file without its key keeps its bytes.
  void OptionalFlag(const char* section, std::string_view key, bool field) const {
    if (field || ini.Read(section, key)) {
      Flag(section, key, field, false);
    }
  }
};

// Whether ini holds at least one section of a project file.
bool HasProjectSection(const ProjectText& ini) {
  for (const char* section : {kSecMain, kSecInput, kSecSources, kSecOutput, kSecOptions, kSecHelp,
                              kSecHelpDoc, kSecHelpTech}) {
    if (ini.HasSection(section)) {
      return true;
    }
  }
  for (const TemplateInfo& t : kTemplateTable) {
    if (ini.HasSection(t.section)) {
      return true;
    }
  }
  return false;
}

// The seven header lines of a new project file, dated now.
std::string HeaderText() {
  return JoinLines({kHeaderRule, "", kHeaderDoNotEdit, kHeaderRule,
                    Format(kHeaderCreated, DateTimeText().c_str()), kHeaderRule, ""});
}

} // namespace

ProjectSettings LoadProjectFile(const std::string& path, std::span<const SourceKindInfo> kinds) {
  std::string text;
  bool exists = true;
  try {
    text = ReadFileBytes(path);
  } catch (const Error& e) {
    // Only a file that is not there loads as all defaults.
    const int err = e.Parts().systemError;
    if (err != ENOENT && err != ENOTDIR) {
      throw;
    }
    exists = false;
  }
  const ProjectText ini(text, path);
  // Some other file would load as defaults, and a later save would merge a project into it.
  if (exists && !HasProjectSection(ini)) {
    throw MakeError(FileOperation::Open, path, 0, kMsgNotAProject, ErrorArg::Path(path));
  }
  ProjectSettings s;
  const Loader loader{ini};
  VisitMainFields(s, kinds, loader);
  for (const TemplateInfo& t : kTemplateTable) {
    Lines& lines = s.Templates[t.id];
    lines.clear();
    // The first missing line number ends the template.
    while (std::optional<std::string> line = ini.Read(t.section, TemplateKey(lines.size()))) {
      lines.push_back(std::move(*line));
    }
  }
  VisitHelpFields(s, loader);
  return s;
}

bool HoldsProjectSection(const std::string& path) {
  if (!FileExists(path)) {
    return false;
  }
  return HasProjectSection(ProjectText(ReadFileBytes(path), path));
}

void SaveProjectFile(const std::string& path, const ProjectSettings& settings,
                     std::span<const SourceKindInfo> kinds) {
  ProjectText ini;
  if (FileExists(path)) {
    try {
      ini = ProjectText(ReadFileBytes(path), path);
    } catch (const Error& e) {
      // Without its old content the file cannot be merged into; leave it alone.
      throw Error::File(FileOperation::Save, kMsgCannotWriteProject, path, e.Parts().systemError);
    }
  } else {
    ini = ProjectText(HeaderText(), path);
  }

  const Saver saver{ini, path};
  VisitMainFields(settings, kinds, saver);
  // Erase all eight first, then write: a template never finds stale lines of its own.
  for (const TemplateInfo& t : kTemplateTable) {
    ini.EraseSection(t.section);
  }
  for (const TemplateInfo& t : kTemplateTable) {
    const Lines& lines = settings.Templates[t.id];
    for (size_t i = 0; i < lines.size(); ++i) {
      WriteEntry(ini, path, t.section, TemplateKey(i), lines[i]);
    }
  }
  VisitHelpFields(settings, saver);

  WriteFileAtomic(path, ini.Bytes(), kMsgCannotWriteProject);
}

} // namespace qm
