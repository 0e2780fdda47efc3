#include "platform/posix/interrupt_cleanup.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

#include <limits.h>
#include <unistd.h>

namespace voske::platform {

namespace {

// A handful of saves can run at once (one per generation thread); each holds
// one slot while its temporary file has a name.
constexpr int kSlots = 8;

struct Slot {
  // 0 free, 1 being filled or emptied, 2 holding a name the handler may use.
  std::atomic<int> state{0};
  char path[PATH_MAX] = {};
};

Slot g_slots[kSlots];

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Only what is async-signal-safe: unlink each recorded name, then end the
// process by the signal's default action, as it would have ended without us.
extern "C" void RemoveTemporariesAndDie(int sig) {
  const int saved = errno;
  for (Slot& slot : g_slots)
    if (slot.state.load(std::memory_order_acquire) == 2) ::unlink(slot.path);
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  ::sigaction(sig, &dfl, nullptr);
  errno = saved;
  ::raise(sig);  // delivered, with the default action, once the handler returns
}

void InstallHandlers() {
  for (const int sig : kSignals) {
    struct sigaction old {};
    if (::sigaction(sig, nullptr, &old) != 0) continue;
    // A signal the program ignores, or handles itself (a front end that has
    // its own plans for Ctrl-C), is left as it is: the program goes on, and
    // so must its file.
    if (old.sa_handler != SIG_DFL || (old.sa_flags & SA_SIGINFO)) continue;
    struct sigaction mine {};
    mine.sa_handler = RemoveTemporariesAndDie;
    sigemptyset(&mine.sa_mask);
    for (const int other : kSignals) sigaddset(&mine.sa_mask, other);
    ::sigaction(sig, &mine, nullptr);
  }
}

}  // namespace

int RecordTemporaryName(const std::string& path) {
  static std::once_flag installed;
  std::call_once(installed, InstallHandlers);
  if (path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = 0;
    if (!g_slots[i].state.compare_exchange_strong(expected, 1, std::memory_order_acq_rel)) continue;
    std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
    g_slots[i].state.store(2, std::memory_order_release);
    return i;
  }
  return -1;
}

void ForgetTemporaryName(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  g_slots[slot].state.store(1, std::memory_order_release);
  g_slots[slot].path[0] = '\0';
  g_slots[slot].state.store(0, std::memory_order_release);
}

}  // namespace voske::platform
