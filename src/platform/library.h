#pragma once
// Loading a shared library by its full path and finding functions in it.
#include <string>

namespace voske::platform {

// The file name of the shared library `name` on this system: "libNAME.so"
// on POSIX, "NAME.dll" on Windows.
std::string SharedLibraryFileName(const std::string& name);

class LoadedLibrary {
 public:
  // Whether the library's own symbols serve the libraries loaded after it
  // (a Java VM needs this for the libraries it loads itself) or stay its own.
  enum class Symbols { Shared, Private };

  LoadedLibrary() = default;
  // Loads the library at `path` (UTF-8), resolving everything it needs now.
  // Its own folder is searched first for the libraries it depends on. On
  // failure IsLoaded() is false and ErrorText() gives the system's reason.
  LoadedLibrary(const std::string& path, Symbols symbols);
  // Unloads the library, unless Keep() was called.
  ~LoadedLibrary();
  LoadedLibrary(LoadedLibrary&& other) noexcept;
  LoadedLibrary& operator=(LoadedLibrary&& other) noexcept;
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool IsLoaded() const { return handle_ != nullptr; }
  // The address of the exported function or object `name`; null when the
  // library has none (ErrorText() then says so).
  void* Symbol(const char* name);
  // Unloads the library now (pointers into it become invalid).
  void Unload() noexcept;
  // The system's reason for the last failure, as UTF-8; empty when none.
  const std::string& ErrorText() const { return error_; }

 private:
  void* handle_ = nullptr;
  std::string error_;
};

}  // namespace voske::platform
