#include "platform/console.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <iterator>

namespace voske::platform {

namespace {

// The terminal as it was before the prompt turned echo off. A signal that
// ends the process while the secret is typed (Ctrl-C, a closed window, kill)
// must not leave the user's shell without echo: the handler puts it back
// and lets the signal take its usual course.
termios savedTerminal{};
volatile sig_atomic_t terminalQuiet = 0;

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void RestoreAndRaise(int signal) {
  if (terminalQuiet) ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// Ctrl-Z: echo back on while the shell has the terminal, off again when the
// prompt resumes, so the secret is never shown.
void RestoreAndStop(int) {
  if (terminalQuiet) ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
  ::raise(SIGSTOP);
  if (terminalQuiet) {
    termios quiet = savedTerminal;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
  }
}

// Echo off for as long as it lives, with the handlers above in place.
class QuietTerminal {
 public:
  QuietTerminal() {
    if (::tcgetattr(STDIN_FILENO, &savedTerminal) != 0) return;
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // the read goes on after a stop and resume
    action.sa_handler = RestoreAndRaise;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
      ::sigaction(kEndingSignals[i], &action, &previous_[i]);
    action.sa_handler = RestoreAndStop;
    ::sigaction(SIGTSTP, &action, &previousStop_);
    termios quiet = savedTerminal;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    terminalQuiet = 1;
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    active_ = true;
  }
  ~QuietTerminal() {
    if (!active_) return;
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    terminalQuiet = 0;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
    ::sigaction(SIGTSTP, &previousStop_, nullptr);
  }
  QuietTerminal(const QuietTerminal&) = delete;
  QuietTerminal& operator=(const QuietTerminal&) = delete;

 private:
  bool active_ = false;
  struct sigaction previous_[std::size(kEndingSignals)] {};
  struct sigaction previousStop_ {};
};

}  // namespace

void PrepareUtf8Output() {}

bool InputIsConsole() { return ::isatty(STDIN_FILENO) != 0; }

std::optional<std::string> ReadInputLine() {
  std::string line;
  if (!std::getline(std::cin, line) && line.empty()) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::optional<std::string> ReadSecretLine() {
  const QuietTerminal quiet;
  return ReadInputLine();
}

}  // namespace voske::platform
