#pragma once
// Runs build/bin/voske-cli as a child process with a chosen environment,
// standard input and working folder, and collects its exit status and both
// outputs.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/paths.h"

extern char** environ;

namespace voske::testing {

struct CliResult {
  int status = -1;
  std::string out, err;
};

struct CliRun {
  std::vector<std::string> args;
  std::optional<std::string> password;  // VOSKE_SENHA; unset when empty optional
  std::string input;                    // standard input
  std::filesystem::path workingDir;     // empty: the test's own
};

inline std::filesystem::path CliBinary() { return BinaryDir() / "bin" / "voske-cli"; }

inline CliResult RunCli(const CliRun& run) {
  ScratchDir io;
  const std::string in = (io / "in").string(), out = (io / "out").string(), err = (io / "err").string();
  std::ofstream(in, std::ios::binary) << run.input;

  std::vector<std::string> env;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "VOSKE_SENHA=", 12) != 0) env.emplace_back(*e);
  if (run.password) env.push_back("VOSKE_SENHA=" + *run.password);
  std::vector<std::string> argv{CliBinary().string()};
  argv.insert(argv.end(), run.args.begin(), run.args.end());

  std::vector<char*> cargv, cenv;
  for (auto& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  for (auto& e : env) cenv.push_back(e.data());
  cenv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int fin = ::open(in.c_str(), O_RDONLY);
    const int fout = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int ferr = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fin < 0 || fout < 0 || ferr < 0) ::_exit(126);
    ::dup2(fin, 0);
    ::dup2(fout, 1);
    ::dup2(ferr, 2);
    if (!run.workingDir.empty() && ::chdir(run.workingDir.c_str()) != 0) ::_exit(126);
    ::execve(cargv[0], cargv.data(), cenv.data());
    ::_exit(127);
  }
  CliResult r;
  int wstatus = 0;
  if (pid > 0 && ::waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) r.status = WEXITSTATUS(wstatus);
  r.out = FileContents(out);
  r.err = FileContents(err);
  return r;
}

}  // namespace voske::testing
