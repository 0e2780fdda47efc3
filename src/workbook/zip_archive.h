#pragma once
// Read-only access to the parts of a zip package, with the safety caps every
// part is read under. One archive object serves one thread; a second thread
// opens its own.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

struct zip;
struct zip_file;

namespace voske {

class ZipArchive {
 public:
  // Opens `path` read-only. Throws ReaderError: FileNotFound, NotAWorkbook
  // (no zip signature), Corrupt (a zip signature but no readable directory).
  explicit ZipArchive(const std::string& path);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // The entry of a part name, matched as packages match them: without regard
  // to ASCII case, "\" read as "/", a leading "/" ignored.
  std::optional<std::uint64_t> Find(std::string_view partName) const;

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

   private:
    zip_file* file_ = nullptr;
    std::string name_;
    std::uint64_t compressed_ = 0;
    std::uint64_t total_ = 0;
  };

  static std::string NormalizeName(std::string_view name);

 private:
  zip* archive_ = nullptr;
  std::unordered_map<std::string, std::uint64_t> entries_;  // normalized name -> index
};

}  // namespace voske
