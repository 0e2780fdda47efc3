#include "platform/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace voske::platform {

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
  // Not blocking: opening a pipe for reading would otherwise wait for a
  // writer. No lock of any kind is taken.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error_ = errno;
    return;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error_ = errno;
  } else if (S_ISDIR(info.st_mode)) {
    error_ = EISDIR;
  } else if (!S_ISREG(info.st_mode)) {
    error_ = ENODEV;  // a pipe or a device may never end
  } else {
    handle_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    return;
  }
  ::close(fd);
}

void ReadOnlyFile::Close() noexcept {
  if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));
  handle_ = kNoHandle;
}

std::ptrdiff_t ReadOnlyFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
  if (handle_ == kNoHandle) {
    error_ = EBADF;
    return -1;
  }
  ssize_t n;
  do {
    n = ::pread(static_cast<int>(handle_), buffer, size, static_cast<off_t>(offset));
  } while (n < 0 && errno == EINTR);
  if (n < 0) error_ = errno;
  return n;
}

}  // namespace voske::platform
