#include "xml/background_writer.h"

#include <utility>

#include "xml/atomic_file.h"

namespace voske {

BackgroundWriter::BackgroundWriter(AtomicFile& file) : file_(file), thread_([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
  if (thread_.joinable()) Stop();
}

void BackgroundWriter::Write(std::string piece) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return failure_ || waiting_.size() < kMaxWaiting; });
  if (failure_) std::rethrow_exception(failure_);
  waiting_.push_back(std::move(piece));
  lock.unlock();
  changed_.notify_all();
}

void BackgroundWriter::Finish() {
  Stop();
  if (failure_) std::rethrow_exception(failure_);
}

void BackgroundWriter::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BackgroundWriter::Run() {
  for (;;) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return finished_ || !waiting_.empty(); });
    if (waiting_.empty()) return;  // finished, and all written
    std::string piece = std::move(waiting_.front());
    waiting_.pop_front();
    const bool failed = static_cast<bool>(failure_);
    lock.unlock();
    changed_.notify_all();
    // After a failure the rest is only drained: the save has failed.
    if (failed) continue;
    try {
      file_.Write(piece);
    } catch (...) {
      std::lock_guard<std::mutex> relock(mutex_);
      failure_ = std::current_exception();
    }
    changed_.notify_all();
  }
}

}  // namespace voske
