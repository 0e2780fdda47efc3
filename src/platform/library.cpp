#include "platform/library.h"

#include <utility>

namespace voske::platform {

LoadedLibrary::~LoadedLibrary() { Unload(); }

LoadedLibrary::LoadedLibrary(LoadedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

LoadedLibrary& LoadedLibrary::operator=(LoadedLibrary&& other) noexcept {
  if (this != &other) {
    Unload();
    handle_ = std::exchange(other.handle_, nullptr);
    error_ = std::move(other.error_);
  }
  return *this;
}

}  // namespace voske::platform
