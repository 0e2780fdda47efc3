#pragma once
// BoundedQueue: the one hand-over between a producing and a consuming
// thread (the background writer of a document, the trial-balance reader,
// the relay of a sending's reports to the window).
//
// The locking rules, stated once for all its users: every member takes the
// queue's one mutex, and nothing is done under it but moving an item in or
// out; the items' own work happens outside. Push waits while the queue holds
// `capacity` items, so a fast producer cannot fill the memory; Pop waits
// while it is empty. Close ends the hand-over for good and wakes both sides:
// a Push after it refuses its item, and Pop gives what is left, then nothing.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace voske {

template <typename T>
class BoundedQueue {
 public:
  explicit BoundedQueue(std::size_t capacity) : capacity_(capacity < 1 ? 1 : capacity) {}
  BoundedQueue(const BoundedQueue&) = delete;
  BoundedQueue& operator=(const BoundedQueue&) = delete;

  // Hands `item` over, waiting for room; false (the item dropped) once closed.
  bool Push(T item) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return closed_ || items_.size() < capacity_; });
    if (closed_) return false;
    items_.push_back(std::move(item));
    lock.unlock();
    changed_.notify_all();
    return true;
  }

  // The oldest item, waiting for one; nothing once closed and empty.
  std::optional<T> Pop() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return closed_ || !items_.empty(); });
    return TakeFront(lock);
  }

  // Pop, waiting at most `limit`: nothing also when the time ran out first.
  template <typename Rep, typename Period>
  std::optional<T> PopFor(std::chrono::duration<Rep, Period> limit) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return closed_ || !items_.empty(); });
    return TakeFront(lock);
  }

  void Close() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closed_ = true;
    }
    changed_.notify_all();
  }

  bool Closed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return closed_;
  }

 private:
  std::optional<T> TakeFront(std::unique_lock<std::mutex>& lock) {
    if (items_.empty()) return std::nullopt;
    std::optional<T> item(std::move(items_.front()));
    items_.pop_front();
    lock.unlock();
    changed_.notify_all();  // room for the producer
    return item;
  }

  const std::size_t capacity_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<T> items_;
  bool closed_ = false;
};

}  // namespace voske
