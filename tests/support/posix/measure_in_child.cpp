// MeasureInChild on POSIX: the child is a fork of the test, which runs the
// body with everything the test set up before the call.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <thread>

#include "support/peak_memory.h"
#include "support/posix/cpu_time.h"

namespace voske::support {

ChildRun MeasureInChild(const std::function<bool()>& body, std::chrono::seconds limit) {
  std::fflush(nullptr);
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    bool ok = false;
    try {
      ok = body();
    } catch (...) {
    }
    ::_exit(ok ? 0 : 1);
  }
  ChildRun run;
  if (pid < 0) return run;
  int status = 0;
  rusage usage{};
  while (::wait4(pid, &status, WNOHANG, &usage) != pid) {
    if (std::chrono::steady_clock::now() - t0 > limit) {
      ::kill(pid, SIGKILL);
      ::wait4(pid, &status, 0, &usage);
      run.peakKiB = usage.ru_maxrss;
      return run;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  run.finished = WIFEXITED(status);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakKiB = usage.ru_maxrss;
  run.cpuSeconds = CpuSeconds(usage);
  return run;
}

}  // namespace voske::support
