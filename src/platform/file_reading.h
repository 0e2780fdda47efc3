#pragma once
// Reading a file that someone else may have open: a workbook the spreadsheet
// program is editing, a document being copied. Files are read in binary mode,
// byte for byte, and never locked or changed.
#include <cstddef>
#include <cstdint>
#include <string>

namespace voske::platform {

// One file opened read-only. Error numbers are the C library's errno values
// on every system, so callers tell the cases apart one way.
class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  // Opens `path` (UTF-8) for reading in binary mode, sharing it with every
  // other reader and writer (another program may write, rename or delete it
  // meanwhile). Only a regular file opens; the open never waits, not even on
  // a pipe. On failure IsOpen() is false and Error() says why: ENOENT or
  // ENOTDIR (not there), EISDIR (a folder), ENODEV (a pipe, a device or
  // anything else that is not a regular file), EACCES, or another errno.
  explicit ReadOnlyFile(const std::string& path);
  ~ReadOnlyFile();
  ReadOnlyFile(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return handle_ != kNoHandle; }
  // The errno value of the failed open or the last failed read; 0 when none.
  int Error() const { return error_; }
  // The size the file had when it was opened.
  std::uint64_t Size() const { return size_; }
  // Reads up to `size` bytes at `offset` into `buffer`. Returns the count
  // read, 0 at or past the end, -1 on a read error (Error() then says which).
  // Reads at explicit offsets, so several threads may read one file at once.
  std::ptrdiff_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const;
  // Reads `size` bytes at `offset`, or fewer where the file ends first;
  // returns the count read, -1 on a read error.
  std::ptrdiff_t ReadFullyAt(std::uint64_t offset, void* buffer, std::size_t size) const;

 private:
  static constexpr std::intptr_t kNoHandle = -1;
  void Close() noexcept;

  std::intptr_t handle_ = kNoHandle;  // a descriptor or a HANDLE, by system
  std::uint64_t size_ = 0;
  mutable int error_ = 0;
};

}  // namespace voske::platform
