#include "platform/console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>

#include "platform/windows/wide.h"

namespace voske::platform {

namespace {

HANDLE Input() { return ::GetStdHandle(STD_INPUT_HANDLE); }

bool IsConsole(HANDLE h) {
  DWORD mode = 0;
  return h != INVALID_HANDLE_VALUE && h != nullptr && ::GetConsoleMode(h, &mode) != 0;
}

// The console's input mode before echo went off; Ctrl-C and a closed
// window put it back before the program ends.
DWORD savedMode = 0;
volatile LONG quiet = 0;

BOOL WINAPI RestoreOnEnd(DWORD) {
  if (::InterlockedCompareExchange(&quiet, 0, 0)) ::SetConsoleMode(Input(), savedMode);
  return FALSE;  // and the program ends as it would have
}

// One line read wide from the console, as UTF-8.
std::optional<std::string> ReadConsoleLine() {
  std::wstring line;
  wchar_t buffer[256];
  for (;;) {
    DWORD got = 0;
    if (!::ReadConsoleW(Input(), buffer, 256, &got, nullptr) || got == 0) {
      if (line.empty()) return std::nullopt;
      break;
    }
    line.append(buffer, got);
    if (line.back() == L'\n') break;
  }
  // Ctrl-Z at the start of a line is the console's end of input.
  if (!line.empty() && line.front() == L'\x1A') return std::nullopt;
  while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
  return windows::Utf8(line);
}

}  // namespace

void PrepareUtf8Output() {
  std::fflush(stdout);
  std::fflush(stderr);
  ::_setmode(_fileno(stdout), _O_BINARY);
  ::_setmode(_fileno(stderr), _O_BINARY);
  ::SetConsoleOutputCP(CP_UTF8);
}

bool InputIsConsole() { return IsConsole(Input()); }

std::optional<std::string> ReadInputLine() {
  if (IsConsole(Input())) return ReadConsoleLine();
  // A pipe or a file holds bytes, read as they are (UTF-8 by agreement).
  ::_setmode(_fileno(stdin), _O_BINARY);
  std::string line;
  if (!std::getline(std::cin, line) && line.empty()) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::optional<std::string> ReadSecretLine() {
  HANDLE input = Input();
  if (!IsConsole(input) || !::GetConsoleMode(input, &savedMode)) return ReadInputLine();
  ::SetConsoleCtrlHandler(RestoreOnEnd, TRUE);
  ::InterlockedExchange(&quiet, 1);
  ::SetConsoleMode(input, (savedMode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT)) | ENABLE_LINE_INPUT |
                              ENABLE_PROCESSED_INPUT);
  std::optional<std::string> line = ReadConsoleLine();
  ::SetConsoleMode(input, savedMode);
  ::InterlockedExchange(&quiet, 0);
  ::SetConsoleCtrlHandler(RestoreOnEnd, FALSE);
  return line;
}

}  // namespace voske::platform
