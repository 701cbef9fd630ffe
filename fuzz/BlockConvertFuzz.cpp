// Feeds bytes to the conversion of one block. The first byte chooses the options:
//   bit 0: automatic line break; bits 1-4: the source's extension (one per comment syntax,
//   and one no syntax knows).
// The rest is the block's comment lines. Besides ending without a fault, the shortcuts of the
// conversion must give what the plain operations give.
#include "base/AnsiText.h"
#include "base/TextFile.h"
#include "engine/BlockConvert.h"
#include "engine/CharTables.h"
#include "engine/CommentSyntax.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr const char* kExtensions[] = {".pas", ".p",   ".dpr", ".bpg", ".dpk",  ".c",
                                       ".h",   ".cpp", ".hpp", ".rul", ".java", ".bas",
                                       ".sql", ".asm", ".htm", ".txt"};

struct Tables {
  qm::TagTable tags;
  qm::CharacterTable chars;
  Tables() {
    tags.Assign(qm::ReadTextLines(QM_SOURCE_DIR "/data/HTMLTags.txt"));
    chars.Assign(qm::ReadTextLines(QM_SOURCE_DIR "/data/Umlaute.txt"));
  }
};

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Tables tables;
  if (size == 0) {
    return 0;
  }
  const bool autoLineBreak = (data[0] & 1) != 0;
  const std::string_view ext = kExtensions[(data[0] >> 1) % std::size(kExtensions)];
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  // The block as the scan hands it over: the start-marker line first, never converted.
  qm::Lines block = qm::SplitLines(text);
  block.insert(block.begin(), std::string());
  std::string html = qm::ConvertBlock(block, ext, autoLineBreak, tables.tags, tables.chars);
  (void)qm::ExtractContextId(html);
  Check(html.find(qm::kContextIdNeedle) == std::string::npos);

  const qm::CommentSyntax syntax = qm::SyntaxForExtension(ext);
  for (const std::string& line : block) {
    (void)qm::StripCommentLine(line, syntax);
  }

  // Shortcuts: text that needs no conversion is used as it is, replacements in place.
  const std::string converted = qm::ConvertChars(text, tables.tags, tables.chars);
  if (!qm::NeedsConversion(text, tables.chars)) {
    Check(converted == text);
  }
  const std::string link = qm::MapLinkChars(converted, tables.chars);
  if (!qm::NeedsLinkMapping(converted, tables.chars)) {
    Check(link == converted);
  }
  std::string unmapped(converted);
  qm::UnmapCharsIn(unmapped, tables.chars);
  Check(unmapped == qm::UnmapChars(converted, tables.chars));
  Check(qm::NormalizeLineBreaks(text) == qm::JoinLines(qm::SplitLines(text)));
  for (const qm::CharRow& row : tables.chars.rows()) {
    std::string replaced(text);
    qm::ReplaceAllIn(replaced, row.to, row.from);
    Check(replaced == qm::ReplaceAll(text, row.to, row.from));
    replaced = std::string(text);
    qm::ReplaceAllNoCaseIn(replaced, row.from, row.link);
    Check(replaced == qm::ReplaceAllNoCase(text, row.from, row.link));
  }
  (void)qm::ExpandEscapes(text);
  (void)qm::EscapeControlChars(text);
  return 0;
}
