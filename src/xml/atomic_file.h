#pragma once
// Writing a generated document so that it appears whole or not at all.
#include <string>
#include <string_view>

namespace voske {

// A document on its way to `fileName` (a native path). Its bytes go to a
// temporary file in the same folder, which Commit flushes to disk and puts in
// place, replacing a file of that name whole. Until then nothing is visible:
// - where the file system allows, the temporary file has no name at all
//   (O_TMPFILE), so even a killed process leaves nothing;
// - elsewhere it is a hidden ".voske-NNN.tmp", removed when the object goes
//   without Commit, and by Ctrl-C, SIGTERM or SIGHUP during the save.
// Every failure raises EGravaArquivo with a message naming `fileName`; an
// existing file of that name is untouched unless Commit succeeds.
class AtomicFile {
 public:
  enum class Temporary { Unnamed, Named };

  // Creates the temporary file. Temporary::Named skips the unnamed kind (for
  // the file systems that lack it, and for testing the named one here).
  explicit AtomicFile(const std::string& fileName, Temporary kind = Temporary::Unnamed);
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  // Without Commit: closes and removes the temporary file.
  ~AtomicFile();

  void Write(std::string_view piece);
  // Flushes, then links or renames the file into place. Once only.
  void Commit();

  const std::string& FileName() const { return fileName_; }
  // Whether the temporary file has no name (O_TMPFILE took).
  bool Unnamed() const { return unnamed_; }

 private:
  void OpenNamed();
  void PlaceUnnamed();
  void Discard() noexcept;
  [[noreturn]] void Fail(int error) const;

  std::string fileName_;
  std::string folder_;
  int fd_ = -1;
  bool unnamed_ = false;
  std::string tempPath_;  // the named temporary file, while it exists
  int signalSlot_ = -1;   // its entry for the signal handlers
  static constexpr unsigned long long kStartToDisk = 8ULL << 20;
  unsigned long long written_ = 0;        // bytes written so far
  unsigned long long startedToDisk_ = 0;  // of which the disk was asked to write
};

}  // namespace voske
