#include "platform/file_system.h"

#include "platform/windows/wide.h"

namespace voske::platform {

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  if (path.empty()) return std::nullopt;
  // Opened for no access at all: only its identity is asked, and a file
  // another program holds open is still answered for.
  HANDLE h = ::CreateFileW(windows::Wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const BOOL ok = ::GetFileInformationByHandle(h, &info);
  ::CloseHandle(h);
  if (!ok) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

char PathSeparator() { return '\\'; }

bool RemoveFile(const std::string& path) { return ::DeleteFileW(windows::Wide(path).c_str()) != 0; }

int SetCurrentFolder(const std::string& path) {
  return ::SetCurrentDirectoryW(windows::Wide(path).c_str()) ? 0 : windows::ErrnoOf(::GetLastError());
}

}  // namespace voske::platform
