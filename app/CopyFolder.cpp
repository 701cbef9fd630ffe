#include "app/CopyFolder.h"

#include "engine/AnsiText.h"
#include "engine/FileSystem.h"
#include "engine/Paths.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace qm {

namespace {

using FileId = std::pair<dev_t, ino_t>;

enum class ItemKind { Folder, File, Other };

// One entry to copy, as a path relative to the source folder (folders end in "/").
struct Item {
  std::string relative;
  ItemKind kind;
};

std::optional<struct stat> StatOf(const std::string& path) {
  struct stat st {};
  if (::stat(std::string(path).c_str(), &st) != 0) {
    return std::nullopt;
  }
  return st;
}

FileId IdOf(const struct stat& st) {
  return {st.st_dev, st.st_ino};
}

// Lists the tree below source + relative depth first, each folder before its contents.
// visited holds the folders already listed and the target, which are skipped.
void Collect(const std::string& source, const std::string& relative, std::set<FileId>& visited,
             std::vector<Item>& items) {
  for (const DirEntry& entry : ListFolder(source + relative)) {
    const std::string rel = relative + entry.name;
    const std::optional<struct stat> st = StatOf(source + rel);
    if (st && S_ISDIR(st->st_mode)) {
      if (visited.insert(IdOf(*st)).second) {
        items.push_back({rel + kPathSep, ItemKind::Folder});
        Collect(source, rel + kPathSep, visited, items);
      }
    } else if (st && S_ISREG(st->st_mode)) {
      items.push_back({rel, ItemKind::File});
    } else {
      items.push_back({rel, ItemKind::Other});
    }
  }
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Copies the bytes of from into a temporary file beside to and renames it over to; the
// copy keeps the source's permission bits. false on any failure (the temporary is removed).
bool CopyFileAtomic(const std::string& from, const std::string& to) {
  const int in = ::open(std::string(from).c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    return false;
  }
  struct stat st {};
  std::string temp =
      std::string(ExtractFilePath(to)) + "." + std::string(ExtractFileName(to)) + ".tmpXXXXXX";
  const int out = ::fstat(in, &st) == 0 ? ::mkstemp(temp.data()) : -1;
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = true;
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(in, buf, sizeof buf);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    if (!WriteAll(out, buf, static_cast<size_t>(n))) {
      ok = false;
      break;
    }
  }
  ::close(in);
  ok = ok && ::fchmod(out, st.st_mode & 07777) == 0 && ::fsync(out) == 0;
  ok = ::close(out) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), std::string(to).c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
  }
  return ok;
}

} // namespace

void CopyFolderContents(const std::string& source, const std::string& target,
                        const std::string& title, ConversionInteraction& interaction) {
  const std::optional<struct stat> sourceStat = StatOf(source);
  if (!sourceStat || !S_ISDIR(sourceStat->st_mode)) {
    interaction.CopyFailed(Format(kMsgExtraFolderMissing, PathToText(source).c_str()));
    return;
  }
  std::set<FileId> visited{IdOf(*sourceStat)};
  if (const std::optional<struct stat> targetStat = StatOf(target)) {
    if (IdOf(*targetStat) == IdOf(*sourceStat)) {
      return;
    }
    // The target may lie inside the source: its contents are what is being copied.
    visited.insert(IdOf(*targetStat));
  }

  std::vector<Item> items;
  Collect(source, "", visited, items);
  int fileCount = 0;
  for (const Item& item : items) {
    fileCount += item.kind == ItemKind::File ? 1 : 0;
  }

  interaction.BeginCopy(title, fileCount);
  for (const Item& item : items) {
    const std::string from = source + item.relative;
    const std::string to = target + item.relative;
    switch (item.kind) {
    case ItemKind::Folder:
      if (!ForceDirectories(to)) {
        interaction.CopyFailed(Format(kMsgFolderNotCreated, PathToText(to).c_str()));
      }
      break;
    case ItemKind::Other:
      interaction.CopyFailed(
          Format(kMsgCopyFailed, PathToText(from).c_str(), PathToText(to).c_str()));
      break;
    case ItemKind::File:
      if (DirectoryExists(to)) {
        interaction.CopyFailed(
            Format(kMsgCopyFailed, PathToText(from).c_str(), PathToText(to).c_str()));
      } else if (FileExists(to) && !interaction.ConfirmReplace(to)) {
        interaction.CopiedFile(to);
      } else if (CopyFileAtomic(from, to)) {
        interaction.CopiedFile(to);
      } else {
        interaction.CopyFailed(
            Format(kMsgCopyFailed, PathToText(from).c_str(), PathToText(to).c_str()));
      }
      break;
    }
  }
  interaction.EndCopy();
}

} // namespace qm
