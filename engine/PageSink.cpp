#include "engine/PageSink.h"

#include "base/FileSystem.h"

namespace qm {

PageStream::PageStream(std::string path, bool create, bool exists) : path_(std::move(path)) {
  // A page that is not there yet is made when bytes first go to disk, like one whose old file
  // is deleted: a page that ends up empty (all its blocks on own pages) is then neither made
  // nor deleted again.
  if (create && exists) {
    file_ = OutputFile::Rewrite(path_);
  } else if (!create && exists) {
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

} // namespace qm
