#include "helpproject/WebHelpWriter.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "helpproject/HelpKind.h"
#include "helpproject/HelpTexts.h"
#include "helpproject/SitemapWriter.h"
#include "helpproject/WebHelpTexts.h"

#include <algorithm>
#include <future>
#include <thread>
#include <unordered_set>

namespace qm {

namespace {

constexpr std::string_view kHex = "0123456789abcdef";
// Fewer pages than this are not worth a thread of their own.
constexpr size_t kPagesPerThread = 64;

void AppendU16(std::string& out, unsigned unit) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) {
    out += kHex[(unit >> shift) & 0xF];
  }
}

// Text for an attribute value or element content that is HTML already, with the quote that
// would end the attribute escaped.
std::string AttributeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    out += c == '"' ? std::string_view("&quot;") : std::string_view(&c, 1);
  }
  return out;
}

// The name of page relative to folder; a page elsewhere by its file name.
std::string RelativePage(std::string_view page, std::string_view folder) {
  if (!folder.empty() && page.starts_with(folder)) {
    return std::string(page.substr(folder.size()));
  }
  return ExtractFileName(page);
}

// The folder's name as the pages beside it link to it.
std::string SharedFolderName(std::string_view title) {
  return PathFromText(title) + kWebHelpFolderExt;
}

void AppendContents(Lines& lines, const std::vector<KeywordEntry>& entries, const TagTable& tags,
                    const CharacterTable& table) {
  // Grouped and ordered as the contents file does it.
  const std::vector<const KeywordEntry*> sorted = SortedEntries(entries);
  size_t i = 0;
  while (i < sorted.size()) {
    const std::string_view group = sorted[i]->Field(1);
    lines.push_back(Format(kWebTocFolder, SitemapName(group, tags, table).c_str()));
    for (; i < sorted.size() && sorted[i]->Field(1) == group; ++i) {
      const std::vector<std::string_view> fields = sorted[i]->Fields();
      const std::string local =
          fields.size() >= 4 ? SitemapLocal(fields[3], fields[2]) : std::string(sorted[i]->Page());
      lines.push_back(Format(kWebTocTopic, AttributeText(local).c_str(),
                             SitemapName(sorted[i]->Field(2), tags, table).c_str()));
    }
    lines.emplace_back(kWebTocFolderEnd);
  }
}

void AppendIndex(Lines& lines, const std::vector<KeywordEntry>& entries, const TagTable& tags,
                 const CharacterTable& table) {
  for (const KeywordEntry* entry : SortedEntries(entries)) {
    const std::vector<std::string_view> fields = entry->Fields();
    std::vector<std::string> locals;
    if (fields.size() < 4) {
      locals.emplace_back(entry->Page());
    } else {
      for (size_t k = 2; k + 1 < fields.size(); ++k) {
        locals.push_back(SitemapLocal(entry->Page(), fields[k]));
      }
    }
    std::string line = Format(kWebIndexItem, AttributeText(locals.front()).c_str(),
                              SitemapName(entry->Field(1), tags, table).c_str(),
                              SitemapName(entry->Field(2), tags, table).c_str());
    for (size_t k = 1; k < locals.size(); ++k) {
      line += Format(kWebIndexMore, AttributeText(locals[k]).c_str(), static_cast<unsigned>(k + 1));
    }
    line += kWebIndexItemEnd;
    lines.push_back(std::move(line));
  }
}

void AppendContextIds(Lines& lines, const std::vector<ContextIdEntry>& ids,
                      std::string_view folder) {
  std::string script = kWebContextStart;
  std::unordered_set<std::string_view> seen;
  for (const ContextIdEntry& id : ids) {
    // The first page of an id wins, as in the alias file the compiler reads.
    if (!seen.insert(id.Id).second) {
      continue;
    }
    script += seen.size() > 1 ? "," : "";
    AppendScriptString(script, AnsiToUtf8(id.Id));
    script += ':';
    AppendScriptString(script, AnsiToUtf8(RelativePage(id.Page, folder)));
  }
  script += kWebContextEnd;
  lines.push_back(std::move(script));
}

void CopySharedFile(const std::string& programFolder, const std::string& shared, const char* name) {
  ReplaceFileIfChanged(shared + name, ReadFileBytes(programFolder + kWebHelpDataFolder + name));
}

} // namespace

std::string WebHelpFilePath(std::string_view folder, std::string_view title, DocKind kind) {
  return std::string(folder) + PathFromText(title) + kNamePieceSep +
         std::string(DocKindName(kind)) + kWebHelpExt;
}

std::string WebHelpFolderPath(std::string_view folder, std::string_view title) {
  return std::string(folder) + SharedFolderName(title) + '/';
}

std::string WebSearchDataPath(std::string_view folder, std::string_view title, DocKind kind) {
  return WebHelpFolderPath(folder, title) + PathFromText(title) + kNamePieceSep +
         std::string(DocKindName(kind)) + kWebSearchDataExt;
}

void AppendScriptString(std::string& out, std::string_view text) {
  out += '"';
  auto plain = [](unsigned char b) {
    return b >= 0x20 && b < 0x7F && b != '"' && b != '\\' && b != '<';
  };
  for (size_t i = 0; i < text.size();) {
    size_t run = i;
    while (run < text.size() && plain(static_cast<unsigned char>(text[run]))) {
      ++run;
    }
    out.append(text, i, run - i);
    if (run == text.size()) {
      break;
    }
    i = run;
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      AppendU16(out, b);
      ++i;
      continue;
    }
    const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (length == 1 || i + length > text.size()) {
      AppendU16(out, 0xFFFD); // a stray byte
      ++i;
      continue;
    }
    char32_t cp = b & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      AppendU16(out, 0xD800 + (cp >> 10));
      AppendU16(out, 0xDC00 + (cp & 0x3FF));
    } else {
      AppendU16(out, cp);
    }
    i += length;
  }
  out += '"';
}

Lines WebHelpPageLines(DocKind kind, const HelpProjectSettings& settings,
                       const KindRecords& records, std::string_view folder, const TagTable& tags,
                       const CharacterTable& table) {
  const KindOptions options = OptionsOf(settings, kind);
  const std::string shared = SharedFolderName(settings.Title);
  const std::string kindName(DocKindName(kind));
  std::string defaultPage = PathFromText(options.DefaultPage);
  if (defaultPage.empty() && !records.Pages.empty()) {
    defaultPage = RelativePage(records.Pages.front(), folder);
  }

  Lines lines;
  lines.emplace_back(kWebDoctype);
  lines.emplace_back(kWebHtmlStart);
  lines.emplace_back(kWebHeadStart);
  lines.emplace_back(kWebCharset);
  lines.push_back(Format(kWebTitle, SitemapName(settings.Title, tags, table).c_str()));
  lines.push_back(Format(kWebStyleLink, shared.c_str(), kWebHelpStyle));
  lines.emplace_back(kWebHeadEnd);
  lines.emplace_back(kWebBodyStart);
  lines.emplace_back(kWebNavStart);
  lines.emplace_back(kWebTabsStart);
  for (const auto& [name, caption] :
       {std::pair{"inhalt", kWebTabContents}, std::pair{"index", kWebTabIndex},
        std::pair{"suche", kWebTabSearch}}) {
    lines.push_back(Format(kWebTab, name, name, caption));
  }
  lines.emplace_back(kWebDivEnd);
  lines.emplace_back(kWebContentsStart);
  if (options.Toc) {
    AppendContents(lines, records.Toc, tags, table);
  }
  lines.emplace_back(kWebListEnd);
  lines.push_back(Format(kWebIndexStart, kWebIndexFilterLabel));
  if (options.Index) {
    AppendIndex(lines, records.Index, tags, table);
  }
  lines.emplace_back(kWebListEnd);
  lines.push_back(Format(kWebSearchStart, kWebSearchLabel));
  lines.emplace_back(kWebNavEnd);
  lines.push_back(Format(kWebPagePane, AttributeText(defaultPage).c_str()));
  AppendContextIds(lines, records.ContextIds, folder);
  const std::string data =
      PathFromText(settings.Title) + kNamePieceSep + kindName + kWebSearchDataExt;
  lines.push_back(Format(kWebScript, shared.c_str(), kWebHelpLunr));
  lines.push_back(Format(kWebScript, shared.c_str(), data.c_str()));
  lines.push_back(Format(kWebScript, shared.c_str(), kWebHelpScript));
  lines.emplace_back(kWebBodyEnd);
  lines.emplace_back(kWebHtmlEnd);
  return lines;
}

std::string SearchDataScript(const KindRecords& records, std::string_view folder) {
  std::vector<const std::string*> pages;
  std::unordered_set<std::string_view> seen;
  for (const std::string& page : records.Pages) {
    if (seen.insert(page).second) {
      pages.push_back(&page);
    }
  }
  // Every page is read and reduced to its words on its own, so the work is split into
  // consecutive slices, one per thread; the slices are joined in page order.
  auto entries = [&pages, folder](size_t from, size_t to) {
    std::string part;
    for (size_t i = from; i < to; ++i) {
      const PageWords words = PageWordsOf(ReadFileBytes(*pages[i]), PageBytes::Windows1252);
      part += i > 0 ? ",\r\n[" : "\r\n[";
      AppendScriptString(part, AnsiToUtf8(RelativePage(*pages[i], folder)));
      part += ',';
      AppendScriptString(part, words.Title);
      part += ',';
      AppendScriptString(part, words.Text);
      part += ']';
    }
    return part;
  };
  const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1,
                                            std::max<size_t>(1, pages.size() / kPagesPerThread));
  std::vector<std::future<std::string>> parts;
  for (size_t t = 1; t < threads; ++t) {
    parts.push_back(std::async(std::launch::async, entries, pages.size() * t / threads,
                               pages.size() * (t + 1) / threads));
  }
  std::string script = kWebSearchDataStart;
  // The first slice here; a failure in it or in a later one names the first page that failed.
  script += entries(0, pages.size() / threads);
  for (std::future<std::string>& part : parts) {
    script += part.get();
  }
  script += "\r\n";
  script += kWebSearchDataEnd;
  script += "\r\n";
  return script;
}

void WriteWebHelp(DocKind kind, const HelpProjectSettings& settings, const KindRecords& records,
                  const std::string& folder, const std::string& programFolder, const TagTable& tags,
                  const CharacterTable& table) {
  const std::string shared = WebHelpFolderPath(folder, settings.Title);
  CreateFolder(folder);
  CreateFolder(shared);
  for (const char* name : {kWebHelpScript, kWebHelpStyle, kWebHelpLunr}) {
    CopySharedFile(programFolder, shared, name);
  }
  ReplaceFileIfChanged(WebSearchDataPath(folder, settings.Title, kind),
                       SearchDataScript(records, folder));
  ReplaceTextFile(WebHelpFilePath(folder, settings.Title, kind),
                  WebHelpPageLines(kind, settings, records, folder, tags, table));
}

} // namespace qm
