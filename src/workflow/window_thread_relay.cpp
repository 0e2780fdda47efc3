#include "workflow/window_thread_relay.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace voske {

namespace {

// How long the window's thread waits for a report before it handles its own
// events again: short enough for the window to repaint and answer at once.
constexpr std::chrono::milliseconds kEventInterval{15};

// The front end the worker sees. Every call becomes a task for the window's
// thread, and the worker waits until the task is done, so the window shows
// each report before the work goes on, exactly as it would on its own thread.
class Relay : public FrontEnd {
 public:
  void ShowMessage(const Text& text, MessageIcon icon, const Text& caption) override {
    Ask([=](FrontEnd& w) { w.ShowMessage(text, icon, caption); });
  }
  void SetStatus(const Text& status) override {
    Ask([=](FrontEnd& w) { w.SetStatus(status); });
  }
  // The window's thread handles its events all along.
  void ProcessEvents() override {}
  void SetBusy(bool busy) override {
    Ask([=](FrontEnd& w) { w.SetBusy(busy); });
  }

  // Worker side: the work has ended (normally or not).
  void Finish(std::exception_ptr failure) {
    std::lock_guard lock(mutex_);
    finished_ = true;
    failure_ = std::move(failure);
    changed_.notify_all();
  }

  // Window side: does what is asked and handles events until the work ends.
  void Serve(FrontEnd& window) {
    for (;;) {
      std::unique_lock lock(mutex_);
      changed_.wait_for(lock, kEventInterval, [this] { return finished_ || !tasks_.empty(); });
      if (!tasks_.empty()) {
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        // A task that throws must still release the worker waiting for it.
        std::exception_ptr taskFailure;
        try {
          task(window);
        } catch (...) {
          taskFailure = std::current_exception();
        }
        lock.lock();
        ++done_;
        if (taskFailure && !taskFailure_) taskFailure_ = taskFailure;
        changed_.notify_all();
        continue;
      }
      if (finished_) return;
      lock.unlock();
      window.ProcessEvents();
    }
  }

  std::exception_ptr Failure() const { return failure_ ? failure_ : taskFailure_; }

 private:
  using Task = std::function<void(FrontEnd&)>;

  void Ask(Task task) {
    std::unique_lock lock(mutex_);
    tasks_.push_back(std::move(task));
    const unsigned long long ticket = ++asked_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return done_ >= ticket; });
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Task> tasks_;
  unsigned long long asked_ = 0;
  unsigned long long done_ = 0;
  bool finished_ = false;
  std::exception_ptr failure_;
  std::exception_ptr taskFailure_;
};

}  // namespace

void RunOffWindowThread(FrontEnd& window, const std::function<void(FrontEnd& reports)>& work) {
  Relay relay;
  std::thread worker([&relay, &work] {
    std::exception_ptr failure;
    try {
      work(relay);
    } catch (...) {
      failure = std::current_exception();
    }
    relay.Finish(failure);
  });
  relay.Serve(window);
  worker.join();
  if (std::exception_ptr failure = relay.Failure()) std::rethrow_exception(failure);
}

}  // namespace voske
