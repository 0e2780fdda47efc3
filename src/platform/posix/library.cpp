#include "platform/library.h"

#include <dlfcn.h>

namespace voske::platform {

std::string SharedLibraryFileName(const std::string& name) { return "lib" + name + ".so"; }

namespace {
std::string LoaderReason(const std::string& fallback) {
  const char* why = ::dlerror();
  return why ? why : fallback;
}
}  // namespace

LoadedLibrary::LoadedLibrary(const std::string& path, Symbols symbols) {
  handle_ = ::dlopen(path.c_str(), RTLD_NOW | (symbols == Symbols::Shared ? RTLD_GLOBAL : RTLD_LOCAL));
  if (!handle_) error_ = LoaderReason(path);
}

void* LoadedLibrary::Symbol(const char* name) {
  if (!handle_) return nullptr;
  ::dlerror();
  void* symbol = ::dlsym(handle_, name);
  if (!symbol) error_ = LoaderReason(name);
  return symbol;
}

void LoadedLibrary::Unload() noexcept {
  if (handle_) ::dlclose(handle_);
  handle_ = nullptr;
}

}  // namespace voske::platform
