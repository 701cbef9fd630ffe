#include "base/SpillFile.h"

#include "base/Error.h"
#include "base/FileReplace.h"
#include "base/FileSystem.h"
#include "base/System.h"
#include "base/TextFile.h"

#include <cerrno>
#include <utility>

namespace qm {

SpillFile::~SpillFile() {
  Abandon();
}

SpillFile::SpillFile(SpillFile&& other) noexcept
    : path_(std::move(other.path_)), temp_(std::exchange(other.temp_, std::string())) {}

SpillFile& SpillFile::operator=(SpillFile&& other) noexcept {
  if (this != &other) {
    Abandon();
    path_ = std::move(other.path_);
    temp_ = std::exchange(other.temp_, std::string());
  }
  return *this;
}

void SpillFile::Abandon() noexcept {
  if (!temp_.empty()) {
    sys::Remove(temp_);
    temp_.clear();
  }
}

void SpillFile::Append(std::string_view bytes) {
  int fd = -1;
  bool made = false;
  if (temp_.empty()) {
    if (const int refused = CheckReplaceable(path_); refused != 0) {
      throw Error::File(FileOperation::Create, kMsgCannotCreateBecause, path_, refused);
    }
    temp_ = MakeTempBeside(path_, fd);
    if (temp_.empty()) {
      throw Error::File(FileOperation::Create, kMsgCannotCreateBecause, path_, errno);
    }
    made = true;
  } else {
    // The file is opened for each piece: a run may spill many files, each piece is large.
    fd = sys::Open(temp_, sys::kWrite | sys::kAppend);
    if (fd < 0) {
      throw Error::File(FileOperation::Write, kMsgWriteFailed, path_, errno);
    }
  }
  sys::Status before;
  sys::StatusOf(fd, before);
  const bool written = WriteAllBytes(fd, bytes);
  int err = written ? 0 : errno;
  if (!written && !made) {
    // The piece stays with the caller; the file keeps only what was spilled before it.
    sys::Resize(fd, before.size);
  }
  if (!sys::Close(fd) && err == 0) {
    err = errno;
  }
  if (err != 0) {
    if (made) {
      sys::Remove(temp_);
      temp_.clear();
    }
    throw Error::File(FileOperation::Write, kMsgWriteFailed, path_, err);
  }
}

void SpillFile::Commit(std::string_view rest, bool mayExist, const FileSnapshot* seen) {
  if (temp_.empty()) {
    ReplaceFileIfChanged(path_, rest, mayExist, seen);
    return;
  }
  try {
    Append(rest);
  } catch (const Error&) {
    Abandon();
    throw;
  }
  if (mayExist && FileHoldsSameAs(path_, temp_)) {
    Abandon();
    return;
  }
  if (const int refused = CheckReplaceable(path_); refused != 0) {
    Abandon();
    throw Error::File(FileOperation::Create, kMsgCannotCreateBecause, path_, refused);
  }
  if (const int err = MoveIntoPlace(temp_, path_); err != 0) {
    Abandon();
    throw Error::File(FileOperation::Write, kMsgWriteFailed, path_, err);
  }
  temp_.clear();
}

} // namespace qm
