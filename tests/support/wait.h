#pragma once
// Waiting on another thread with a deadline: a test whose other side never
// comes fails instead of hanging the suite.
#include <chrono>
#include <functional>
#include <thread>

namespace voske::support {

// True once `done` holds; false when `limit` passed first.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(30)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::yield();
  }
  return true;
}

}  // namespace voske::support
