#include "workflow/window_thread_relay.h"

#include <chrono>
#include <exception>
#include <future>
#include <optional>
#include <thread>

#include "text/bounded_queue.h"

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
  // The details and the questions reach the window too: answered here, a
  // question would always be "yes" without the user ever seeing it.
  void ShowMessageWithDetails(const Text& text, MessageIcon icon, const Text& caption,
                              const std::vector<Text>& details) override {
    Ask([&](FrontEnd& w) { w.ShowMessageWithDetails(text, icon, caption, details); });
  }
  bool Confirm(const Text& text, const Text& caption, const std::vector<Text>& details) override {
    bool answer = false;
    Ask([&](FrontEnd& w) { answer = w.Confirm(text, caption, details); });
    return answer;
  }
  void ShowFindings(const Text& text, MessageIcon icon, const Text& caption, const FindingList& findings) override {
    Ask([&](FrontEnd& w) { w.ShowFindings(text, icon, caption, findings); });
  }
  bool ConfirmFindings(const Text& text, const Text& caption, const FindingList& findings) override {
    bool answer = false;
    Ask([&](FrontEnd& w) { answer = w.ConfirmFindings(text, caption, findings); });
    return answer;
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
    failure_ = std::move(failure);  // read by the window's thread only after the join
    tasks_.Close();
  }

  // Window side: does what is asked and handles events until the work ends.
  void Serve(FrontEnd& window) {
    for (;;) {
      if (std::optional<Task> task = tasks_.PopFor(kEventInterval)) {
        // A task that throws must still release the worker waiting for it.
        try {
          task->report(window);
        } catch (...) {
          if (!taskFailure_) taskFailure_ = std::current_exception();
        }
        task->done.set_value();
        continue;
      }
      if (tasks_.Closed()) return;
      window.ProcessEvents();
    }
  }

  std::exception_ptr Failure() const { return failure_ ? failure_ : taskFailure_; }

 private:
  struct Task {
    std::function<void(FrontEnd&)> report;
    std::promise<void> done;
  };

  void Ask(std::function<void(FrontEnd&)> report) {
    Task task{std::move(report), {}};
    std::future<void> done = task.done.get_future();
    if (tasks_.Push(std::move(task))) done.wait();
  }

  // One report at a time: the worker waits for each to be shown.
  BoundedQueue<Task> tasks_{1};
  std::exception_ptr failure_;      // the work's own
  std::exception_ptr taskFailure_;  // the first report that failed, on the window's thread
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
