#pragma once
// Runs a program of the build as a user would, in a folder of the test's
// choosing and with extra environment, and gives back its exit status and
// what it wrote. A program that hangs is killed after a minute.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/files.h"
#include "support/paths.h"

extern char** environ;

namespace voske::testing {

struct ProgramResult {
  int status = -1;      // exit status; -1 when it did not end by itself
  std::string output;   // standard output and standard error together
};

inline ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& workingDirectory,
                                const std::vector<std::string>& extraEnvironment,
                                const std::vector<std::string>& removedEnvironment = {}) {
  ScratchDir scratch;
  const std::string outputFile = (scratch / "output").string();
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    bool removed = false;
    for (const std::string& name : removedEnvironment) removed |= entry.rfind(name + "=", 0) == 0;
    for (const std::string& extra : extraEnvironment) removed |= entry.rfind(extra.substr(0, extra.find('=') + 1), 0) == 0;
    if (!removed) env.push_back(entry);
  }
  env.insert(env.end(), extraEnvironment.begin(), extraEnvironment.end());

  std::vector<std::string> args = argv;
  std::vector<char*> cargs, cenv;
  for (std::string& a : args) cargs.push_back(a.data());
  cargs.push_back(nullptr);
  for (std::string& e : env) cenv.push_back(e.data());
  cenv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
  pid_t pid = -1;
  ProgramResult result;
  const int spawned = ::posix_spawn(&pid, cargs[0], &actions, nullptr, cargs.data(), cenv.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return result;

  int status = 0;
  bool ended = false;
  for (int i = 0; i < 1200 && !ended; ++i) {
    ended = ::waitpid(pid, &status, WNOHANG) == pid;
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!ended) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  } else if (WIFEXITED(status)) {
    result.status = WEXITSTATUS(status);
  }
  result.output = FileContents(outputFile);
  return result;
}

}  // namespace voske::testing
