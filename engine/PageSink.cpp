#include "engine/PageSink.h"

#include "base/Error.h"
#include "base/FileReplace.h"
#include "base/FileSystem.h"

#include <algorithm>

namespace qm {

namespace {

constexpr size_t kFirstReserve = size_t{16} << 10;

} // namespace

PageStream::PageStream(std::string path, bool create, bool exists,
                       std::shared_ptr<const FileSnapshot> seen, bool plain)
    : path_(std::move(path)), exists_(exists), seen_(std::move(seen)), spill_(path_) {
  // A page that cannot be replaced fails before anything of it is written.
  if (create && exists) {
    if (const int refused = CheckReplaceable(path_, plain); refused != 0) {
      throw Error::File(FileOperation::Create, kMsgCannotCreateBecause, path_, refused);
    }
  }
}

void PageStream::Append(std::string_view bytes) {
  if (bytes.size() >= kPageMemoryLimit) {
    // A large piece goes to the file as it is, without a copy in memory.
    spill_.Append(held_);
    held_.clear();
    spill_.Append(bytes);
    return;
  }
  if (held_.capacity() < kFirstReserve) {
    // Most pages are a few KiB: room for them at once spares the string's doubling steps.
    held_.reserve(std::max(kFirstReserve, bytes.size()));
  }
  held_.append(bytes);
  if (held_.size() >= kPageMemoryLimit) {
    spill_.Append(held_);
    held_.clear();
  }
}

void PageStream::Finish() {
  std::string rest = std::move(held_);
  held_.clear();
  // The file may differ from what was read once the page is in place.
  const std::shared_ptr<const FileSnapshot> seen = std::move(seen_);
  spill_.Commit(rest, exists_, seen.get());
  exists_ = true;
}

void PageStream::Spill() {
  if (!held_.empty()) {
    spill_.Append(held_);
    held_ = std::string();
  }
}

void PageStream::Abandon() noexcept {
  spill_.Abandon();
  held_.clear();
}

void PageStream::Discard() {
  spill_.Abandon();
  held_.clear();
  seen_.reset();
  if (exists_) {
    DeleteFileAt(path_);
    exists_ = false;
  }
}

} // namespace qm
