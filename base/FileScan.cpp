#include "base/FileScan.h"

#include "base/System.h"

#include <algorithm>
#include <memory>
#include <string>

namespace qm {

bool FileHoldsAny(std::string_view path, std::initializer_list<std::string_view> needles) {
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
  size_t overlap = 0;
  for (const std::string_view needle : needles) {
    overlap = std::max(overlap, needle.size());
  }
  constexpr size_t kPiece = size_t{64} << 10;
  std::string window;
  const std::unique_ptr<char[]> piece(new char[kPiece]);
  bool found = false;
  while (!found) {
    const std::int64_t n = sys::Read(fd, piece.get(), kPiece);
    if (n <= 0) {
      break;
    }
    // The end of the last piece stays in front, so that a needle across two pieces is found.
    window.append(piece.get(), static_cast<size_t>(n));
    for (const std::string_view needle : needles) {
      found = found || window.find(needle) != std::string::npos;
    }
    if (window.size() > overlap) {
      window.erase(0, window.size() - overlap);
    }
  }
  sys::Close(fd);
  return found;
}

} // namespace qm
