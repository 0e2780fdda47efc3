#pragma once
// Runs build/bin/voske-cli (or another program) as a user's script would: a child process with
// the arguments, environment, standard input and working folder the test
// chooses. Gives back the exit status and what the program wrote. A run that
// does not end within a minute is killed and reported with status -1, so a
// hanging command fails its test instead of stalling the suite.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/paths.h"
#include "support/process.h"

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

inline std::filesystem::path CliBinary() { return BinaryDir() / "bin" / ProgramFile("voske-cli"); }

inline CliResult RunCli(const CliRun& run) {
  ScratchDir io;
  std::ofstream(io / "in", std::ios::binary) << run.input;

  // The inherited environment, less the password (the run decides it), the
  // names to unset and the names the run sets itself.
  std::vector<std::string> removed = run.unset;
  removed.push_back("VOSKE_SENHA");
  for (const std::string& entry : run.environment) removed.push_back(entry.substr(0, entry.find('=')));
  ProcessSpec spec;
  for (const std::string& entry : CurrentEnvironment()) {
    bool drop = false;
    for (const std::string& name : removed) drop |= entry.rfind(name + "=", 0) == 0;
    if (!drop) spec.environment.push_back(entry);
  }
  if (run.password) spec.environment.push_back("VOSKE_SENHA=" + *run.password);
  spec.environment.insert(spec.environment.end(), run.environment.begin(), run.environment.end());

  const std::u8string program = (run.program.empty() ? CliBinary() : run.program).u8string();
  spec.argv.emplace_back(program.begin(), program.end());
  spec.argv.insert(spec.argv.end(), run.args.begin(), run.args.end());
  spec.input = io / "in";
  spec.output = io / "out";
  spec.errors = io / "err";
  spec.mergeErrors = run.mergeErrors;
  spec.workingDir = run.workingDir;
  ChildProcess child(spec);
  CliResult r;
  if (!child.Started()) {
    r.err = "could not be started: " + spec.argv[0];
    return r;
  }
  const ChildRun ended = child.Wait(std::chrono::minutes(1));
  r.status = ended.finished ? ended.status : -1;
  r.out = FileContents(io / "out");
  if (!run.mergeErrors) r.err = FileContents(io / "err");
  return r;
}

}  // namespace voske::support
