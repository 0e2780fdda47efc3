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

// The display name of the running Windows version for the main window's
// caption ("Windows XP", "Windows 10"...); empty where the system has none
// to show (POSIX), or when the version is not known.
std::string SystemVersionName();

// Tells the user why the program cannot go on: on standard error, and on
// Windows, where a desktop program has no console, in a message box too.
void ReportFatalError(const std::string& utf8);

// The user's home folder: $HOME (or the account's folder) on POSIX, the
// profile folder on Windows; only a folder that exists is returned, else the
// file system's root.
std::string HomeFolder();

}  // namespace voske::platform
