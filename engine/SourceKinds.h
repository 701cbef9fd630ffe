// The kinds of source files a conversion can search: one table says for each its names in the
// command line, the project file and the main window, its file masks and its comment syntax.
#pragma once

#include "engine/CommentSyntax.h"
#include "engine/EnumTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// The kinds, in the order of the table below.
enum class SourceKind { Pascal, C, Java, InstallShield, Basic, SQL, Assembler, HTML };
inline constexpr size_t kSourceKindCount = 8;

struct SourceKindInfo {
  SourceKind kind;
  std::string_view flagName;   ///< its name in the command line's list of kinds ("pascal")
  std::string_view projectKey; ///< its key in the project file's section "Main.Eingabe.Quellen"
  std::string_view caption;    ///< UTF-8, its check box's text in the main window
  std::string_view boxName;    ///< the check box's objectName, which also names its stored value
  std::span<const std::string_view> masks; ///< file masks ("*.pas"), in the order searched
  CommentSyntax syntax;                    ///< of the files its masks find
};

inline constexpr std::string_view kPascalMasks[] = {"*.pas", "*.p", "*.dpr", "*.bpg", "*.dpk"};
inline constexpr std::string_view kCMasks[] = {"*.c", "*.cpp", "*.h", "*.hpp"};
inline constexpr std::string_view kJavaMasks[] = {"*.java"};
/// Scripts include C headers, so their kind finds "*.h" too.
inline constexpr std::string_view kInstallShieldMasks[] = {"*.rul", "*.h"};
inline constexpr std::string_view kBasicMasks[] = {"*.bas"};
inline constexpr std::string_view kSqlMasks[] = {"*.sql"};
inline constexpr std::string_view kAssemblerMasks[] = {"*.asm"};
inline constexpr std::string_view kHtmlMasks[] = {"*.htm", "*.html"};

inline constexpr CommentSyntax kCSyntax{"/*", "*/", "", "", "//", false};

/// One row per kind, in SourceKind order. This is the order of the project file's keys, of the
/// window's check boxes (down the left column, then the right) and of the command line's help.
/// The captions are the window's as they have always read, the stray ";" of InstallShield's
/// included.
inline constexpr std::array<SourceKindInfo, kSourceKindCount> kSourceKindTable{{
    {SourceKind::Pascal,
     "pascal",
     "Pascal",
     "Pascal-Quelle (*.pas;*.p;*.dpr;*.bpg;*.dpk)",
     "optPascal",
     kPascalMasks,
     {"{", "}", "(*", "*)", "//", false}},
    {SourceKind::C, "c", "C++", "C/C++-Quelle (*.c;*.cpp;*.h;*.hpp)", "optC", kCMasks, kCSyntax},
    {SourceKind::Java,
     "java",
     "Java",
     "Java-Quelle (*.java)",
     "optJava",
     kJavaMasks,
     {"/*", "*/", "/**", "*/", "//", true}},
    {SourceKind::InstallShield, "installshield", "Installshield",
     "Installshield-Quelle (*.rul;*.h);", "optInstallShield", kInstallShieldMasks, kCSyntax},
    {SourceKind::Basic,
     "basic",
     "Basic",
     "Basic-Quelle (*.bas)",
     "optBasic",
     kBasicMasks,
     {"", "", "", "", "'", false}},
    {SourceKind::SQL,
     "sql",
     "SQL",
     "SQL-Quelle (*.sql)",
     "optSQL",
     kSqlMasks,
     {"/*", "*/", "", "", "--", false}},
    {SourceKind::Assembler,
     "assembler",
     "Assembler",
     "Assembler-Quelle (*.asm)",
     "optAssembler",
     kAssemblerMasks,
     {"", "", "", "", ";", false}},
    {SourceKind::HTML,
     "html",
     "HTML",
     "HTML-Quelle (*.htm;*.html)",
     "optHTML",
     kHtmlMasks,
     {"<!--", "-->", "", "", "", false}},
}};

/// The order in which the masks of the ticked kinds are searched; the sources of one folder
/// come grouped by mask in this order.
inline constexpr std::array<SourceKind, kSourceKindCount> kMaskSearchOrder{
    SourceKind::Pascal,    SourceKind::C,     SourceKind::Java, SourceKind::SQL,
    SourceKind::Assembler, SourceKind::Basic, SourceKind::HTML, SourceKind::InstallShield,
};

/// The row of kind.
constexpr const SourceKindInfo& SourceKindInfoOf(SourceKind kind) {
  return kSourceKindTable[EnumIndex(kind)];
}

/// A set of kinds, such as the ticked ones. It has room for more kinds than there are.
class SourceKindSet {
public:
  SourceKindSet() = default;
  SourceKindSet(std::initializer_list<SourceKind> kinds) {
    for (SourceKind kind : kinds) {
      Set(kind);
    }
  }
  bool operator[](SourceKind kind) const { return (bits_ & Bit(kind)) != 0; }
  void Set(SourceKind kind, bool ticked = true) {
    bits_ = ticked ? bits_ | Bit(kind) : bits_ & ~Bit(kind);
  }
  bool operator==(const SourceKindSet&) const = default;

private:
  static uint32_t Bit(SourceKind kind) { return uint32_t{1} << EnumIndex(kind); }
  uint32_t bits_ = 0;
};

/// The masks of the kinds in kinds, in kMaskSearchOrder, each mask once: of C/C++ and
/// InstallShield together, "*.h" stands among the C/C++ masks, since a header found twice
/// would be converted twice.
std::vector<std::string> MasksForKinds(const SourceKindSet& kinds);

/// The kind whose masks name the extension ext (with its dot, compared without regard to
/// case), the first in table order; nothing for any other extension.
const SourceKindInfo* KindOfExtension(std::string_view ext);

} // namespace qm
