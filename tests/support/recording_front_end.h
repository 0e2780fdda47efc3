#pragma once
// A front end that remembers everything the core told it, in order.
#include <functional>
#include <string>
#include <vector>

#include "port/front_end.h"
#include "text/cp1252.h"

namespace voske::support {

class RecordingFrontEnd : public FrontEnd {
 public:
  struct Message {
    Text text;
    MessageIcon icon;
    Text caption;
  };

  void ShowMessage(const Text& text, MessageIcon icon, const Text& caption) override {
    messages.push_back({text, icon, caption});
    if (onMessage) onMessage();
    events.push_back("message:" + text);
  }
  void SetStatus(const Text& status) override {
    statuses.push_back(status);
    events.push_back("status:" + status);
  }
  void ProcessEvents() override {
    ++processed;
    if (onProcessEvents) onProcessEvents();
  }
  void SetBusy(bool busy) override {
    busyChanges.push_back(busy);
    events.push_back(busy ? "busy:on" : "busy:off");
  }

  std::vector<Message> messages;
  std::vector<Text> statuses;
  std::vector<bool> busyChanges;
  std::vector<Text> events;  // every call above, in order
  int processed = 0;
  // What the "window" does when it handles its events (a test's user).
  std::function<void()> onProcessEvents;
  std::function<void()> onMessage;
};

// Recorded texts in UTF-8, so that expectations read as the user sees them.
inline std::vector<std::string> Utf8Texts(const std::vector<Text>& texts) {
  std::vector<std::string> out;
  for (const Text& t : texts) out.push_back(ToUtf8(t));
  return out;
}

}  // namespace voske::support
