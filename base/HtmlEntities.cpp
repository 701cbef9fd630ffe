#include "base/HtmlEntities.h"

#include "base/CodePages.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace qm {

namespace {

/// Names of the characters 160 to 255, in code order.
constexpr std::array<std::string_view, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

/// The other names a help page or sitemap is likely to hold.
constexpr std::pair<std::string_view, char32_t> kOtherNames[] = {
    {"quot", 34},     {"amp", 38},      {"apos", 39},     {"lt", 60},       {"gt", 62},
    {"OElig", 338},   {"oelig", 339},   {"Scaron", 352},  {"scaron", 353},  {"Yuml", 376},
    {"fnof", 402},    {"circ", 710},    {"tilde", 732},   {"ensp", 8194},   {"emsp", 8195},
    {"thinsp", 8201}, {"zwnj", 8204},   {"zwj", 8205},    {"lrm", 8206},    {"rlm", 8207},
    {"ndash", 8211},  {"mdash", 8212},  {"lsquo", 8216},  {"rsquo", 8217},  {"sbquo", 8218},
    {"ldquo", 8220},  {"rdquo", 8221},  {"bdquo", 8222},  {"dagger", 8224}, {"Dagger", 8225},
    {"bull", 8226},   {"hellip", 8230}, {"permil", 8240}, {"prime", 8242},  {"Prime", 8243},
    {"lsaquo", 8249}, {"rsaquo", 8250}, {"euro", 8364},   {"trade", 8482},  {"larr", 8592},
    {"uarr", 8593},   {"rarr", 8594},   {"darr", 8595},   {"harr", 8596},   {"minus", 8722},
    {"le", 8804},     {"ge", 8805},     {"ne", 8800}};

using NameTable = std::vector<std::pair<std::string_view, char32_t>>;

/// All names, sorted for binary search (built once).
const NameTable& Names() {
  static const NameTable table = [] {
    NameTable t;
    for (size_t i = 0; i < kLatin1Names.size(); ++i) {
      t.emplace_back(kLatin1Names[i], static_cast<char32_t>(160 + i));
    }
    for (const auto& entry : kOtherNames) {
      t.push_back(entry);
    }
    std::sort(t.begin(), t.end());
    return t;
  }();
  return table;
}

/// A reference name or number is never longer than this; a longer run is plain text.
constexpr size_t kMaxReferenceLength = 12;

bool IsAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

/// The value of a numeric reference body ("252", "x00FC"), or 0 when it is none.
char32_t NumericValue(std::string_view body) {
  const bool hex = !body.empty() && (body[0] == 'x' || body[0] == 'X');
  if (hex) {
    body.remove_prefix(1);
  }
  if (body.empty()) {
    return 0;
  }
  std::uint32_t value = 0;
  for (char c : body) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else {
      return 0;
    }
    value = value * (hex ? 16 : 10) + digit;
    if (value > 0x10FFFF) {
      return 0;
    }
  }
  if (value >= 0xD800 && value <= 0xDFFF) {
    return 0;
  }
  return static_cast<char32_t>(value);
}

} // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string DecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const size_t amp = text.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, amp - i));
    // The body runs from after "&" (and "#") over letters and digits to ";".
    const bool numeric = amp + 1 < text.size() && text[amp + 1] == '#';
    const size_t bodyStart = amp + (numeric ? 2 : 1);
    size_t end = bodyStart;
    while (end < text.size() && end - bodyStart <= kMaxReferenceLength && IsAlnum(text[end])) {
      ++end;
    }
    char32_t cp = 0;
    if (end < text.size() && text[end] == ';' && end > bodyStart) {
      const std::string_view body = text.substr(bodyStart, end - bodyStart);
      if (numeric) {
        cp = NumericValue(body);
      } else {
        const NameTable& names = Names();
        const auto it =
            std::lower_bound(names.begin(), names.end(), body,
                             [](const auto& e, std::string_view n) { return e.first < n; });
        if (it != names.end() && it->first == body) {
          cp = it->second;
        }
      }
    }
    if (cp == 0) {
      out += '&';
      i = amp + 1;
      continue;
    }
    if (cp >= 0x80 && cp <= 0x9F) {
      out += AnsiToUtf8(std::string(1, static_cast<char>(cp)));
    } else {
      AppendUtf8(out, cp);
    }
    i = end + 1;
  }
  return out;
}

} // namespace qm
