// Calls from the conversion's worker thread into the window thread, where every widget and
// every question to the user lives.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <type_traits>
#include <utility>

namespace qm::ui {

/// Runs f in the thread of context and waits for its result; from that thread itself it runs
/// f at once. The window thread must not be waiting for the caller, or both wait forever.
template <typename F> std::invoke_result_t<F> CallInThreadOf(QObject* context, F f) {
  using Result = std::invoke_result_t<F>;
  if (QThread::currentThread() == context->thread()) {
    return f();
  }
  if constexpr (std::is_void_v<Result>) {
    QMetaObject::invokeMethod(context, std::move(f), Qt::BlockingQueuedConnection);
  } else {
    Result result{};
    QMetaObject::invokeMethod(context, std::move(f), Qt::BlockingQueuedConnection, &result);
    return result;
  }
}

/// Runs f later in the thread of context without waiting; calls posted from one thread run in
/// the order they were posted.
template <typename F> void PostToThreadOf(QObject* context, F f) {
  QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
}

} // namespace qm::ui
