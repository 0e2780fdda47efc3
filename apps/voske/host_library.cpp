#include "host_library.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace voske::host {

std::string ExecutableFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : self.parent_path().string();
}

std::string VoskeLibraryPath(const std::string& executableFolder) {
  const std::filesystem::path here(executableFolder);
  const std::filesystem::path candidates[] = {here / "libvoske.so", here.parent_path() / "lib" / "voske-xml" / "libvoske.so"};
  for (const std::filesystem::path& c : candidates) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(c, ec)) return c.string();
  }
  return candidates[0].string();
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
