// Child processes on POSIX: fork and exec, and wait4 for the peak resident size
// and the CPU time.
#include "support/process.h"
#include "support/posix/cpu_time.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

extern char** environ;

namespace voske::support {

struct ChildProcess::State {
  pid_t pid = -1;
  bool reaped = false;
  bool killed = false;
  std::chrono::steady_clock::time_point start;
};

ChildProcess::ChildProcess(const ProcessSpec& spec) : state_(std::make_unique<State>()) {
  std::vector<std::string> argv = spec.argv, env = spec.environment;
  std::vector<char*> cargv, cenv;
  for (std::string& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  for (std::string& e : env) cenv.push_back(e.data());
  cenv.push_back(nullptr);
  const auto fileOrNull = [](const std::filesystem::path& p) { return p.empty() ? std::string("/dev/null") : p.string(); };
  const std::string in = fileOrNull(spec.input), out = fileOrNull(spec.output), err = fileOrNull(spec.errors);

  std::fflush(nullptr);  // nothing buffered may be written twice
  state_->start = std::chrono::steady_clock::now();
  // fork and exec rather than posix_spawn: a spawned child shares the test's
  // memory until its exec, and the kernel then counts the test's own peak as
  // the child's.
  const pid_t pid = ::fork();
  if (pid == 0) {
    // A group of its own, so that a child that hangs is ended with everything
    // it started (a script's builds and tests, a VM).
    ::setpgid(0, 0);
    const auto redirect = [](const char* file, int flags, int to) {
      const int fd = ::open(file, flags, 0600);
      if (fd < 0 || ::dup2(fd, to) < 0) ::_exit(126);
      if (fd != to) ::close(fd);
    };
    redirect(in.c_str(), O_RDONLY, STDIN_FILENO);
    redirect(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
    if (spec.mergeErrors) {
      if (::dup2(STDOUT_FILENO, STDERR_FILENO) < 0) ::_exit(126);
    } else {
      redirect(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
    }
    if (!spec.workingDir.empty() && ::chdir(spec.workingDir.c_str()) != 0) ::_exit(126);
    // A bare name is looked up on the PATH, as a shell would.
    ::execvpe(cargv[0], cargv.data(), cenv.data());
    ::_exit(127);
  }
  // The parent sets the group too, so that a kill right after the start
  // cannot come before the child's own setpgid.
  if (pid > 0) ::setpgid(pid, pid);
  state_->pid = pid;
}

ChildProcess::~ChildProcess() {
  if (state_->pid > 0 && !state_->reaped) {
    ::kill(-state_->pid, SIGKILL);
    int status = 0;
    ::waitpid(state_->pid, &status, 0);
  }
}

bool ChildProcess::Started() const { return state_->pid > 0; }

void ChildProcess::Kill() {
  if (state_->pid > 0 && !state_->reaped) {
    ::kill(-state_->pid, SIGKILL);
    state_->killed = true;
  }
}

ChildRun ChildProcess::Wait(std::chrono::milliseconds limit) {
  ChildRun run;
  if (state_->pid <= 0 || state_->reaped) return run;
  int status = 0;
  rusage usage{};
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (::wait4(state_->pid, &status, WNOHANG, &usage) != state_->pid) {
    if (std::chrono::steady_clock::now() > deadline) {
      Kill();
      ::wait4(state_->pid, &status, 0, &usage);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  state_->reaped = true;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - state_->start).count();
  run.finished = WIFEXITED(status) && !state_->killed;
  run.status = run.finished ? WEXITSTATUS(status) : -1;
  run.peakKiB = usage.ru_maxrss;
  run.cpuSeconds = CpuSeconds(usage);
  return run;
}

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  return env;
}

void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
  if (value)
    ::setenv(name.c_str(), value->c_str(), 1);
  else
    ::unsetenv(name.c_str());
}

long CurrentProcessId() { return static_cast<long>(::getpid()); }

std::filesystem::path CurrentProgram() { return std::filesystem::read_symlink("/proc/self/exe"); }

}  // namespace voske::support
