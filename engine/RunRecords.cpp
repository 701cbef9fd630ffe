#include "engine/RunRecords.h"

#include "engine/Markers.h"

namespace qm {

const std::string& Origin::File() const {
  static const std::string kNone;
  return file_ ? *file_ : kNone;
}

KeywordEntry::KeywordEntry(std::string text, std::string_view page, Origin origin)
    : line_(std::move(text)), origin_(std::move(origin)) {
  line_.append(kEntrySep);
  pageAt_ = line_.size();
  line_.append(page);
  // A text taken out of a filled template line may have much room left; an entry keeps what
  // it needs.
  if (line_.capacity() - line_.size() > line_.size() / 8 + 32) {
    line_.shrink_to_fit();
  }
}

std::vector<std::string_view> KeywordEntry::Fields() const {
  std::vector<std::string_view> fields;
  const std::string_view text = Text();
  size_t start = 0;
  for (size_t sep = text.find(kEntrySep); sep != std::string_view::npos;
       sep = text.find(kEntrySep, start)) {
    fields.push_back(text.substr(start, sep - start));
    start = sep + 1;
  }
  fields.push_back(text.substr(start));
  fields.push_back(Page());
  return fields;
}

std::string_view KeywordEntry::Field(size_t n) const {
  // As if the page were the text's last field: walking past the text's fields ends there.
  if (n == 0) {
    return Page();
  }
  const std::string_view text = Text();
  size_t start = 0;
  for (size_t field = 1; field < n; ++field) {
    const size_t sep = text.find(kEntrySep, start);
    if (sep == std::string_view::npos) {
      return Page();
    }
    start = sep + 1;
  }
  return text.substr(start, text.find(kEntrySep, start) - start);
}

} // namespace qm
