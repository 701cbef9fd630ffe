#include "chm/Sitemap.h"

#include "base/CodePages.h"
#include "base/HtmlEntities.h"

#include <optional>

namespace qm {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    x = x >= 'A' && x <= 'Z' ? static_cast<char>(x - 'A' + 'a') : x;
    y = y >= 'A' && y <= 'Z' ? static_cast<char>(y - 'A' + 'a') : y;
    if (x != y) {
      return false;
    }
  }
  return true;
}

struct Attribute {
  std::string_view name;
  std::string_view value;
};

/// One tag: its name ("/ul" keeps the slash) and the attributes the sitemap reader needs.
struct Tag {
  std::string_view name;
  bool closing = false;
  std::vector<Attribute> attributes;

  std::optional<std::string_view> Value(std::string_view attribute) const {
    for (const Attribute& a : attributes) {
      if (EqualsNoCase(a.name, attribute)) {
        return a.value;
      }
    }
    return std::nullopt;
  }
};

/// Reads the tag that starts at text[pos] == '<' and sets pos behind it.
Tag ReadTag(std::string_view text, size_t& pos) {
  Tag tag;
  size_t i = pos + 1;
  if (i < text.size() && text[i] == '/') {
    tag.closing = true;
    ++i;
  }
  const size_t nameStart = i;
  while (i < text.size() && !IsSpace(text[i]) && text[i] != '>' && text[i] != '/') {
    ++i;
  }
  tag.name = text.substr(nameStart, i - nameStart);
  while (i < text.size() && text[i] != '>') {
    if (IsSpace(text[i]) || text[i] == '/') {
      ++i;
      continue;
    }
    const size_t attrStart = i;
    while (i < text.size() && !IsSpace(text[i]) && text[i] != '=' && text[i] != '>') {
      ++i;
    }
    Attribute attribute{text.substr(attrStart, i - attrStart), {}};
    while (i < text.size() && IsSpace(text[i])) {
      ++i;
    }
    if (i < text.size() && text[i] == '=') {
      ++i;
      while (i < text.size() && IsSpace(text[i])) {
        ++i;
      }
      if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        const char quote = text[i];
        const size_t valueStart = ++i;
        while (i < text.size() && text[i] != quote) {
          ++i;
        }
        attribute.value = text.substr(valueStart, i - valueStart);
        if (i < text.size()) {
          ++i;
        }
      } else {
        const size_t valueStart = i;
        while (i < text.size() && !IsSpace(text[i]) && text[i] != '>') {
          ++i;
        }
        attribute.value = text.substr(valueStart, i - valueStart);
      }
    }
    if (!attribute.name.empty()) {
      tag.attributes.push_back(attribute);
    }
    if (i == attrStart) {
      ++i; // never stand still on a byte no rule above takes
    }
  }
  pos = i < text.size() ? i + 1 : text.size();
  return tag;
}

/// Builds the item list while the tags go by.
class SitemapBuilder {
public:
  void OpenList() {
    if (static_cast<int>(parents_.size()) > kMaxSitemapDepth) {
      ++overflow_;
      return;
    }
    parents_.push_back(last_ >= 0 ? last_ : Top());
    last_ = -1;
  }
  void CloseList() {
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    if (parents_.empty()) {
      return;
    }
    last_ = parents_.back();
    parents_.pop_back();
  }
  void OpenItem() {
    SitemapEntry entry;
    entry.Parent = Top();
    entry.Depth = entry.Parent >= 0 ? entries_[static_cast<size_t>(entry.Parent)].Depth + 1 : 0;
    entries_.push_back(std::move(entry));
    last_ = static_cast<int>(entries_.size()) - 1;
    inItem_ = true;
  }
  void CloseItem() { inItem_ = false; }
  void Param(std::string_view name, std::string_view value) {
    if (!inItem_) {
      return;
    }
    SitemapEntry& entry = entries_.back();
    if (EqualsNoCase(name, "Name")) {
      entry.Names.push_back(DecodeEntities(AnsiToUtf8(value)));
    } else if (EqualsNoCase(name, "Local")) {
      entry.Locals.push_back(DecodeEntities(value));
    }
  }
  std::vector<SitemapEntry> Take() { return std::move(entries_); }

private:
  int Top() const { return parents_.empty() ? -1 : parents_.back(); }

  std::vector<SitemapEntry> entries_;
  std::vector<int> parents_; ///< the owner of each open list, -1 for the top
  int last_ = -1;            ///< the last item of the innermost open list
  size_t overflow_ = 0;      ///< lists opened beyond kMaxSitemapDepth
  bool inItem_ = false;
};

} // namespace

std::vector<SitemapEntry> ParseSitemap(std::string_view text) {
  SitemapBuilder builder;
  size_t pos = 0;
  while (true) {
    pos = text.find('<', pos);
    if (pos == std::string_view::npos) {
      break;
    }
    if (text.substr(pos, 4) == "<!--") {
      const size_t end = text.find("-->", pos + 4);
      pos = end == std::string_view::npos ? text.size() : end + 3;
      continue;
    }
    const Tag tag = ReadTag(text, pos);
    if (EqualsNoCase(tag.name, "ul")) {
      builder.CloseItem();
      if (tag.closing) {
        builder.CloseList();
      } else {
        builder.OpenList();
      }
    } else if (EqualsNoCase(tag.name, "object")) {
      builder.CloseItem();
      if (!tag.closing && EqualsNoCase(tag.Value("type").value_or(""), "text/sitemap")) {
        builder.OpenItem();
      }
    } else if (EqualsNoCase(tag.name, "param") && !tag.closing) {
      builder.Param(tag.Value("name").value_or(""), tag.Value("value").value_or(""));
    }
  }
  return builder.Take();
}

} // namespace qm
