#include "terminal.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "text/cp1252.h"

namespace voske::cli {

std::string TerminalText(const Text& message) {
  std::string out = ToUtf8(message);
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

Text ReadSecret(const char* envName, const char* prompt) {
  if (const char* env = std::getenv(envName)) return FromUtf8(env);

  const bool tty = ::isatty(STDIN_FILENO) != 0;
  termios saved{};
  if (tty) {
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    if (::tcgetattr(STDIN_FILENO, &saved) == 0) {
      termios quiet = saved;
      quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
      ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
  }
  std::string line;
  std::getline(std::cin, line);
  if (tty) {
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputc('\n', stderr);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return FromUtf8(line);
}

}  // namespace voske::cli
