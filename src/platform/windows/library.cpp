#include "platform/library.h"

#include "platform/windows/wide.h"

namespace voske::platform {

std::string SharedLibraryFileName(const std::string& name) { return name + ".dll"; }

LoadedLibrary::LoadedLibrary(const std::string& path, Symbols) {
  // The library's own folder is searched first for the libraries it needs.
  // Every library's exports are its own on Windows: Symbols changes nothing.
  HMODULE module = ::LoadLibraryExW(windows::Wide(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) {
    error_ = windows::SystemMessage(::GetLastError());
    return;
  }
  handle_ = reinterpret_cast<void*>(module);
}

void* LoadedLibrary::Symbol(const char* name) {
  if (!handle_) return nullptr;
  FARPROC symbol = ::GetProcAddress(reinterpret_cast<HMODULE>(handle_), name);
  if (!symbol) error_ = windows::SystemMessage(::GetLastError());
  return reinterpret_cast<void*>(symbol);
}

void LoadedLibrary::Unload() noexcept {
  if (handle_) ::FreeLibrary(reinterpret_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

}  // namespace voske::platform
