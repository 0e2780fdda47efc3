#include "platform/process.h"

#include "platform/windows/wide.h"  // windows.h before the shell's headers

#include <shellapi.h>

#include <cwchar>

#include "platform/file_system.h"

namespace voske::platform {

namespace {

std::string ModuleFileName(HMODULE module) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return windows::Utf8(buffer.data(), n);
    buffer.resize(buffer.size() * 2);  // the path was cut: ask again with room
  }
}

}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
  // The narrow argv holds the arguments in the ANSI code page, with "?" for
  // what it cannot hold: the wide command line is the truth.
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> args;
  if (!wide) return args;
  for (int i = 1; i < count; ++i) args.push_back(windows::Utf8(wide[i], std::wcslen(wide[i])));
  ::LocalFree(wide);
  return args;
}

std::optional<std::string> EnvironmentVariable(const char* name) {
  const std::wstring wideName = windows::Wide(name);
  const DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
  if (size == 0) {
    if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::wstring value(size, L'\0');
  const DWORD n = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
  value.resize(n < size ? n : 0);
  return windows::Utf8(value);
}

std::string ExecutablePath() { return ModuleFileName(nullptr); }

std::string CodeModulePath() {
  HMODULE module = nullptr;
  if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&CodeModulePath), &module)) {
    const std::string path = ModuleFileName(module);
    if (!path.empty()) return path;
  }
  return ExecutablePath();
}

std::string HomeFolder() {
  if (std::optional<std::string> profile = EnvironmentVariable("USERPROFILE"); profile && IsFolder(*profile))
    return *profile;
  const std::optional<std::string> drive = EnvironmentVariable("HOMEDRIVE");
  const std::optional<std::string> path = EnvironmentVariable("HOMEPATH");
  if (drive && path && IsFolder(*drive + *path)) return *drive + *path;
  return "C:\\";
}

}  // namespace voske::platform
