#include "platform/saved_file.h"

#include <cerrno>
#include <random>

#include "platform/file_system.h"
#include "platform/windows/wide.h"

namespace voske::platform {

namespace {

HANDLE HandleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Marks the open file for deletion, or takes the mark back. While marked,
// the system removes the file when its last handle closes, which a killed
// process's handles do too: nothing of an unfinished document survives.
bool MarkForDeletion(HANDLE file, bool deleted) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = deleted ? TRUE : FALSE;
  return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

bool SetAttributes(HANDLE file, DWORD attributes) {
  FILE_BASIC_INFO basic{};  // times left at 0: unchanged
  basic.FileAttributes = attributes;
  return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic) != 0;
}

// Renames the open file to `path` unless a file has that name.
bool RenameNoReplace(HANDLE file, const std::wstring& path) {
  const std::size_t bytes = sizeof(FILE_RENAME_INFO) + path.size() * sizeof(wchar_t);
  std::string buffer(bytes, '\0');
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = FALSE;
  rename->RootDirectory = nullptr;
  rename->FileNameLength = static_cast<DWORD>(path.size() * sizeof(wchar_t));
  path.copy(rename->FileName, path.size());
  return ::SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(bytes)) != 0;
}

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

SavedFile::~SavedFile() { Discard(); }

void SavedFile::Discard() noexcept {
  if (handle_ != -1) {
    // Marked since it was made, unless a failed naming left it unmarked.
    if (!named_) MarkForDeletion(HandleOf(handle_), true);
    ::CloseHandle(HandleOf(handle_));
  }
  handle_ = -1;
  temporaryPath_.clear();
}

int SavedFile::Create(const std::string& folder, Temporary) {
  folder_ = folder;
  std::mt19937_64 generator(static_cast<std::uint64_t>(std::random_device()()) << 32 ^ ::GetCurrentProcessId());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = JoinPath(folder, ".voske-" + std::to_string(generator() % 100000000000ULL) + ".tmp");
    // Nobody else may open it; DELETE access lets it be marked, unmarked
    // and renamed through this handle.
    HANDLE file = ::CreateFileW(windows::Wide(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                kHidden, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return windows::ErrnoOf(error);
    }
    if (!MarkForDeletion(file, true)) {
      const DWORD error = ::GetLastError();
      ::CloseHandle(file);
      ::DeleteFileW(windows::Wide(path).c_str());
      return windows::ErrnoOf(error);
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    temporaryPath_ = path;
    return 0;
  }
  return EEXIST;
}

int SavedFile::Write(std::string_view bytes) {
  if (handle_ == -1) return EBADF;
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD done = 0;
    if (!::WriteFile(HandleOf(handle_), bytes.data(), chunk, &done, nullptr)) return windows::ErrnoOf(::GetLastError());
    bytes.remove_prefix(done);
  }
  return 0;
}

int SavedFile::Flush() {
  if (handle_ == -1) return EBADF;
  return ::FlushFileBuffers(HandleOf(handle_)) ? 0 : windows::ErrnoOf(::GetLastError());
}

int SavedFile::TakeName(const std::string& path) {
  if (handle_ == -1) return EBADF;
  HANDLE file = HandleOf(handle_);
  // Unmarked and shown first, so that the name it takes is a plain,
  // lasting file from its first moment; marked and hidden again when the
  // name is taken.
  if (!MarkForDeletion(file, false)) return windows::ErrnoOf(::GetLastError());
  SetAttributes(file, FILE_ATTRIBUTE_NORMAL);
  if (!RenameNoReplace(file, windows::Wide(path))) {
    const DWORD error = ::GetLastError();
    SetAttributes(file, kHidden);
    MarkForDeletion(file, true);
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? EEXIST : windows::ErrnoOf(error);
  }
  named_ = true;
  ::CloseHandle(file);
  handle_ = -1;
  temporaryPath_.clear();
  return 0;
}

}  // namespace voske::platform
