#pragma once
// Finding and loading the library (libvoske.so, voske.dll) the way a host program does: by path,
// from the folder of the running executable.
#include <string>

#include "platform/library.h"

namespace voske::host {

// The folder of the running executable, with no trailing separator.
std::string ExecutableFolder();

// Where the library is for a program in `executableFolder`: beside it (the
// build folder), else in the package's own folder of the installed layout
// (<prefix>/lib/voske-xml for a program in <prefix>/bin). When neither
// exists, the one beside the program, for the message that names it.
std::string VoskeLibraryPath(const std::string& executableFolder);

// The library loaded with its export resolved, or the reason it could not be.
struct LoadedLibrary {
  platform::LoadedLibrary library;
  void (*chamaVoske)() = nullptr;
  std::string error;
};
LoadedLibrary LoadVoskeLibrary(const std::string& path);
void UnloadVoskeLibrary(LoadedLibrary& library);

}  // namespace voske::host
