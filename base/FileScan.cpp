#include "base/FileScan.h"

#include "base/System.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace qm {

FileNeedles::FileNeedles(std::initializer_list<std::string_view> needles) {
  needles_.assign(needles.begin(), needles.end());
  // Each needle is sought with a skip table: pages are HTML, where a needle's first character
  // ("<") is on nearly every line and a search from it would stop there each time.
  searchers_.reserve(needles_.size());
  size_t overlap = 0;
  for (const std::string& needle : needles_) {
    searchers_.emplace_back(needle.data(), needle.data() + needle.size());
    overlap = std::max(overlap, needle.size());
  }
  // The last bytes of a piece stay in front of the next, so that a needle across two pieces
  // is found.
  keepMax_ = overlap > 0 ? overlap - 1 : 0;
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
    for (const auto& searcher : searchers_) {
      found = found || searcher(buf, buf + end).first != buf + end;
    }
    kept = std::min(end, keepMax_);
    std::memmove(buf, buf + end - kept, kept);
  }
  sys::Close(fd);
  return found;
}

} // namespace qm
