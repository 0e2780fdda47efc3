#pragma once
// Hands the pieces of a file to a thread of its own that writes them, so
// that building the next piece of a document and writing the last overlap
// (the copy into the kernel costs as much as building a piece does).
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

namespace voske {

class AtomicFile;

class BackgroundWriter {
 public:
  explicit BackgroundWriter(AtomicFile& file);
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;
  // Stops the thread; what was not written is dropped (the save failed).
  ~BackgroundWriter();

  // Queues a piece, waiting while a few are already queued, so that memory
  // stays bounded. Raises what an earlier write raised.
  void Write(std::string piece);
  // Waits until every piece is written; raises what writing raised.
  void Finish();

 private:
  static constexpr size_t kMaxWaiting = 4;
  void Run();
  void Stop();

  AtomicFile& file_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> waiting_;
  bool finished_ = false;
  std::exception_ptr failure_;  // set by the thread, under the mutex
  std::thread thread_;          // last: it starts once the rest is ready
};

}  // namespace voske
