#pragma once
// Runs the loopback test service in a child process for one test: it listens
// on free ports of 127.0.0.1, and ends when the test closes its input, or by
// itself after a while should the test die first.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support/paths.h"

extern char** environ;

namespace voske::support {

class LoopbackService {
 public:
  // `options` as the service takes them ("--modo", "recusar", ...). The
  // service always records every request in log().
  explicit LoopbackService(std::vector<std::string> options) {
    logPath_ = (scratch_ / "service.log").string();
    std::vector<std::string> argv = {VOSKE_JAVA_EXECUTABLE, "-jar",
                                     (BinaryDir() / "bin" / "VOSKETestService.jar").string(),
                                     "--porta", "0", "--proxy-porta", "0", "--registro", logPath_,
                                     "--encerrar-com-entrada", "--tempo-maximo", "120"};
    argv.insert(argv.end(), options.begin(), options.end());

    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    std::vector<char*> args;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    const int spawned = ::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    input_ = in[1];
    output_ = out[0];
    if (spawned != 0) {
      pid_ = -1;
      throw std::runtime_error("cannot start " + argv[0]);
    }
    url_ = Value(ReadLine(), "VOSKE_WEBSERVICE_URL=");
    const std::string proxy = Value(ReadLine(), "PROXY=");
    proxyPort_ = proxy.substr(proxy.rfind(':') + 1);
  }

  ~LoopbackService() {
    if (input_ >= 0) ::close(input_);
    if (output_ >= 0) ::close(output_);
    if (pid_ <= 0) return;
    // Closing its input ends the service; it gets a few seconds, then is killed.
    for (int i = 0; i < 100; ++i) {
      if (::waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  LoopbackService(const LoopbackService&) = delete;
  LoopbackService& operator=(const LoopbackService&) = delete;

  const std::string& url() const { return url_; }
  const std::string& proxyPort() const { return proxyPort_; }
  // One line per request the service (or its proxy) received.
  std::vector<std::string> log() const {
    std::ifstream in(logPath_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  // One line of the service's output, waiting at most 30 seconds for it.
  std::string ReadLine() {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd p{output_, POLLIN, 0};
      if (::poll(&p, 1, 200) <= 0) continue;
      char c;
      const ssize_t n = ::read(output_, &c, 1);
      if (n <= 0) break;
      if (c == '\n') return line;
      line += c;
    }
    throw std::runtime_error("the loopback service did not start: \"" + line + "\"");
  }

  static std::string Value(const std::string& line, const std::string& key) {
    if (line.compare(0, key.size(), key) != 0) throw std::runtime_error("unexpected service output: " + line);
    return line.substr(key.size());
  }

  ScratchDir scratch_;
  std::string logPath_;
  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  std::string url_;
  std::string proxyPort_;
};

}  // namespace voske::support
