#pragma once
// Runs work in a child process and reports its peak resident size, its time
// and its CPU time, so that a test can bound the memory a read really takes
// (an address-space limit only shows whether an allocation failed, not what
// was used) and a benchmark can time a whole process. The one way the tests
// and the benchmarks (bench/) measure a child.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace voske::support {

struct ChildRun {
  bool finished = false;  // ended by itself within the time allowed
  int status = -1;        // exit status when it finished
  long peakKiB = 0;       // peak resident size (ru_maxrss)
  double seconds = 0;     // wall-clock time, from the fork to the end
  double cpuSeconds = 0;  // user and system time of the child

  bool Succeeded() const { return finished && status == 0; }
};

// Waits for `pid` at most `limit`, killing it past that.
inline ChildRun WaitMeasured(pid_t pid, std::chrono::seconds limit,
                             std::chrono::steady_clock::time_point t0 = std::chrono::steady_clock::now()) {
  ChildRun run;
  int status = 0;
  rusage usage{};
  while (true) {
    const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() - t0 > limit) {
      ::kill(pid, SIGKILL);
      ::wait4(pid, &status, 0, &usage);
      run.peakKiB = usage.ru_maxrss;
      return run;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  run.finished = WIFEXITED(status);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peakKiB = usage.ru_maxrss;
  return run;
}

// Runs `body` in a forked child; it exits 0 when `body` returns true.
inline ChildRun MeasureInChild(const std::function<bool()>& body, std::chrono::seconds limit) {
  std::fflush(nullptr);  // nothing buffered may be written twice
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
  return WaitMeasured(pid, limit, t0);
}

// Runs `program` (a path, or a name looked up on the PATH) with `args`, its
// output and errors into the given files.
inline ChildRun MeasureProgram(const std::string& program, const std::vector<std::string>& args,
                               const std::string& outFile, const std::string& errFile, std::chrono::seconds limit) {
  std::fflush(nullptr);  // the child reopens stdout, which would print the buffer again
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!std::freopen(outFile.c_str(), "w", stdout) || !std::freopen(errFile.c_str(), "w", stderr)) ::_exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(program.c_str(), argv.data());
    ::_exit(127);
  }
  return WaitMeasured(pid, limit, t0);
}

}  // namespace voske::support
