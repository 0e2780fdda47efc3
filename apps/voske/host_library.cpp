#include "host_library.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "text/package_layout.h"

namespace voske::host {

std::string ExecutableFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : self.parent_path().string();
}

std::string VoskeLibraryPath(const std::string& executableFolder) {
  return (PackageFolderHolding(executableFolder, "libvoske.so") / "libvoske.so").string();
}

LoadedLibrary LoadVoskeLibrary(const std::string& path) {
  LoadedLibrary lib;
  lib.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!lib.handle) {
    const char* why = dlerror();
    lib.error = why ? why : path;
    return lib;
  }
  dlerror();
  void* symbol = dlsym(lib.handle, "Chama_VOSKE");
  if (!symbol) {
    const char* why = dlerror();
    lib.error = why ? why : "Chama_VOSKE";
    dlclose(lib.handle);
    lib.handle = nullptr;
    return lib;
  }
  lib.chamaVoske = reinterpret_cast<void (*)()>(symbol);
  return lib;
}

void UnloadVoskeLibrary(LoadedLibrary& library) {
  if (library.handle) dlclose(library.handle);
  library = LoadedLibrary();
}

}  // namespace voske::host
