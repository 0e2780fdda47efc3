#pragma once
// Read-only access to the parts of a zip package, with the safety caps every
// part is read under. The file is opened once; one archive object serves one
// thread, and a second thread takes its own view of the same open file
// (Reopen), so both read the same bytes even if the file is replaced on disk.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

struct zip;
struct zip_file;

namespace voske {

// A file opened read-only, without any lock, read at explicit offsets so that
// several threads can share it.
class SharedFile;

class ZipArchive {
 public:
  // Opens `path` read-only. Throws ReaderError: FileNotFound, Corrupt (no
  // readable zip directory).
  explicit ZipArchive(const std::string& path);
  ~ZipArchive();
  // Another view of the same open file, for another thread.
  std::unique_ptr<ZipArchive> Reopen() const;
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // The entry of a part name, matched as packages match them: without regard
  // to ASCII case, "\" read as "/", a leading "/" ignored.
  std::optional<std::uint64_t> Find(std::string_view partName) const;

  // The size the directory declares for a part (0 when unknown); a damaged
  // file may misstate it, so it serves as a hint only.
  std::uint64_t DeclaredSize(std::uint64_t entry) const;

  // A whole part, for the small ones. Throws ReaderError(TooLarge) past `cap`
  // decompressed bytes, and as PartReader does.
  std::string ReadAll(std::uint64_t entry, std::size_t cap);

  // Streams one part in chunks, enforcing the size and compression-ratio caps.
  class PartReader {
   public:
    PartReader(ZipArchive& archive, std::uint64_t entry);
    ~PartReader();
    PartReader(const PartReader&) = delete;
    PartReader& operator=(const PartReader&) = delete;
    // Up to `size` bytes into `buffer`; 0 at the end of the part. Throws
    // ReaderError: Corrupt (bad data, checksum), Encrypted, Unsupported
    // (compression method), TooLarge (caps).
    std::size_t Read(char* buffer, std::size_t size);
    // The size the directory declares, which a damaged file may misstate.
    std::uint64_t DeclaredSize() const { return declared_; }

   private:
    zip_file* file_ = nullptr;
    std::string name_;
    std::uint64_t compressed_ = 0;
    std::uint64_t declared_ = 0;
    std::uint64_t total_ = 0;
  };

  static std::string NormalizeName(std::string_view name);

 private:
  explicit ZipArchive(std::shared_ptr<const SharedFile> file);
  void Open();

  std::shared_ptr<const SharedFile> file_;
  zip* archive_ = nullptr;
  std::unordered_map<std::string, std::uint64_t> entries_;  // normalized name -> index
};

}  // namespace voske
