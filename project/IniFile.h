// An INI text held in memory: read values, update keys in place, add keys and sections, erase
// sections, and write the whole text back with every untouched line as it was.
#pragma once

#include "base/AnsiText.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm {

/// A parsed INI text. A section starts at a line "[name]"; an entry is a line "key=value"
/// inside a section that does not start with ";". Lines before the first section (a comment
/// header) are never entries. Section and key names compare without regard to Windows-1252
/// case; blanks around names and values are ignored. When a name occurs twice, the first
/// section and, within it, the first entry count.
///
/// Values that would not read back as written (leading or trailing blanks, or the same quote
/// character ' or " at both ends) are written in double quotes; reading strips one pair of
/// matching quotes. Every value without CR or LF reads back exactly as written; a NUL byte is
/// an ordinary character of a line.
///
/// All operations cost time in proportion to the names and values involved, not to the size
/// of the text.
class IniFile {
public:
  /// An empty text.
  IniFile() = default;
  /// Parses text; lines end at CR LF, CR or LF. The whole text is kept, NUL bytes included, so
  /// that rewriting a file loses none of its lines.
  explicit IniFile(std::string_view text);

  /// True when the text holds a section of that name.
  bool HasSection(std::string_view section) const { return Find(section) != nullptr; }

  /// The value of key in section, or nothing when either is missing.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;

  /// Sets key in section to value: an existing entry is replaced in place, a missing one is
  /// added after the last entry of its section, a missing section is added at the end.
  /// A value with CR or LF would break its line apart and read back as something else: it is
  /// refused, nothing changes and the result is false.
  bool Write(std::string_view section, std::string_view key, std::string_view value);

  /// Removes the entry of key in section, if any; the other lines stay. Costs time in
  /// proportion to the entries of the section.
  void EraseKey(std::string_view section, std::string_view key);

  /// Removes every section of that name: its bracket line and everything up to the next
  /// section. A missing section changes nothing.
  void EraseSection(std::string_view section);

  /// The whole text, every line followed by CR LF.
  std::string Text() const;

private:
  struct Section {
    Lines body; ///< the bracket line and the lines up to the section's last entry
    Lines tail; ///< comments and blank lines after the last entry
    std::unordered_map<std::string, size_t> keys; ///< upper-case key -> line in body
    bool erased = false;
  };

  Section* Find(std::string_view section);
  const Section* Find(std::string_view section) const;
  Section& Add(std::string_view section, std::string bracketLine);

  Lines preamble_;
  std::vector<Section> sections_;
  /// Upper-case section name -> the sections of that name, in file order.
  std::unordered_map<std::string, std::vector<size_t>> index_;
};

/// value as the writer puts it after "=" (quoted when needed).
std::string EncodeIniValue(std::string_view value);
/// The value of the text after "=" as the reader sees it (trimmed, one pair of quotes off).
std::string DecodeIniValue(std::string_view raw);

} // namespace qm
