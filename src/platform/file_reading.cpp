#include "platform/file_reading.h"

#include <utility>

namespace voske::platform {

ReadOnlyFile::~ReadOnlyFile() { Close(); }

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)), size_(other.size_), error_(other.error_) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, kNoHandle);
    size_ = other.size_;
    error_ = other.error_;
  }
  return *this;
}

std::ptrdiff_t ReadOnlyFile::ReadFullyAt(std::uint64_t offset, void* buffer, std::size_t size) const {
  std::size_t got = 0;
  while (got < size) {
    const std::ptrdiff_t n = ReadAt(offset + got, static_cast<char*>(buffer) + got, size - got);
    if (n < 0) return -1;
    if (n == 0) break;  // the file ended (or shrank while being read)
    got += static_cast<std::size_t>(n);
  }
  return static_cast<std::ptrdiff_t>(got);
}

}  // namespace voske::platform
