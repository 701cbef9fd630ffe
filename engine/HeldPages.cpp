#include "engine/HeldPages.h"

#include "base/Error.h"
#include "base/FileSystem.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace qm {

void HeldPages::Put(const std::string& key, Held held) {
  const auto [it, fresh] = held_.try_emplace(key);
  if (fresh) {
    it->second.order = next_++;
  } else {
    memory_ -= it->second.memory;
  }
  held.order = it->second.order;
  it->second = std::move(held);
  memory_ += it->second.memory;
}

void HeldPages::Hold(const std::string& key, PageStream page) {
  // Over the limit, the page waits on disk instead: each page goes there at most once, and
  // what one page keeps in memory is bounded by the stream itself.
  if (memory_ + page.MemoryBytes() > memoryLimit_) {
    page.Spill();
  }
  Held held;
  held.memory = page.MemoryBytes();
  held.page = std::move(page);
  Put(key, std::move(held));
}

void HeldPages::HoldDeletion(const std::string& key, const std::string& path) {
  Held held;
  held.path = path;
  held.write = false;
  Put(key, std::move(held));
}

void HeldPages::Drop(const std::string& key) noexcept {
  const auto it = held_.find(key);
  if (it == held_.end()) {
    return;
  }
  memory_ -= it->second.memory;
  it->second.page.Abandon();
  held_.erase(it);
}

void HeldPages::Resolve(Held& held, PageFolders& folders) {
  if (held.write) {
    folders.Note(held.page.Path(), true);
    held.page.Finish();
  } else if (folders.MayExist(held.path)) {
    DeleteFileAt(held.path);
    folders.Note(held.path, false);
  }
}

void HeldPages::PutInPlace(const std::string& key, PageFolders& folders) {
  const auto it = held_.find(key);
  if (it == held_.end()) {
    return;
  }
  Held held = std::move(it->second);
  memory_ -= held.memory;
  held_.erase(it);
  Resolve(held, folders);
}

void HeldPages::PutAllInPlace(PageFolders& folders) {
  std::vector<std::pair<size_t, std::string>> keys;
  keys.reserve(held_.size());
  for (const auto& [key, held] : held_) {
    keys.emplace_back(held.order, key);
  }
  std::sort(keys.begin(), keys.end());
  std::exception_ptr first;
  for (const auto& entry : keys) {
    try {
      PutInPlace(entry.second, folders);
    } catch (const Error&) {
      if (first == nullptr) {
        first = std::current_exception();
      }
    }
  }
  if (first != nullptr) {
    std::rethrow_exception(first);
  }
}

void HeldPages::PutAllInPlaceQuietly(PageFolders& folders) noexcept {
  try {
    PutAllInPlace(folders);
  } catch (...) {
    // The failure that ended the run is the one reported.
  }
}

} // namespace qm
