#include "engine/PageSink.h"

#include "engine/Error.h"
#include "engine/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {

PageStream::PageStream(std::string path, bool create) : path_(std::move(path)) {
  if (create) {
    file_ = OutputFile::Replace(path_);
  } else {
    DeleteFileAt(path_);
  }
}

void PageStream::Append(std::string_view bytes) {
  if (bytes.size() >= kPageMemoryLimit) {
    // A large piece goes to the file as it is, without a copy in memory.
    WriteHeld();
    file_.Write(bytes);
    return;
  }
  held_.append(bytes);
  if (held_.size() >= kPageMemoryLimit) {
    WriteHeld();
  }
}

void PageStream::WriteHeld() {
  if (!file_.IsOpen()) {
    file_ = OutputFile(path_);
  }
  if (!held_.empty()) {
    file_.Write(held_);
    held_.clear();
  }
}

void PageStream::Finish() {
  WriteHeld();
  file_.Close();
}

void PageStream::Discard() {
  const bool made = file_.IsOpen();
  file_ = OutputFile();
  held_.clear();
  if (made) {
    DeleteFileAt(path_);
  }
}

SpillFile::~SpillFile() {
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
  }
}

void SpillFile::Append(std::string_view bytes) {
  int fd = -1;
  bool made = false;
  if (temp_.empty()) {
    temp_ = MakeTempBeside(ReplacementTarget(path_), fd);
    if (temp_.empty()) {
      throw Error::File(FileOperation::Create, kMsgCannotCreateBecause, path_, errno);
    }
    made = true;
  } else {
    // The file is opened for each piece: a run may spill many pages, each piece is large.
    fd = ::open(temp_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
      throw Error::File(FileOperation::Write, kMsgWriteFailed, path_, errno);
    }
  }
  struct stat before {};
  ::fstat(fd, &before);
  const bool written = WriteAllBytes(fd, bytes);
  int err = written ? 0 : errno;
  if (::close(fd) != 0 && err == 0) {
    err = errno;
  }
  if (err != 0) {
    // The piece stays with the caller; the file keeps only what was spilled before it.
    if (made) {
      ::unlink(temp_.c_str());
      temp_.clear();
    } else {
      [[maybe_unused]] const int ignored = ::truncate(temp_.c_str(), before.st_size);
    }
    throw Error::File(FileOperation::Write, kMsgWriteFailed, path_, err);
  }
}

void SpillFile::Commit(std::string_view rest) {
  if (temp_.empty()) {
    WriteFileBytes(path_, rest);
    return;
  }
  Append(rest);
  const int err = MoveIntoPlace(temp_, ReplacementTarget(path_));
  if (err != 0) {
    throw Error::File(FileOperation::Write, kMsgWriteFailed, path_, err);
  }
  temp_.clear();
}

} // namespace qm
