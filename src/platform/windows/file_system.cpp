#include "platform/file_system.h"

#include "platform/windows/wide.h"

#include <cerrno>

namespace voske::platform {

bool IsDiskFull(int error) { return error == ENOSPC; }

char PathSeparator() { return '\\'; }

bool RemoveFile(const std::string& path) { return ::DeleteFileW(windows::Wide(path).c_str()) != 0; }

int SetCurrentFolder(const std::string& path) {
  return ::SetCurrentDirectoryW(windows::Wide(path).c_str()) ? 0 : windows::ErrnoOf(::GetLastError());
}

}  // namespace voske::platform
