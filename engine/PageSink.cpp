#include "engine/PageSink.h"

#include "base/Error.h"
#include "base/FileReplace.h"
#include "base/FileSystem.h"

#include <algorithm>
#include <utility>

namespace qm {

namespace {

constexpr size_t kFirstReserve = size_t{16} << 10;

} // namespace

PageStream::PageStream(std::string path, bool create, bool exists,
                       std::shared_ptr<const FileSnapshot> seen, bool plain)
    : path_(std::move(path)), exists_(exists), seen_(std::move(seen)), spill_(path_),
      following_(seen_ != nullptr) {
  // A page that cannot be replaced fails before anything of it is written.
  if (create && exists) {
    if (const int refused = CheckReplaceable(path_, plain); refused != 0) {
      throw Error::File(FileOperation::Create, kMsgCannotCreateBecause, path_, refused);
    }
  }
}

void PageStream::Append(std::string_view bytes) {
  if (following_) {
    const std::string_view rest = std::string_view(seen_->bytes).substr(same_);
    if (rest.starts_with(bytes)) {
      same_ += bytes.size();
      return;
    }
    StopFollowing();
  }
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

void PageStream::StopFollowing() {
  following_ = false;
  held_.reserve(std::max(kFirstReserve, same_ + same_ / 2));
  held_.assign(seen_->bytes, 0, same_);
  same_ = 0;
}

void PageStream::Finish() {
  std::string rest = std::move(held_);
  held_.clear();
  // The file may differ from what was read once the page is in place.
  const std::shared_ptr<const FileSnapshot> seen = std::move(seen_);
  if (following_) {
    following_ = false;
    spill_.Commit(std::string_view(seen->bytes).substr(0, std::exchange(same_, 0)), exists_,
                  seen.get());
  } else {
    spill_.Commit(rest, exists_, seen.get());
  }
  exists_ = true;
}

void PageStream::Spill() {
  if (following_) {
    StopFollowing();
  }
  if (!held_.empty()) {
    spill_.Append(held_);
    held_ = std::string();
  }
}

void PageStream::Abandon() noexcept {
  spill_.Abandon();
  held_.clear();
  same_ = 0;
}

void PageStream::Discard() {
  spill_.Abandon();
  held_.clear();
  following_ = false;
  same_ = 0;
  seen_.reset();
  if (exists_) {
    DeleteFileAt(path_);
    exists_ = false;
  }
}

} // namespace qm
