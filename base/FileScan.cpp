#include "base/FileScan.h"

#include "base/System.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace qm {

namespace {

// How often a byte stands in pages and sources, roughly: 0 seldom, 3 on nearly every line.
// Pages are HTML, so "<", ">", quotes, "=", "/" and blanks are everywhere; letters are text.
int Commonness(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u == ' ' || u == '\t' ||
      std::string_view("<>\"=/;&.,-:'()").find(c) != std::string_view::npos) {
    return 3;
  }
  if ((u >= 'a' && u <= 'z') || u >= 0x80) {
    return 2;
  }
  if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')) {
    return 1;
  }
  return 0;
}

} // namespace

FileNeedles::FileNeedles(std::initializer_list<std::string_view> needles) {
  const std::vector<std::string_view> all(needles.begin(), needles.end());
  size_t longest = 0;
  for (const std::string_view needle : all) {
    longest = std::max(longest, needle.size());
    if (needle.empty()) {
      continue;
    }
    // The least common byte, among those the most needles share, first in the needle: any
    // occurrence of the needle holds it at that position.
    size_t best = 0;
    int bestScore = 0;
    for (size_t k = 0; k < needle.size(); ++k) {
      const auto shared = static_cast<int>(std::count_if(all.begin(), all.end(), [&](auto other) {
        return other.find(needle[k]) != std::string_view::npos;
      }));
      const int score = -Commonness(needle[k]) * 1000 + shared;
      if (k == 0 || score > bestScore) {
        best = k;
        bestScore = score;
      }
    }
    auto anchor = std::find_if(anchors_.begin(), anchors_.end(),
                               [&](const Anchor& a) { return a.byte == needle[best]; });
    if (anchor == anchors_.end()) {
      anchor = anchors_.insert(anchors_.end(), Anchor{needle[best], {}});
    }
    anchor->needles.push_back(Needle{std::string(needle), best});
  }
  // The last bytes of a piece stay in front of the next, so that a needle across two pieces
  // is found.
  keepMax_ = longest > 0 ? longest - 1 : 0;
}

bool FileNeedles::FoundAround(std::string_view text, const Anchor& anchor) {
  for (size_t at = text.find(anchor.byte); at != std::string_view::npos;
       at = text.find(anchor.byte, at + 1)) {
    for (const Needle& needle : anchor.needles) {
      if (at >= needle.anchorAt && text.size() - (at - needle.anchorAt) >= needle.text.size() &&
          text.compare(at - needle.anchorAt, needle.text.size(), needle.text) == 0) {
        return true;
      }
    }
  }
  return false;
}

bool FileNeedles::FoundInText(std::string_view text) const {
  return std::ranges::any_of(anchors_,
                             [&](const Anchor& anchor) { return FoundAround(text, anchor); });
}

bool FileNeedles::FoundIn(std::string_view path) const {
  // Neither the open nor a read waits: a fifo is refused by the check of its kind.
  const int fd = sys::Open(std::string(path), sys::kRead);
  if (fd < 0) {
    return false;
  }
  sys::Status st;
  if (!sys::StatusOf(fd, st) || st.kind != EntryKind::File) {
    sys::Close(fd);
    return false;
  }
  constexpr size_t kPiece = size_t{64} << 10;
  const auto buffer = std::make_unique_for_overwrite<char[]>(kPiece + keepMax_);
  char* const buf = buffer.get();
  size_t kept = 0;
  bool found = false;
  while (!found) {
    const std::int64_t n = sys::Read(fd, buf + kept, kPiece);
    if (n <= 0) {
      break;
    }
    const size_t end = kept + static_cast<size_t>(n);
    for (const Anchor& anchor : anchors_) {
      found = found || FoundAround(std::string_view(buf, end), anchor);
    }
    kept = std::min(end, keepMax_);
    std::memmove(buf, buf + end - kept, kept);
  }
  sys::Close(fd);
  return found;
}

} // namespace qm
