#pragma once
// Hands the pieces of a file to a thread of its own that writes them, so
// that building the next piece of a document and writing the last overlap
// (the copy into the kernel costs as much as building a piece does).
#include <exception>
#include <mutex>
#include <string>
#include <thread>

#include "text/bounded_queue.h"

namespace voske {

class AtomicFile;

class BackgroundWriter {
 public:
  explicit BackgroundWriter(AtomicFile& file);
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;
  // Stops the thread once it has written what was queued.
  ~BackgroundWriter();

  // Queues a piece, waiting while a few are already queued, so that memory
  // stays bounded. Raises what an earlier write raised.
  void Write(std::string piece);
  // Waits until every piece is written; raises what writing raised.
  void Finish();

 private:
  void Run();
  void Stop();
  std::exception_ptr Failure();

  AtomicFile& file_;
  BoundedQueue<std::string> pieces_{4};
  std::mutex failureMutex_;
  std::exception_ptr failure_;  // the first write that failed; the rest are only drained
  std::thread thread_;          // last: it starts once the rest is ready
};

}  // namespace voske
