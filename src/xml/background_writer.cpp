#include "xml/background_writer.h"

#include <utility>

#include "xml/atomic_file.h"

namespace voske {

BackgroundWriter::BackgroundWriter(AtomicFile& file) : file_(file), thread_([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
  if (thread_.joinable()) Stop();
}

std::exception_ptr BackgroundWriter::Failure() {
  std::lock_guard<std::mutex> lock(failureMutex_);
  return failure_;
}

void BackgroundWriter::Write(std::string piece) {
  if (std::exception_ptr failed = Failure()) std::rethrow_exception(failed);
  pieces_.Push(std::move(piece));
}

void BackgroundWriter::Finish() {
  Stop();
  if (std::exception_ptr failed = Failure()) std::rethrow_exception(failed);
}

void BackgroundWriter::Stop() {
  pieces_.Close();
  thread_.join();
}

void BackgroundWriter::Run() {
  while (std::optional<std::string> piece = pieces_.Pop()) {
    // After a failure the rest is only drained: the save has failed.
    if (Failure()) continue;
    try {
      file_.Write(*piece);
    } catch (...) {
      std::lock_guard<std::mutex> lock(failureMutex_);
      failure_ = std::current_exception();
    }
  }
}

}  // namespace voske
