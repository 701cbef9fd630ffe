#include "SourceTree.h"

#include "Prng.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace qmbench {

namespace {

// Words of the comment text, Windows-1252 bytes. A hex escape is closed by splitting the
// literal where the next letter could continue it.
const char* const kWords[] = {
    "Eingabe",
    "Ausgabe",
    "Pr\xFC"
    "fung",
    "Gr\xF6\xDF"
    "e",
    "L\xE4nge",
    "Schl\xFC"
    "ssel",
    "Men\xFC",
    "\xC4nderung",
    "\xDC"
    "bersicht",
    "Datei",
    "Kunde",
    "Rechnung",
    "Fenster",
    "Tabelle",
    "Wert",
    "Feld",
    "Liste",
    "Eintrag",
    "f\xFCr",
    "wird",
    "die",
    "der",
    "das",
    "und",
    "oder",
    "nicht",
    "mit",
    "beim",
    "nach",
    "vor",
    "\xFC"
    "ber",
    "Benutzer",
    "Speicher",
    "Z\xE4hler",
    "gel\xF6scht",
    "gepr\xFC"
    "ft",
    "zur\xFC"
    "ck",
    "Stra\xDF"
    "e",
    "Ma\xDF"
    "einheit",
    "Ergebnis",
    "Fehler",
    "Meldung",
    "Schaltfl\xE4"
    "che",
    "Dialog",
    "Option",
    "Pfad",
    "Ordner",
    "Seite",
    "Abschnitt",
    "Hilfe",
    "immer",
    "sofort",
    "danach",
    "zuerst",
};

const char* const kIdentifiers[] = {
    "Anzahl", "Summe",   "Kunde",  "Zeile",   "Puffer", "Index",  "Wert",
    "Datei",  "Name",    "Laenge", "Zaehler", "Pos",    "Betrag", "Ergebnis",
    "Liste",  "Eintrag", "Status", "Kennung", "Menge",  "Preis",  "Rabatt",
};

const char* const kStems[] = {"Kunde",   "Rechnung", "Lager",  "Auftrag", "Artikel", "Konto",
                              "Bericht", "Export",   "Import", "Druck",   "Suche",   "Verwaltung"};

// Code lines: "@" becomes an identifier, "#" a number.
const char* const kPascalCode[] = {
    "procedure T@.@(Sender: TObject);",
    "var",
    "  @: Integer;",
    "begin",
    "  @ := @ + #;",
    "  if @ > # then",
    "    @(@);",
    "  @.Caption := '@';",
    "end;",
    "  for @ := 0 to # do",
    "    @[@] := @;",
    "  Result := @ * #;",
};
const char* const kCCode[] = {
    "static int @(int @, int @)",
    "{",
    "    int @ = #;",
    "    if (@ > #) {",
    "        @ = @(@, #);",
    "    }",
    "    return @ + @;",
    "}",
    "    for (int i = 0; i < #; ++i)",
    "        @[i] = @;",
    "#define @_MAX #",
};
const char* const kJavaCode[] = {
    "    public int get@() {", "        return @;",   "    }",
    "    private int @ = #;",  "    void @(int @) {", "        if (@ > #) {",
    "            @ = @ + #;",  "        }",           "        this.@ = @;",
    "    @Override",
};
const char* const kSqlCode[] = {
    "SELECT @, @ FROM @ WHERE @ > #;",
    "UPDATE @ SET @ = @ + # WHERE @ = #;",
    "INSERT INTO @ (@, @) VALUES (#, #);",
    "CREATE INDEX @_IDX ON @ (@);",
    "COMMIT;",
    "DELETE FROM @ WHERE @ < #;",
};
const char* const kBasicCode[] = {
    "Public Sub @(ByVal @ As Integer)",
    "    Dim @ As Long",
    "    @ = @ + #",
    "    If @ > # Then",
    "        Call @(@)",
    "    End If",
    "End Sub",
    "    For @ = 1 To #",
    "    Next @",
};
const char* const kAsmCode[] = {
    "@ PROC NEAR",
    "        MOV     AX, @",
    "        ADD     AX, #",
    "        CMP     AX, #",
    "        JNE     @",
    "        PUSH    SI",
    "        POP     SI",
    "        RET",
    "@ ENDP",
    "@:",
};
const char* const kHtmlCode[] = {
    "<P>@ und @ werden hier beschrieben.</P>",
    "<TABLE BORDER=\"1\">",
    "<TR><TD>@</TD><TD>#</TD></TR>",
    "</TABLE>",
    "<H3>@</H3>",
    "<P><A HREF=\"@.htm\">@</A></P>",
};

/// How one language writes its comments. A block comment (open/close) is used when set and
/// the dice say so; otherwise every line gets the line-comment prefix.
struct Language {
  const char* ext;
  const char* open;
  const char* close;
  const char* linePrefix;
  bool crlf;
  int weight;
  const char* const* code;
  size_t codeCount;
};

template <size_t N> constexpr size_t Count(const char* const (&)[N]) {
  return N;
}

const Language kLanguages[] = {
    {"pas", "{", "}", "//", true, 16, kPascalCode, Count(kPascalCode)},
    {"dpr", "(*", "*)", "//", true, 2, kPascalCode, Count(kPascalCode)},
    {"c", "/*", "*/", "//", false, 12, kCCode, Count(kCCode)},
    {"h", "/*", "*/", "//", false, 6, kCCode, Count(kCCode)},
    {"cpp", "/*", "*/", "//", false, 6, kCCode, Count(kCCode)},
    {"java", "/**", "*/", "//", false, 20, kJavaCode, Count(kJavaCode)},
    {"sql", "/*", "*/", "--", false, 8, kSqlCode, Count(kSqlCode)},
    {"bas", nullptr, nullptr, "'", true, 8, kBasicCode, Count(kBasicCode)},
    {"asm", nullptr, nullptr, ";", true, 6, kAsmCode, Count(kAsmCode)},
    {"html", "<!--", "-->", nullptr, false, 10, kHtmlCode, Count(kHtmlCode)},
};

constexpr int kModules = 12; // first folder level
constexpr int kParts = 10;   // second level below each module
// The share of sources that take the base name of one of the kSharedNameDistance sources
// before them; fewer than the folders, so the two always lie in different folders.
constexpr double kSharedNameShare = 0.1;
constexpr int kSharedNameDistance = 40;
static_assert(kSharedNameDistance < kModules * kParts);
constexpr int kOwnPages = 24;      // distinct "###Output" targets
constexpr size_t kMinBytes = 5000; // file sizes 5-60 KB, most near the low end
constexpr size_t kMaxBytes = 60000;

const Language& PickLanguage(Prng& rng) {
  int total = 0;
  for (const auto& lang : kLanguages) {
    total += lang.weight;
  }
  int roll = static_cast<int>(rng.Below(static_cast<size_t>(total)));
  for (const auto& lang : kLanguages) {
    if (roll < lang.weight) {
      return lang;
    }
    roll -= lang.weight;
  }
  return kLanguages[0];
}

std::string Fill(std::string_view pattern, Prng& rng) {
  std::string out;
  for (char c : pattern) {
    if (c == '@') {
      out += rng.Pick(kIdentifiers);
    } else if (c == '#') {
      out += std::to_string(rng.Below(1000));
    } else {
      out += c;
    }
  }
  return out;
}

// One line of running text, 50-90 bytes, with the odd tag, comparison or ampersand.
std::string TextLine(Prng& rng) {
  std::string line;
  const size_t length = rng.Between(50, 90);
  while (line.size() < length) {
    if (!line.empty()) {
      line += ' ';
    }
    const std::string word = rng.Pick(kWords);
    const double roll = rng.Unit();
    if (roll < 0.06) {
      line += "<B>" + word + "</B>";
    } else if (roll < 0.09) {
      line += "<I>" + word + "</I>";
    } else if (roll < 0.12) {
      line += "<TT>" + word + "</TT>";
    } else if (roll < 0.13) {
      line += "wenn x < " + std::to_string(rng.Below(100)) + " gilt";
    } else if (roll < 0.14) {
      line += "Ein- & Ausgabe";
    } else {
      line += word;
    }
  }
  if (rng.Chance(0.3)) {
    line += '.';
  }
  return line;
}

std::string Title(Prng& rng, int number) {
  return std::string(rng.Pick(kWords)) + " " + rng.Pick(kWords) + " " + std::to_string(number);
}

std::string Anchor(std::string title) {
  for (char& c : title) {
    if (c == ' ') {
      c = '_';
    }
  }
  return title;
}

/// Writes lines of one source file, with its language's line end.
class SourceWriter {
public:
  explicit SourceWriter(bool crlf) : eol_(crlf ? "\r\n" : "\n") {}
  void Line(std::string_view text) {
    bytes_ += text;
    bytes_ += eol_;
  }
  size_t Size() const { return bytes_.size(); }
  const std::string& Bytes() const { return bytes_; }

private:
  const char* eol_;
  std::string bytes_;
};

struct BlockCounters {
  int number = 0;
  int contextId = 1000;
};

// One Doc or Tech block in the language's comment style, with keyword lines and paragraphs.
void WriteBlock(SourceWriter& out, const Language& lang, bool doc, bool firstDoc, Prng& rng,
                BlockCounters& counters, TreeStats& stats) {
  const bool block = lang.open != nullptr && (lang.linePrefix == nullptr || rng.Chance(0.7));
  const std::string prefix = block ? "" : std::string(lang.linePrefix) + " ";
  const std::string blank = block ? "" : std::string(lang.linePrefix);
  const std::string indent = block && lang.crlf ? "  " : "";
  const std::string title = Title(rng, ++counters.number);
  const char* kind = doc ? "DocGen" : "TechGen";

  out.Line((block ? std::string(lang.open) + " " : prefix) + "###" + kind + "_Start " + title);
  // "###Output" is recognised only as the whole trimmed line, so only block comments carry it.
  if (block && rng.Chance(0.1)) {
    out.Line(indent + "###Output " + kOwnPagePrefix + std::to_string(rng.Below(kOwnPages)));
    ++stats.ownPageBlocks;
  }
  if (doc && firstDoc && rng.Chance(0.5)) {
    out.Line(indent + prefix + "###ContextID " + std::to_string(++counters.contextId));
  }
  if (rng.Chance(0.5)) {
    out.Line(indent + prefix + "###Toc Gruppe " + std::to_string(rng.Below(20)) + ";" + title +
             ";" + Anchor(title));
  }
  if (rng.Chance(0.3)) {
    out.Line(indent + prefix + "###Index " + rng.Pick(kWords) + ";" + title + ";" + Anchor(title));
  }
  const size_t paragraphs = rng.Between(1, 4);
  for (size_t p = 0; p < paragraphs; ++p) {
    if (p > 0) {
      out.Line(indent + blank);
    }
    const size_t lines = rng.Between(2, 10);
    for (size_t l = 0; l < lines; ++l) {
      out.Line(indent + prefix + TextLine(rng));
    }
    if (rng.Chance(0.15)) {
      out.Line(indent + prefix + "<UL>");
      for (size_t item = rng.Between(2, 5); item > 0; --item) {
        out.Line(indent + prefix + "<LI>" + TextLine(rng) + "</LI>");
      }
      out.Line(indent + prefix + "</UL>");
    }
  }
  out.Line(block ? indent + "###" + kind + "_End " + lang.close : prefix + "###" + kind + "_End");
  ++(doc ? stats.docBlocks : stats.techBlocks);
}

std::string SourceFile(const Language& lang, Prng& rng, BlockCounters& counters, TreeStats& stats) {
  SourceWriter out(lang.crlf);
  const double u = rng.Unit();
  const size_t target =
      kMinBytes + static_cast<size_t>(static_cast<double>(kMaxBytes - kMinBytes) * u * u);
  const size_t blocks = rng.Chance(0.15) ? 0 : rng.Between(2, 8);
  const bool html = std::string_view(lang.ext) == "html";
  if (html) {
    out.Line("<HTML><BODY>");
  }
  size_t written = 0;
  bool firstDoc = true;
  auto block = [&] {
    const bool doc = rng.Chance(0.5);
    WriteBlock(out, lang, doc, doc && firstDoc, rng, counters, stats);
    firstDoc = firstDoc && !doc;
    ++written;
  };
  while (out.Size() < target) {
    for (size_t n = rng.Between(4, 30); n > 0; --n) {
      out.Line(Fill(lang.code[rng.Below(lang.codeCount)], rng));
    }
    // Spread the blocks evenly over the file.
    if (written < blocks && out.Size() * (blocks + 1) >= target * (written + 1)) {
      block();
    }
  }
  while (written < blocks) {
    block();
  }
  if (html) {
    out.Line("</BODY></HTML>");
  }
  return out.Bytes();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) {
    throw std::runtime_error("cannot write " + path);
  }
}

} // namespace

TreeStats WriteSourceTree(const std::string& root, const TreeShape& shape) {
  Prng rng(shape.seed);
  TreeStats stats;
  BlockCounters counters;
  std::vector<std::string> folders;
  for (int m = 0; m < kModules; ++m) {
    char module[32];
    std::snprintf(module, sizeof module, "Modul%02d/", m);
    for (int p = 0; p < kParts; ++p) {
      char part[32];
      std::snprintf(part, sizeof part, "Teil%02d/", p);
      folders.push_back(root + module + part);
      std::filesystem::create_directories(folders.back());
    }
  }
  stats.folders = kModules * (kParts + 1);
  std::vector<size_t> stems; // of each source's base name
  for (int i = 0; i < shape.files; ++i) {
    const Language& lang = PickLanguage(rng);
    stems.push_back(rng.Below(std::size(kStems)));
    // Pages of all folders land side by side in one output folder. Most base names are
    // unique; some sources take the base name of an earlier one in another folder, as a
    // project's copies and variants do, so that they share their pages.
    char name[64];
    const int base = i >= kSharedNameDistance && rng.Chance(kSharedNameShare)
                         ? i - static_cast<int>(rng.Between(1, kSharedNameDistance))
                         : i;
    std::snprintf(name, sizeof name, "%s%04d.%s", kStems[stems[static_cast<size_t>(base)]], base,
                  lang.ext);
    const std::string bytes = SourceFile(lang, rng, counters, stats);
    WriteBytes(folders[static_cast<size_t>(i) % folders.size()] + name, bytes);
    stats.bytes += bytes.size();
    ++stats.files;
  }
  return stats;
}

} // namespace qmbench
