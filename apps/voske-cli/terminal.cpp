#include "terminal.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iterator>
#include <cstdlib>
#include <iostream>

#include "text/cp1252.h"

namespace voske::cli {

std::string TerminalText(const Text& message) {
  // A message may quote a cell or a worksheet name as they are: their
  // control characters are shown, never handed to the terminal to act on.
  std::string out = ToUtf8(ShownControlCharacters(message));
  for (char& c : out)
    if (c == '\r') c = '\n';
  out.push_back('\n');
  return out;
}

void PrintError(const Text& message) {
  const std::string s = TerminalText(message);
  std::fwrite(s.data(), 1, s.size(), stderr);
  std::fflush(stderr);
}

void PrintLine(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void TerminalFrontEnd::ShowMessage(const Text& text, MessageIcon icon, const Text&) {
  if (icon == MessageIcon::Error) ++errors_;
  else ++informations_;
  PrintError(text);
}

void TerminalFrontEnd::ShowMessageWithDetails(const Text& text, MessageIcon icon, const Text& caption,
                                              const std::vector<Text>& details) {
  for (const Text& line : details) PrintError(line);
  ShowMessage(text, icon, caption);
}

bool TerminalFrontEnd::Confirm(const Text& text, const Text&, const std::vector<Text>& details) {
  for (const Text& line : details) PrintError(line);
  PrintError(text.substr(0, text.find(CR)));
  return true;
}

void TerminalFrontEnd::SetStatus(const Text& status) {
  if (!silent_) PrintError(status);
}

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

Text ReadSecret(const char* envName, const char* prompt) {
  if (const char* env = std::getenv(envName)) return FromUtf8(env);

  std::string line;
  if (::isatty(STDIN_FILENO) != 0) {
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    {
      QuietTerminal quiet;
      std::getline(std::cin, line);
    }
    std::fputc('\n', stderr);
  } else {
    std::getline(std::cin, line);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return FromUtf8(line);
}

}  // namespace voske::cli
