#pragma once
// The console a command-line program talks through: UTF-8 out, a line in,
// and a secret typed without echo.
#include <optional>
#include <string>

namespace voske::platform {

// Makes standard output and error carry the program's UTF-8 bytes as they
// are: on Windows both streams are binary (no "\n" turned into "\r\n") and a
// console shows UTF-8; on POSIX nothing needs doing.
void PrepareUtf8Output();

// Whether standard input is an interactive console rather than a pipe or a file.
bool InputIsConsole();

// One line of standard input as UTF-8, without its line end (a "\r" before
// the "\n" goes too); nullopt at the end of input with nothing read. A
// Windows console is read wide, so typed accents arrive whole.
std::optional<std::string> ReadInputLine();

// Like ReadInputLine, from a console whose echo is off while the line is
// typed. However the reading ends (the line typed, end of input, Ctrl-C, a
// hang-up or kill that ends the program), the console gets its echo back;
// a Ctrl-Z suspends with echo on and resumes with it off.
std::optional<std::string> ReadSecretLine();

}  // namespace voske::platform
