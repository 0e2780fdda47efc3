#include "platform/file_reading.h"

#include <cerrno>

#include "platform/windows/wide.h"

namespace voske::platform {

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
  const std::wstring wide = windows::Wide(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    error_ = windows::ErrnoOf(::GetLastError());
    return;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    error_ = EISDIR;
    return;
  }
  // Binary, and shared with every reader and writer: the spreadsheet program
  // may hold the workbook open for writing, and the file is never touched.
  HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error_ = windows::ErrnoOf(::GetLastError());
    return;
  }
  LARGE_INTEGER size{};
  if (::GetFileType(h) != FILE_TYPE_DISK) {
    error_ = ENODEV;  // a pipe or a device may never end
  } else if (!::GetFileSizeEx(h, &size)) {
    error_ = windows::ErrnoOf(::GetLastError());
  } else {
    handle_ = reinterpret_cast<std::intptr_t>(h);
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    return;
  }
  ::CloseHandle(h);
}

void ReadOnlyFile::Close() noexcept {
  if (handle_ != kNoHandle) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = kNoHandle;
}

std::ptrdiff_t ReadOnlyFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
  if (handle_ == kNoHandle) {
    error_ = EBADF;
    return -1;
  }
  // Each read names its own offset, so threads sharing the handle do not
  // disturb one another.
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  const DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  DWORD got = 0;
  if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), buffer, want, &got, &at)) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_HANDLE_EOF) return 0;
    error_ = windows::ErrnoOf(error);
    return -1;
  }
  return static_cast<std::ptrdiff_t>(got);
}

}  // namespace voske::platform
