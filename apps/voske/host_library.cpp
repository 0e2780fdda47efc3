#include "host_library.h"

#include "platform/file_system.h"
#include "platform/package_layout.h"
#include "platform/process.h"

namespace voske::host {

std::string ExecutableFolder() {
  const std::string self = platform::ExecutablePath();
  return self.empty() ? std::string(".") : platform::ParentFolder(self);
}

std::string VoskeLibraryPath(const std::string& executableFolder) {
  const std::string file = platform::SharedLibraryFileName("voske");
  return platform::JoinPath(platform::PackageFolderHolding(executableFolder, file), file);
}

LoadedLibrary LoadVoskeLibrary(const std::string& path) {
  LoadedLibrary lib;
  lib.library = platform::LoadedLibrary(path, platform::LoadedLibrary::Symbols::Private);
  if (!lib.library.IsLoaded()) {
    lib.error = lib.library.ErrorText();
    return lib;
  }
  void* symbol = lib.library.Symbol("Chama_VOSKE");
  if (!symbol) {
    lib.error = lib.library.ErrorText();
    lib.library.Unload();
    return lib;
  }
  lib.chamaVoske = reinterpret_cast<void (*)()>(symbol);
  return lib;
}

void UnloadVoskeLibrary(LoadedLibrary& library) { library = LoadedLibrary(); }

}  // namespace voske::host
