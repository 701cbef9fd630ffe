#include "helpproject/MapHeaderWriter.h"

#include "base/Clock.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "helpproject/HelpTexts.h"

#include <string>

namespace qm {

namespace {

/// The text that replaces "%FILE%": the unit or class name, padded to its field width.
std::string PaddedFileName(std::string name) {
  if (name.size() < kMapFileFieldWidth) {
    name.append(kMapFileFieldWidth - name.size(), ' ');
  }
  return name;
}

/// Appends the header template with its placeholders filled, in their fixed order.
void AppendHeaderTemplate(Lines& lines, const Lines& header, const char* typeText,
                          const std::string& fileName) {
  const std::string file = PaddedFileName(fileName);
  const std::string year = std::to_string(CurrentYear());
  for (const std::string& line : header) {
    std::string s = ReplaceAll(line, kPlaceholderType, typeText);
    s = ReplaceAll(s, kPlaceholderFile, file);
    lines.push_back(ReplaceAll(s, kPlaceholderYear, year));
  }
}

void AppendCommentTemplate(Lines& lines, const Lines& comment) {
  const std::string now = DateTimeText();
  for (const std::string& line : comment) {
    lines.push_back(ReplaceAll(line, kPlaceholderDateTime, now));
  }
}

/// The comment block that stands below the header in every language: open, empty, the
/// comment template, empty, close.
void AppendCommentBlock(Lines& lines, const MapHeadTemplates& head, const char* open,
                        const char* close) {
  lines.emplace_back(open);
  lines.emplace_back();
  AppendCommentTemplate(lines, head.Comment);
  lines.emplace_back();
  lines.emplace_back(close);
  lines.emplace_back();
}

} // namespace

MapHeadTemplates ReadMapHeadTemplates(const std::string& programFolder) {
  MapHeadTemplates head;
  head.Header = ReadTextLines(programFolder + kMapHeaderTemplate);
  head.Comment = ReadTextLines(programFolder + kMapCommentTemplate);
  return head;
}

std::string ContextSymbol(const ContextIdEntry& entry, const CharacterTable& table) {
  // The page's name becomes text of a header: Windows-1252.
  const std::string file = PathToText(ExtractFileName(entry.Page));
  // Every dot-separated piece but the last two ("Doc" or "Tech" and "htm") names the page.
  std::string symbol = kSymbolPrefix;
  const int dots = CountChar(file, kNamePieceSep);
  int seen = 0;
  size_t start = 0;
  for (size_t pos = 0; pos < file.size() && seen < dots - 1; ++pos) {
    if (file[pos] == kNamePieceSep) {
      symbol += kSymbolSeparator;
      symbol.append(file, start, pos - start);
      start = pos + 1;
      ++seen;
    }
  }
  symbol += kSymbolSeparator;
  symbol += entry.Title;
  for (const TextReplacement& r : kSymbolReplacements) {
    symbol = ReplaceAll(symbol, r.from, r.to);
  }
  return AnsiUpperCase(MapLinkChars(symbol, table));
}

void WriteCMapPart(Lines& lines, std::string_view kindName, MapPart part, std::string_view id,
                   std::string_view symbol, const MapHeadTemplates& head) {
  switch (part) {
  case MapPart::Head: {
    const std::string name = std::string(kindName) + kMapNameC;
    const std::string guard = Format(kCGuard, AnsiUpperCase(name).c_str());
    lines.emplace_back(kCCommentStart);
    AppendHeaderTemplate(lines, head.Header, kMapTypeC, name);
    lines.emplace_back(kCCommentEnd);
    lines.emplace_back();
    lines.push_back(Format(kCIfndef, guard.c_str()));
    lines.push_back(Format(kCDefineGuard, guard.c_str()));
    lines.emplace_back();
    AppendCommentBlock(lines, head, kCCommentStart, kCCommentEnd);
    break;
  }
  case MapPart::Constant:
    lines.push_back(Format(kCDefine, std::string(symbol).c_str(), std::string(id).c_str()));
    break;
  case MapPart::Tail:
    lines.emplace_back();
    lines.emplace_back(kCEndif);
    break;
  }
}

void WritePascalMapPart(Lines& lines, std::string_view kindName, MapPart part, std::string_view id,
                        std::string_view symbol, const MapHeadTemplates& head) {
  switch (part) {
  case MapPart::Head: {
    const std::string name = std::string(kindName) + kMapNamePascal;
    lines.emplace_back(kPascalCommentStart);
    AppendHeaderTemplate(lines, head.Header, kMapTypePascal, name);
    lines.emplace_back(kPascalCommentEnd);
    lines.push_back(Format(kPascalUnit, name.c_str()));
    lines.emplace_back();
    AppendCommentBlock(lines, head, kPascalCommentStart, kPascalCommentEnd);
    lines.emplace_back(kPascalInterface);
    lines.emplace_back();
    lines.emplace_back(kPascalConst);
    break;
  }
  case MapPart::Constant:
    lines.push_back(Format(kPascalConstant, std::string(symbol).c_str(), std::string(id).c_str()));
    break;
  case MapPart::Tail:
    lines.emplace_back();
    lines.emplace_back(kPascalImplementation);
    lines.emplace_back();
    lines.emplace_back(kPascalEnd);
    break;
  }
}

void WriteJavaMapPart(Lines& lines, std::string_view kindName, MapPart part, std::string_view id,
                      std::string_view symbol, const MapHeadTemplates& head) {
  switch (part) {
  case MapPart::Head: {
    const std::string name = std::string(kindName) + kMapNameC;
    lines.emplace_back(kCCommentStart);
    AppendHeaderTemplate(lines, head.Header, kMapTypeJava, name);
    lines.emplace_back(kCCommentEnd);
    lines.emplace_back();
    lines.emplace_back();
    AppendCommentBlock(lines, head, kCCommentStart, kCCommentEnd);
    lines.push_back(Format(kJavaClass, name.c_str()));
    break;
  }
  case MapPart::Constant:
    lines.emplace_back();
    lines.push_back(Format(kJavaConstant, std::string(symbol).c_str(), std::string(id).c_str()));
    lines.emplace_back();
    break;
  case MapPart::Tail:
    lines.emplace_back(kJavaClassEnd);
    break;
  }
}

std::string MapFilePath(std::string_view folder, DocKind kind, MapLanguage language) {
  const char* suffix = kMapSuffixC;
  if (language == MapLanguage::Pascal) {
    suffix = kMapSuffixPascal;
  } else if (language == MapLanguage::Java) {
    suffix = kMapSuffixJava;
  }
  return std::string(folder) + std::string(DocKindName(kind)) + suffix;
}

void WriteMapHeader(DocKind kind, MapLanguage language,
                    const std::vector<ContextIdEntry>& contextIds, const std::string& folder,
                    const std::string& programFolder, const CharacterTable& table) {
  using PartWriter = void (*)(Lines&, std::string_view, MapPart, std::string_view, std::string_view,
                              const MapHeadTemplates&);
  PartWriter write = WriteCMapPart;
  if (language == MapLanguage::Pascal) {
    write = WritePascalMapPart;
  } else if (language == MapLanguage::Java) {
    write = WriteJavaMapPart;
  }

  const MapHeadTemplates head = ReadMapHeadTemplates(programFolder);
  const std::string_view name = DocKindName(kind);
  Lines lines;
  write(lines, name, MapPart::Head, {}, {}, head);
  for (const ContextIdEntry& entry : contextIds) {
    write(lines, name, MapPart::Constant, entry.Id, ContextSymbol(entry, table), head);
  }
  write(lines, name, MapPart::Tail, {}, {}, head);
  ReplaceTextFile(MapFilePath(folder, kind, language), lines);
}

} // namespace qm
