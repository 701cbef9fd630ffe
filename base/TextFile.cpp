#include "base/TextFile.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/System.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

namespace qm {

bool WriteAllBytes(int fd, std::string_view bytes) {
  return sys::WriteAll(fd, bytes.data(), bytes.size());
}

namespace {

[[noreturn]] void Fail(FileOperation operation, FileFormat format, std::string_view path, int err) {
  throw Error::File(operation, format, path, err);
}

[[noreturn]] void FailWrite(std::string_view path, int err) {
  throw Error::File(FileOperation::Write, kMsgWriteFailed, path, err);
}

// The most that is read of a regular file that reports no size.
constexpr size_t kUnsizedLimit = size_t{64} << 20;

// Reads everything from fd, or its first limit bytes, into a Buffer (std::string or FileBytes)
// and closes it; throws Error(kMsgCannotOpen) naming path.
template <typename Buffer>
Buffer ReadAllAndClose(int fd, std::string_view path, size_t limit = SIZE_MAX,
                       const sys::Status* known = nullptr) {
  // A regular file's size is known: the bytes are read straight into a buffer of that size
  // (plus one byte, so that the read that finds the end needs no second allocation), not
  // through a buffer that would copy them once more.
  sys::Status st;
  if (known == nullptr && sys::StatusOf(fd, st)) {
    known = &st;
  }
  size_t expected = 0;
  if (known != nullptr && known->kind == EntryKind::File) {
    // What is added while the file is read is not taken: a file that keeps growing would
    // otherwise be read without end. A file that gives no size (those of /proc) is read up to
    // a bound instead.
    const std::uint64_t bound = known->size > 0 ? known->size : kUnsizedLimit;
    limit = static_cast<size_t>(std::min<std::uint64_t>(bound, limit));
    expected = known->size > 0 ? limit : 0;
  }
  constexpr size_t kChunk = size_t{1} << 16;
  Buffer out;
  size_t size = 0;
  while (size < limit) {
    if (out.size() == size) {
      // Room for the bytes still expected and the probe for the end, or one more chunk.
      const size_t room = size < expected ? expected - size + 1 : kChunk;
      out.resize(size + std::min(room, limit - size));
    }
    const std::int64_t n = sys::Read(fd, out.data() + size, out.size() - size);
    if (n < 0) {
      const int err = errno;
      sys::Close(fd);
      Fail(FileOperation::Open, kMsgCannotOpen, path, err);
    }
    if (n == 0) {
      break;
    }
    size += static_cast<size_t>(n);
  }
  sys::Close(fd);
  out.resize(size);
  return out;
}

// ReadRegularFileBytes once the file is open: its kind is checked on the descriptor.
std::optional<FileBytes> ReadOpenRegularFile(int fd, std::string_view path, EntryKind* kind,
                                             size_t limit) {
  sys::Status st;
  if (!sys::StatusOf(fd, st) || st.kind != EntryKind::File) {
    sys::Close(fd);
    if (kind != nullptr) {
      *kind = st.kind;
    }
    return std::nullopt;
  }
  return ReadAllAndClose<FileBytes>(fd, path, limit, &st);
}

} // namespace

void FileBytes::resize(size_t size) {
  if (size > capacity_) {
    auto grown = std::make_unique_for_overwrite<char[]>(size);
    if (size_ > 0) {
      std::memcpy(grown.get(), data_.get(), size_);
    }
    data_ = std::move(grown);
    capacity_ = size;
  }
  size_ = size;
}

std::string FileErrorMessage(std::string_view path, int err) {
  return Error::File(FileOperation::Write, kMsgWriteFailed, path, err).what();
}

std::string ReadFileBytes(std::string_view path) {
  // Opened without waiting, so that a fifo is refused rather than read forever.
  const int fd = sys::Open(std::string(path), sys::kRead);
  if (fd < 0) {
    Fail(FileOperation::Open, kMsgCannotOpen, path, errno);
  }
  sys::Status st;
  const bool known = sys::StatusOf(fd, st);
  if (!known || st.kind != EntryKind::File) {
    sys::Close(fd);
    if (known && st.kind == EntryKind::Folder) {
      Fail(FileOperation::Open, kMsgCannotOpen, path, EISDIR);
    }
    Fail(FileOperation::Open, kMsgNotRegularFile, path, 0);
  }
  return ReadAllAndClose<std::string>(fd, path, SIZE_MAX, &st);
}

std::optional<FileBytes> ReadRegularFileBytes(std::string_view path, EntryKind* kind,
                                              size_t limit) {
  const std::string native(path);
  // The kind is looked at before the open, which for a device could already do something, and
  // again on the open file, which may have been swapped in between. Neither open nor read
  // waits: a fifo is opened without blocking and never read.
  sys::Status st;
  if (sys::StatusAt(native, st) && st.kind != EntryKind::File) {
    if (kind != nullptr) {
      *kind = st.kind;
    }
    return std::nullopt;
  }
  const int fd = sys::Open(native, sys::kRead);
  if (fd < 0) {
    Fail(FileOperation::Open, kMsgCannotOpen, path, errno);
  }
  return ReadOpenRegularFile(fd, path, kind, limit);
}

std::optional<FileBytes> ReadListedFileBytes(std::string_view path, size_t limit) {
  const int fd = sys::Open(std::string(path), sys::kRead);
  if (fd < 0) {
    Fail(FileOperation::Open, kMsgCannotOpen, path, errno);
  }
  return ReadOpenRegularFile(fd, path, nullptr, limit);
}

Lines ReadTextLines(std::string_view path) {
  return SplitLines(ReadFileBytes(path));
}

void WriteFileBytes(std::string_view path, std::string_view bytes) {
  const int fd = sys::Open(std::string(path), sys::kWrite | sys::kCreate | sys::kTruncate);
  if (fd < 0) {
    Fail(FileOperation::Create, kMsgCannotCreateBecause, path, errno);
  }
  const bool ok = WriteAllBytes(fd, bytes);
  const int err = errno;
  if (!sys::Close(fd) || !ok) {
    FailWrite(path, ok ? errno : err);
  }
}

void WriteTextLines(std::string_view path, const Lines& lines) {
  WriteFileBytes(path, JoinLines(lines));
}

void AppendFileBytes(std::string_view path, std::string_view bytes) {
  const int fd = sys::Open(std::string(path), sys::kWrite | sys::kAppend);
  if (fd < 0) {
    FailWrite(path, errno);
  }
  const bool ok = WriteAllBytes(fd, bytes);
  const int err = errno;
  if (!sys::Close(fd) || !ok) {
    FailWrite(path, ok ? errno : err);
  }
}

namespace {

// Words for the two ways an atomic replacement fails: the file may not be replaced or the
// temporary file cannot be made, or it cannot be written or put in place.
struct AtomicFailure {
  FileOperation createOperation;
  FileFormat createMessage;
  FileOperation writeOperation;
  FileFormat writeMessage;
};

// How a replacement treats a link at the path, and whether the new bytes are flushed to the
// disk before the rename (for files a user saves; pages are many, and what a kill or a
// failure can do to them the rename alone already rules out).
struct AtomicWay {
  bool followLinks;
  bool sync;
};

void ReplaceAtomically(std::string_view path, std::string_view bytes, const AtomicFailure& words,
                       AtomicWay way) {
  const std::string target = way.followLinks ? ReplacementTarget(path) : std::string(path);
  if (const int refused = CheckReplaceable(target); refused != 0) {
    Fail(words.createOperation, words.createMessage, path, refused);
  }
  int fd = -1;
  const std::string temp = MakeTempBeside(target, fd);
  if (temp.empty()) {
    Fail(words.createOperation, words.createMessage, path, errno);
  }
  const bool ok = WriteAllBytes(fd, bytes) && (!way.sync || sys::Sync(fd));
  int err = ok ? 0 : errno;
  const bool closed = sys::Close(fd);
  if (ok && !closed) {
    err = errno;
  }
  if (err == 0) {
    err = MoveIntoPlace(temp, target);
  }
  if (err != 0) {
    sys::Remove(temp);
    Fail(words.writeOperation, words.writeMessage, path, err);
  }
}

constexpr AtomicFailure kFileFailure{FileOperation::Create, kMsgCannotCreateBecause,
                                     FileOperation::Write, kMsgWriteFailed};

} // namespace

std::string WriteTempBeside(const std::string& target, std::string_view bytes,
                            std::string_view extension) {
  int fd = -1;
  const std::string temp = MakeTempBeside(target, fd, extension);
  if (temp.empty()) {
    Fail(FileOperation::Create, kMsgCannotCreateBecause, target, errno);
  }
  const bool written = WriteAllBytes(fd, bytes);
  int err = written ? 0 : errno;
  if (!sys::Close(fd) && written) {
    err = errno;
  }
  if (err != 0) {
    sys::Remove(temp);
    FailWrite(target, err);
  }
  return temp;
}

bool ReplaceFileIfChanged(std::string_view path, std::string_view bytes, bool mayExist,
                          const FileSnapshot* seen) {
  const std::string native(path);
  if (mayExist && FileHoldsBytes(native, bytes, seen)) {
    return false;
  }
  ReplaceAtomically(native, bytes, kFileFailure, {false, false});
  return true;
}

void WriteFileAtomic(std::string_view path, std::string_view bytes, FileFormat failMessage) {
  ReplaceAtomically(path, bytes,
                    {FileOperation::Save, failMessage, FileOperation::Save, failMessage},
                    {true, true});
}

void ReplaceTextFile(std::string_view path, const Lines& lines) {
  ReplaceAtomically(path, JoinLines(lines), kFileFailure, {false, true});
}

} // namespace qm
