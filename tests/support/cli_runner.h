#pragma once
// Runs build/bin/voske-cli (or another program) as a user's script would: a child process with
// the arguments, environment, standard input and working folder the test
// chooses. Gives back the exit status and what the program wrote. A run that
// does not end within a minute is killed and reported with status -1, so a
// hanging command fails its test instead of stalling the suite.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/files.h"
#include "support/paths.h"

extern char** environ;

namespace voske::support {

struct CliResult {
  int status = -1;  // exit status; -1 when the program did not end by itself
  std::string out;  // standard output (and standard error, with mergeErrors)
  std::string err;  // standard error, unless merged
};

struct CliRun {
  CliRun() = default;
  // The common run: arguments, password, standard input, working folder.
  CliRun(std::vector<std::string> arguments, std::optional<std::string> senha = std::nullopt, std::string stdinText = {},
         std::filesystem::path folder = {})
      : args(std::move(arguments)), password(std::move(senha)), input(std::move(stdinText)),
        workingDir(std::move(folder)) {}

  std::vector<std::string> args;
  std::optional<std::string> password;   // VOSKE_SENHA; unset when empty optional
  std::string input;                     // standard input
  std::filesystem::path workingDir;      // empty: the test's own
  std::vector<std::string> environment;  // "NAME=value" entries set for the run
  std::vector<std::string> unset;        // names removed from the inherited environment
  bool mergeErrors = false;              // both outputs into `out`, as a terminal shows them
  std::filesystem::path program;         // another program to run instead of voske-cli
};

inline std::filesystem::path CliBinary() { return BinaryDir() / "bin" / "voske-cli"; }

inline CliResult RunCli(const CliRun& run) {
  ScratchDir io;
  const std::string in = (io / "in").string(), out = (io / "out").string(), err = (io / "err").string();
  std::ofstream(in, std::ios::binary) << run.input;

  // The inherited environment, less the password (the run decides it), the
  // names to unset and the names the run sets itself.
  std::vector<std::string> removed = run.unset;
  removed.push_back("VOSKE_SENHA");
  for (const std::string& entry : run.environment) removed.push_back(entry.substr(0, entry.find('=')));
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    bool drop = false;
    for (const std::string& name : removed) drop |= entry.rfind(name + "=", 0) == 0;
    if (!drop) env.push_back(entry);
  }
  if (run.password) env.push_back("VOSKE_SENHA=" + *run.password);
  env.insert(env.end(), run.environment.begin(), run.environment.end());

  std::vector<std::string> argv{run.program.empty() ? CliBinary().string() : run.program.string()};
  argv.insert(argv.end(), run.args.begin(), run.args.end());
  std::vector<char*> cargv, cenv;
  for (std::string& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  for (std::string& e : env) cenv.push_back(e.data());
  cenv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (run.mergeErrors)
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  else
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!run.workingDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, run.workingDir.c_str());
  // A group of its own, so that a run that hangs is ended with everything
  // it started (a script's builds and tests, a VM).
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, cargv[0], &actions, &attributes, cargv.data(), cenv.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  CliResult r;
  if (spawned != 0) {
    r.err = "could not be started: " + argv[0];
    return r;
  }

  int status = 0;
  bool ended = false;
  for (int i = 0; i < 6000 && !ended; ++i) {
    ended = ::waitpid(pid, &status, WNOHANG) == pid;
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (!ended) {
    ::kill(-pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  } else if (WIFEXITED(status)) {
    r.status = WEXITSTATUS(status);
  }
  r.out = FileContents(out);
  if (!run.mergeErrors) r.err = FileContents(err);
  return r;
}

}  // namespace voske::support
