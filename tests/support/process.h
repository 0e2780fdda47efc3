#pragma once
// Child processes for the tests, alike on every system: start a program with
// the arguments, environment, standard streams and working folder a test
// chooses, wait for it within a time limit (killing it past that), and tell
// its exit status, how long it ran and its peak memory. posix/ and windows/
// hold the two implementations; the build picks one.
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace voske::support {

// How a child is started. Texts and paths are UTF-8.
struct ProcessSpec {
  std::vector<std::string> argv;            // argv[0] is the program's path
  std::vector<std::string> environment;     // "NAME=value" entries: its whole environment
  std::filesystem::path input;              // standard input; empty: nothing to read
  std::filesystem::path output;             // standard output; empty: thrown away
  std::filesystem::path errors;             // standard error; empty: thrown away
  bool mergeErrors = false;                 // standard error into `output`, as a terminal shows both
  std::filesystem::path workingDir;         // empty: the test's own
};

// How a child ended.
struct ChildRun {
  bool finished = false;  // ended by itself within the time allowed
  int status = -1;        // exit status when it finished
  long peakKiB = 0;       // peak resident size (working set on Windows)
  double seconds = 0;     // from its start to its end
  double cpuSeconds = 0;  // user and system time of the child

  bool Succeeded() const { return finished && status == 0; }
};

class ChildProcess {
 public:
  // Starts the program at once; Started() says whether that worked.
  explicit ChildProcess(const ProcessSpec& spec);
  // A child still running when the object goes is killed and reaped.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const;
  // Waits at most `limit` for the child to end, killing it past that.
  ChildRun Wait(std::chrono::milliseconds limit);
  // Ends the child at once, with no chance to clean up, as SIGKILL or
  // TerminateProcess do; Wait then reports it as not finished.
  void Kill();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The running program's environment, "NAME=value" each.
std::vector<std::string> CurrentEnvironment();
// Sets a variable of the running program's environment, or removes it when
// `value` is empty (std::nullopt).
void SetEnvironment(const std::string& name, const std::optional<std::string>& value);
// The running program's process id.
long CurrentProcessId();
// The running program's own file.
std::filesystem::path CurrentProgram();

// The file name of a program this build made: "voske-cli" is voske-cli.exe on Windows.
inline std::string ProgramFile(const std::string& name) {
#ifndef VOSKE_EXE_SUFFIX
#define VOSKE_EXE_SUFFIX ""
#endif
  return name + VOSKE_EXE_SUFFIX;
}

}  // namespace voske::support
