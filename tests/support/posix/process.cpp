// Child processes on POSIX: posix_spawn, and wait4 for the peak resident size.
#include "support/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
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

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (spec.mergeErrors)
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  else
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!spec.workingDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, spec.workingDir.c_str());
  // A group of its own, so that a child that hangs is ended with everything
  // it started (a script's builds and tests, a VM).
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  state_->start = std::chrono::steady_clock::now();
  if (::posix_spawn(&state_->pid, cargv[0], &actions, &attributes, cargv.data(), cenv.data()) != 0) state_->pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
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
