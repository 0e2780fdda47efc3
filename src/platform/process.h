#pragma once
// What the process knows about itself and the user running it.
#include <optional>
#include <string>
#include <vector>

namespace voske::platform {

// The program's arguments as UTF-8, without the program's own name. On
// Windows they are read from the wide command line, whatever the console's
// code page; elsewhere they are argv as given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The value of the environment variable `name` as UTF-8; nullopt when it is
// not set (an empty value is returned as an empty text).
std::optional<std::string> EnvironmentVariable(const char* name);

// The full path of the running program's executable; empty when the system
// does not say.
std::string ExecutablePath();
// The full path of the file the platform layer's code was loaded from: the
// shared library when a host program loaded it, else the executable.
std::string CodeModulePath();

// The user's home folder: $HOME (or the account's folder) on POSIX, the
// profile folder on Windows; only a folder that exists is returned, else the
// file system's root.
std::string HomeFolder();

}  // namespace voske::platform
