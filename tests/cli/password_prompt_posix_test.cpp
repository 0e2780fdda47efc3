// The password prompt on a real terminal (a pseudo-terminal the test holds):
// whichever way the prompt ends, typed line, end of input, Ctrl-C or a
// signal from outside, the terminal gets its echo back.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/cli_runner.h"
#include "support/paths.h"

namespace voske {
namespace {

using namespace std::chrono_literals;

bool Echoes(int fd) {
  termios t{};
  return ::tcgetattr(fd, &t) == 0 && (t.c_lflag & ECHO) != 0;
}

struct PromptEnd {
  const char* name;
  const char* typed;  // written to the terminal once the prompt waits; nullptr: `signal` sent from outside
  int signal;         // the signal expected to end the process, 0 for a normal exit
};

TEST(PasswordPrompt, EveryWayOutOfThePromptLeavesTheTerminalEchoing) {
  const PromptEnd ends[] = {
      {"a typed line", "senha\n", 0},
      {"end of input (Ctrl-D)", "\x04", 0},
      {"Ctrl-C", "\x03", SIGINT},
      {"kill", nullptr, SIGTERM},
      {"the terminal closing", nullptr, SIGHUP},
  };
  support::ScratchDir dir;
  const std::string cli = support::CliBinary().string();
  const std::string workbook = (support::SourceDir() / "examples" / "planilha-exemplo.xlsx").string();
  for (const PromptEnd& end : ends) {
    int master = -1, slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    ASSERT_TRUE(Echoes(slave));
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::setsid();
      ::ioctl(slave, TIOCSCTTY, 0);
      ::dup2(slave, STDIN_FILENO);
      const int quiet = ::open("/dev/null", O_WRONLY);
      ::dup2(quiet, STDOUT_FILENO);
      ::dup2(quiet, STDERR_FILENO);
      ::unsetenv("VOSKE_SENHA");
      ::execl(cli.c_str(), cli.c_str(), "gerar", "--documento", "cadastral", "--planilha", workbook.c_str(),
              "--destino", dir.path().c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // The prompt waits once the echo is off.
    const auto t0 = std::chrono::steady_clock::now();
    while (Echoes(slave) && std::chrono::steady_clock::now() - t0 < 20s) std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(Echoes(slave)) << end.name << ": the prompt never turned the echo off";
    if (end.typed) {
      ASSERT_EQ(::write(master, end.typed, std::char_traits<char>::length(end.typed)),
                static_cast<ssize_t>(std::char_traits<char>::length(end.typed)));
    } else {
      ::kill(pid, end.signal);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(Echoes(slave)) << end.name;
    if (end.signal) {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == end.signal) << end.name;
    } else {
      EXPECT_TRUE(WIFEXITED(status)) << end.name;
    }
    ::close(master);
    ::close(slave);
  }
}

}  // namespace
}  // namespace voske
