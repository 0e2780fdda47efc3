#include "workflow/folder_start.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace voske {

namespace {
bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}
}  // namespace

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && IsFolder(home)) return home;
  if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir && IsFolder(account->pw_dir))
    return account->pw_dir;
  return "/";
}

std::string FolderDialogStart(const std::string& typedDestination) {
  if (IsFolder(typedDestination)) return typedDestination;
  return HomeFolder();
}

}  // namespace voske
