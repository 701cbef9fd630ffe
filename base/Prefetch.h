// Work on the items of a list done ahead by worker threads, while one thread takes the results
// in list order. Memory stays bounded: only a few items past the one taken next are worked on
// or wait, and their results together stay within a byte budget.
#pragma once

#include "base/System.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace qm {

template <typename Result> class Prefetch {
public:
  /// The result of one item, and what it weighs (bytes held in memory).
  using Work = std::function<Result(size_t)>;
  using Weight = std::function<size_t(const Result&)>;

  /// Starts threads workers on items 0 .. count-1. A worker starts an item at most ahead items
  /// past the one taken next, and beyond that one only while the results waiting weigh less
  /// than budget. An item whose work throws gets a value-initialised result, and the taking
  /// thread does that item itself.
  Prefetch(size_t count, unsigned threads, size_t ahead, size_t budget, Work work, Weight weight)
      : work_(std::move(work)), weight_(std::move(weight)), ahead_(ahead),
        refill_(std::max<size_t>(1, ahead / 2)), budget_(budget), results_(count), weights_(count),
        makers_(count) {
    spent_.resize(threads);
    for (unsigned t = 0; t < threads; ++t) {
      workers_.emplace_back([this, t] { Loop(t); });
    }
  }
  /// Gives item i's result back once the taking thread is done with it: the worker that made
  /// it destroys it before its next item. Memory is so freed by the thread that allocated it;
  /// frees on the taking thread would wait for the allocator's lock while that worker allocates.
  /// A worker waiting for room keeps what it was given until it is woken, which is at most the
  /// items of the window.
  void GiveBack(size_t i, Result result) {
    const std::lock_guard lock(mutex_);
    spent_[makers_[i]].push_back(std::move(result));
  }

  Prefetch(const Prefetch&) = delete;
  Prefetch& operator=(const Prefetch&) = delete;

  /// Stops the workers (an item being worked on is finished first) and waits for them.
  ~Prefetch() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
    }
    room_.notify_all();
    for (std::thread& t : workers_) {
      t.join();
    }
  }

  /// The result of item i, waiting for it. Items are taken in order, each once.
  Result Take(size_t i) {
    std::unique_lock lock(mutex_);
    if (!results_[i].has_value()) {
      awaited_ = i;
      done_.wait(lock, [&] { return results_[i].has_value(); });
      awaited_ = kNone;
    }
    Result result = std::move(*results_[i]);
    results_[i].reset();
    held_ -= weights_[i];
    taken_ = i + 1;
    const bool wake = waiting_ > 0 && MayStart(refill_);
    lock.unlock();
    if (wake) {
      room_.notify_all();
    }
    return result;
  }

private:
  /// Whether a worker may start the next item with room for want items. The item taken next is
  /// always started, so the taking thread never waits for room.
  bool MayStart(size_t want) const {
    return stop_ || next_ >= results_.size() || next_ == taken_ ||
           (next_ + want <= taken_ + ahead_ && held_ < budget_);
  }

  void Loop(unsigned self) {
    // The taking thread is the one every item passes through; a worker woken for room must not
    // take its core.
    sys::LowerThreadPriority();
    std::vector<Result> spent;
    for (;;) {
      size_t i = 0;
      {
        std::unique_lock lock(mutex_);
        if (!spent_[self].empty()) {
          // Destroyed outside the lock.
          spent.swap(spent_[self]);
          lock.unlock();
          spent.clear();
          lock.lock();
        }
        if (!MayStart(1)) {
          // Woken only once there is room for several items: a wake-up per item taken would
          // cost two system calls per file.
          ++waiting_;
          room_.wait(lock, [&] { return MayStart(refill_); });
          --waiting_;
        }
        if (stop_ || next_ >= results_.size()) {
          return;
        }
        i = next_++;
      }
      Result result{};
      size_t w = 0;
      try {
        result = work_(i);
        w = weight_(result);
      } catch (...) {
        result = Result{};
      }
      bool awaited = false;
      {
        const std::lock_guard lock(mutex_);
        results_[i].emplace(std::move(result));
        held_ += w;
        weights_[i] = w;
        makers_[i] = self;
        awaited = awaited_ == i;
      }
      // Only the taking thread waits for results, and only for the one it takes next.
      if (awaited) {
        done_.notify_one();
      }
    }
  }

  Work work_;
  Weight weight_;
  const size_t ahead_;
  const size_t refill_; ///< room a waiting worker waits for
  const size_t budget_;
  std::mutex mutex_;
  static constexpr size_t kNone = static_cast<size_t>(-1);
  std::condition_variable done_; ///< the result the taking thread waits for arrived
  std::condition_variable room_; ///< an item was taken, or the workers are to stop
  std::vector<std::optional<Result>> results_;
  std::vector<size_t> weights_;  ///< the weight of each result
  std::vector<unsigned> makers_; ///< the worker that made each result
  /// Per worker: results given back, which it destroys.
  std::vector<std::vector<Result>> spent_;
  size_t held_ = 0;        ///< the weight of the results waiting
  size_t next_ = 0;        ///< the next item to start
  size_t taken_ = 0;       ///< items taken so far
  unsigned waiting_ = 0;   ///< workers waiting for room
  size_t awaited_ = kNone; ///< the item the taking thread waits for
  bool stop_ = false;
  std::vector<std::thread> workers_;
};

} // namespace qm
