#include "base/FileScan.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

namespace {

// Neither the open nor a read waits: a fifo is refused by the check of its kind.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

} // namespace

bool FileHoldsAny(std::string_view path, std::initializer_list<std::string_view> needles) {
  const int fd = ::open(std::string(path).c_str(), kReadFlags);
  if (fd < 0) {
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
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
    const ssize_t n = ::read(fd, piece.get(), kPiece);
    if (n < 0 && errno == EINTR) {
      continue;
    }
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
  ::close(fd);
  return found;
}

} // namespace qm
