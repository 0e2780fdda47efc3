#include "platform/process.h"

#include <cstdio>

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

std::string SystemVersionName() {
  // The version the system itself reports, whatever the program's manifest
  // declares: GetVersionEx would answer the newest version the manifest names.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  auto rtlGetVersion =
      ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
            : nullptr;
  OSVERSIONINFOEXW v = {};
  v.dwOSVersionInfoSize = sizeof v;
  if (!rtlGetVersion || rtlGetVersion(&v) != 0) return {};
  const bool workstation = v.wProductType == VER_NT_WORKSTATION;
  const struct {
    DWORD major, minor;
    const char* desktop;
    const char* server;
  } names[] = {
      {5, 0, "Windows 2000", "Windows 2000"},         {5, 1, "Windows XP", "Windows XP"},
      {5, 2, "Windows XP", "Windows Server 2003"},    {6, 0, "Windows Vista", "Windows Server 2008"},
      {6, 1, "Windows 7", "Windows Server 2008 R2"}, {6, 2, "Windows 8", "Windows Server 2012"},
      {6, 3, "Windows 8.1", "Windows Server 2012 R2"},
  };
  for (const auto& n : names)
    if (v.dwMajorVersion == n.major && v.dwMinorVersion == n.minor) return workstation ? n.desktop : n.server;
  if (v.dwMajorVersion == 10 && v.dwMinorVersion == 0) {
    if (!workstation) return "Windows Server";
    return v.dwBuildNumber >= 22000 ? "Windows 11" : "Windows 10";
  }
  if (v.dwMajorVersion <= 4) return "Windows NT";
  return {};
}

void ReportFatalError(const std::string& utf8) {
  std::fprintf(stderr, "%s\n", utf8.c_str());
  ::MessageBoxW(nullptr, windows::Wide(utf8).c_str(), L"VOSKE-XML", MB_OK | MB_ICONERROR);
}

}  // namespace voske::platform
