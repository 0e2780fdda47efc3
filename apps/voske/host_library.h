#pragma once
// Finding and loading libvoske.so the way a host program does: by path,
// from the folder of the running executable.
#include <string>

namespace voske::host {

// The folder of the running executable, with no trailing separator.
std::string ExecutableFolder();

// The library loaded with its export resolved, or the reason it could not be.
struct LoadedLibrary {
  void* handle = nullptr;
  void (*chamaVoske)() = nullptr;
  std::string error;
};
LoadedLibrary LoadVoskeLibrary(const std::string& path);
void UnloadVoskeLibrary(LoadedLibrary& library);

}  // namespace voske::host
