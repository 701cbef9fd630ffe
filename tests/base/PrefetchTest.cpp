// Items computed ahead by worker threads reach the taker once each and in order, whatever the
// window, the budget and the pace of the taker.
#include "base/Prefetch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace qm;

TEST(ParallelRun, PrefetchHandsOverEveryItemInOrder) {
  // Workers that wait for room are woken in batches; whatever the window, the budget and the
  // pace of the taker, every item arrives once, in order, and a taker never waits for an item
  // nobody starts (it would hang here).
  struct Case {
    size_t ahead;
    size_t budget;
    unsigned threads;
  };
  for (const Case c : {Case{1, 1000, 2}, Case{6, 1000, 3}, Case{6, 1, 2}, Case{8, 0, 1}}) {
    constexpr size_t kItems = 300;
    std::atomic<size_t> started{0};
    Prefetch<size_t> prefetch(
        kItems, c.threads, c.ahead, c.budget,
        [&](size_t i) {
          ++started;
          return i * 7;
        },
        [](size_t) { return size_t{10}; });
    for (size_t i = 0; i < kItems; ++i) {
      if (i % 50 == 0) {
        // A slow taker lets the workers fill the window and wait for room.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      ASSERT_EQ(prefetch.Take(i), i * 7) << c.ahead << " " << c.budget;
      // Never more started than the window allows beyond the items taken.
      ASSERT_LE(started.load(), i + 1 + std::max<size_t>(c.ahead, 1));
    }
  }
}

TEST(ParallelRun, PrefetchFreesGivenBackResultsOnTheirMaker) {
  // A result given back is destroyed by the worker that made it, before its next item, so
  // that memory returns to the allocator of the thread that took it; only those given back
  // at the very end, when no worker comes round again, are left to the Prefetch itself.
  constexpr size_t kItems = 200;
  std::mutex mutex;
  std::vector<std::thread::id> made(kItems);
  std::vector<std::thread::id> freed(kItems);
  std::vector<int> frees(kItems, 0);
  {
    Prefetch<std::shared_ptr<size_t>> prefetch(
        kItems, 2, 4, 1000,
        [&](size_t i) {
          {
            const std::lock_guard lock(mutex);
            made[i] = std::this_thread::get_id();
          }
          return std::shared_ptr<size_t>(new size_t(i), [&](const size_t* p) {
            const std::lock_guard lock(mutex);
            freed[*p] = std::this_thread::get_id();
            ++frees[*p];
            delete p;
          });
        },
        [](const std::shared_ptr<size_t>&) { return size_t{1}; });
    for (size_t i = 0; i < kItems; ++i) {
      std::shared_ptr<size_t> item = prefetch.Take(i);
      ASSERT_EQ(*item, i);
      prefetch.GiveBack(i, std::move(item));
    }
  }
  for (size_t i = 0; i < kItems; ++i) {
    EXPECT_EQ(frees[i], 1) << i;
    if (i < kItems / 2) {
      EXPECT_EQ(freed[i], made[i]) << i;
    }
  }
}
