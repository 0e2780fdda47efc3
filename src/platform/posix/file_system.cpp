#include "platform/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace voske::platform {

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

char PathSeparator() { return '/'; }

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

int SetCurrentFolder(const std::string& path) { return ::chdir(path.c_str()) == 0 ? 0 : errno; }

}  // namespace voske::platform
