#pragma once
// A file that appears whole under its name or not at all: its bytes go to a
// temporary file in the destination folder, which takes its name only when
// complete, and never a name another file has.
#include <cstdint>
#include <string>
#include <string_view>

namespace voske::platform {

// Error numbers are errno values on every system.
class SavedFile {
 public:
  // Whether the temporary file may be one without any name while it is
  // written (Unnamed), or must have a hidden name of its own (Named: for
  // testing that way on systems that have the first).
  enum class Temporary { Unnamed, Named };

  SavedFile() = default;
  // Without TakeName, the temporary file goes: closed and removed.
  ~SavedFile();
  SavedFile(const SavedFile&) = delete;
  SavedFile& operator=(const SavedFile&) = delete;

  // Creates the temporary file in `folder`. Returns 0 or the errno value.
  // POSIX: an unnamed file (O_TMPFILE) where the file system allows, else a
  // hidden ".voske-N.tmp", removed by Ctrl-C, SIGTERM or SIGHUP too. Windows:
  // a hidden ".voske-N.tmp" marked for deletion while it is written, so the
  // system removes it whatever ends the program, a kill included.
  int Create(const std::string& folder, Temporary kind);
  // Appends `bytes`. Returns 0 or the errno value.
  int Write(std::string_view bytes);
  // Puts everything written on the disk. Returns 0 or the errno value.
  int Flush();
  // Gives the file the name `path` (in the same folder) unless something has
  // that name already: 0 when it took it, EEXIST when the name is taken (the
  // file stays temporary: another name may be tried), or another errno value.
  // Once it took a name the file is the caller's document, no longer removed.
  int TakeName(const std::string& path);

  // Whether the file has no name at all while written (O_TMPFILE).
  bool Unnamed() const { return unnamed_; }
  // The temporary file's name while it has one; empty otherwise.
  const std::string& TemporaryPath() const { return temporaryPath_; }

 private:
  void Discard() noexcept;

  std::intptr_t handle_ = -1;  // a descriptor or a HANDLE, by system
  bool unnamed_ = false;
  bool named_ = false;  // it took its final name
  std::string folder_;
  std::string temporaryPath_;
  int signalSlot_ = -1;
  std::uint64_t written_ = 0;
  std::uint64_t startedToDisk_ = 0;
};

}  // namespace voske::platform
