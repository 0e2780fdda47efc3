#include "terminal.h"

#include <cstdio>
#include <optional>

#include "platform/console.h"
#include "platform/process.h"
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

Text ReadSecret(const char* envName, const char* prompt) {
  if (const std::optional<std::string> env = platform::EnvironmentVariable(envName)) return FromUtf8(*env);
  if (!platform::InputIsConsole()) return FromUtf8(platform::ReadInputLine().value_or(std::string()));
  std::fputs(prompt, stderr);
  std::fflush(stderr);
  // Without echo; the console gets it back however the reading ends.
  const std::string line = platform::ReadSecretLine().value_or(std::string());
  std::fputc('\n', stderr);
  return FromUtf8(line);
}

}  // namespace voske::cli
