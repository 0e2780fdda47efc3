// Child processes on Windows: CreateProcessW with the arguments quoted as the
// C runtime splits them, the environment and paths handed over wide, and the
// peak working set as the memory figure. Each child runs in a job object of
// its own, the Windows counterpart of a process group: killing it ends
// everything the child started too (a script's programs, a VM), and the job
// ends them all as well should the test itself die.
#include "support/process.h"

#include <windows.h>
#include <psapi.h>

#include <cstdlib>

namespace voske::support {
namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Utf8(const wchar_t* wide, std::size_t size) {
  if (size == 0) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(size), out.data(), n, nullptr, nullptr);
  return out;
}

// One argument as the C runtime's command-line parser reads it back:
// quoted, with backslashes doubled only where a quote follows them.
void AppendQuoted(std::wstring& line, const std::wstring& arg) {
  if (!line.empty()) line += L' ';
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += arg;
    return;
  }
  line += L'"';
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

HANDLE OpenInherited(const std::filesystem::path& file, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const std::wstring name = file.empty() ? L"NUL" : file.wstring();
  return ::CreateFileW(name.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                       write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

double Seconds(const FILETIME& t) {
  return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
}

// A job that ends its processes when its last handle closes.
HANDLE NewKillingJob() {
  HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
  if (!job) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

}  // namespace

struct ChildProcess::State {
  PROCESS_INFORMATION info{};
  HANDLE job = nullptr;
  bool started = false;
  bool reaped = false;
  bool killed = false;
  std::chrono::steady_clock::time_point start;
};

ChildProcess::ChildProcess(const ProcessSpec& spec) : state_(std::make_unique<State>()) {
  std::wstring line;
  for (const std::string& a : spec.argv) AppendQuoted(line, Wide(a));
  // The environment block: NAME=value entries, each ended by a NUL, and one
  // more NUL at the end.
  std::wstring block;
  for (const std::string& e : spec.environment) block += Wide(e) + L'\0';
  block += L'\0';

  HANDLE in = OpenInherited(spec.input, false);
  HANDLE out = OpenInherited(spec.output, true);
  HANDLE err = spec.mergeErrors ? out : OpenInherited(spec.errors, true);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  const std::wstring program = Wide(spec.argv.empty() ? std::string() : spec.argv[0]);
  const std::wstring folder = spec.workingDir.wstring();
  state_->job = NewKillingJob();
  state_->start = std::chrono::steady_clock::now();
  // Started suspended, so that it is in its job before it can start anything.
  state_->started = state_->job && in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE &&
                    err != INVALID_HANDLE_VALUE &&
                    ::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE,
                                     CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW | CREATE_SUSPENDED, block.data(),
                                     folder.empty() ? nullptr : folder.c_str(), &startup, &state_->info);
  for (HANDLE h : {in, out, spec.mergeErrors ? INVALID_HANDLE_VALUE : err})
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  if (!state_->started) return;
  if (!::AssignProcessToJobObject(state_->job, state_->info.hProcess)) {
    ::TerminateProcess(state_->info.hProcess, 1);
    ::WaitForSingleObject(state_->info.hProcess, INFINITE);
    ::CloseHandle(state_->info.hThread);
    ::CloseHandle(state_->info.hProcess);
    state_->started = false;
    return;
  }
  ::ResumeThread(state_->info.hThread);
  ::CloseHandle(state_->info.hThread);
}

ChildProcess::~ChildProcess() {
  if (state_->started) {
    if (!state_->reaped) {
      ::TerminateJobObject(state_->job, 1);
      ::WaitForSingleObject(state_->info.hProcess, INFINITE);
    }
    ::CloseHandle(state_->info.hProcess);
  }
  // Whatever the child left running in its job ends with the job.
  if (state_->job) ::CloseHandle(state_->job);
}

bool ChildProcess::Started() const { return state_->started; }

void ChildProcess::Kill() {
  if (state_->started && !state_->reaped) {
    ::TerminateJobObject(state_->job, 1);
    state_->killed = true;
  }
}

ChildRun ChildProcess::Wait(std::chrono::milliseconds limit) {
  ChildRun run;
  if (!state_->started || state_->reaped) return run;
  if (::WaitForSingleObject(state_->info.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    Kill();
    ::WaitForSingleObject(state_->info.hProcess, INFINITE);
  }
  state_->reaped = true;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - state_->start).count();
  DWORD code = 0;
  run.finished = !state_->killed && ::GetExitCodeProcess(state_->info.hProcess, &code);
  run.status = run.finished ? static_cast<int>(code) : -1;
  PROCESS_MEMORY_COUNTERS memory{};
  if (::GetProcessMemoryInfo(state_->info.hProcess, &memory, sizeof memory))
    run.peakKiB = static_cast<long>(memory.PeakWorkingSetSize / 1024);
  FILETIME created{}, exited{}, kernel{}, user{};
  if (::GetProcessTimes(state_->info.hProcess, &created, &exited, &kernel, &user))
    run.cpuSeconds = Seconds(kernel) + Seconds(user);
  return run;
}

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> env;
  wchar_t* block = ::GetEnvironmentStringsW();
  for (const wchar_t* e = block; e && *e; e += std::wcslen(e) + 1) {
    // Entries such as "=C:=C:\..." are the shell's per-drive folders, not variables.
    if (*e != L'=') env.push_back(Utf8(e, std::wcslen(e)));
  }
  if (block) ::FreeEnvironmentStringsW(block);
  return env;
}

void SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
  // Through the C runtime, which keeps the copy getenv reads, and which also
  // updates the process's own (an empty value removes the variable).
  ::_wputenv_s(Wide(name).c_str(), value ? Wide(*value).c_str() : L"");
}

long CurrentProcessId() { return static_cast<long>(::GetCurrentProcessId()); }

std::filesystem::path CurrentProgram() {
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return std::filesystem::path(path);
}

}  // namespace voske::support
