#include "platform/file_system.h"

#include <unistd.h>

#include <cerrno>

namespace voske::platform {

bool IsDiskFull(int error) { return error == ENOSPC || error == EDQUOT; }

char PathSeparator() { return '/'; }

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

int SetCurrentFolder(const std::string& path) { return ::chdir(path.c_str()) == 0 ? 0 : errno; }

}  // namespace voske::platform
