#include "platform/process.h"

#include <cstdio>

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/file_system.h"

namespace voske::platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::optional<std::string> EnvironmentVariable(const char* name) {
  if (const char* value = std::getenv(name)) return std::string(value);
  return std::nullopt;
}

std::string ExecutablePath() { return RealPath("/proc/self/exe"); }

std::string CodeModulePath() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&CodeModulePath), &info) != 0 && info.dli_fname && info.dli_fname[0] == '/') {
    const std::string module = RealPath(info.dli_fname);
    if (!module.empty()) return module;
  }
  return ExecutablePath();
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && IsFolder(home)) return home;
  if (const passwd* account = ::getpwuid(::getuid()); account && account->pw_dir && IsFolder(account->pw_dir))
    return account->pw_dir;
  return "/";
}

std::string SystemVersionName() { return {}; }

void ReportFatalError(const std::string& utf8) { std::fprintf(stderr, "%s\n", utf8.c_str()); }

}  // namespace voske::platform
