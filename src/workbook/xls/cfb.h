#pragma once
// The compound file: the sector-based container that holds the workbook
// stream of an .xls file (and the two streams of an Office Open XML package
// encrypted with a password to open). Everything read from it is checked:
// sector numbers against the file, chains and the directory tree for cycles,
// sizes against what the file can hold. A damaged container throws
// ReaderError(Corrupt); nothing in it can make the reader loop or allocate
// more than a small multiple of the file's size.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace voske::cfb {

// The largest file the readers load into memory.
inline constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 30;

// True when `head` starts with the compound file signature.
bool HasSignature(std::span<const unsigned char> head);

// Reads a whole file, read-only and without locking it. ReaderError
// FileNotFound when it cannot be opened, TooLarge beyond kMaxFileSize.
std::vector<unsigned char> ReadWholeFile(const std::string& path);

class CompoundFile {
 public:
  // Parses the header, the allocation tables and the directory of the
  // container held in `bytes`. Throws ReaderError: NotAWorkbook without the
  // signature, Corrupt when the structure is damaged.
  explicit CompoundFile(std::vector<unsigned char> bytes);

  // Names of the streams directly inside the root storage, in directory
  // order, as UTF-16.
  const std::vector<std::u16string>& StreamNames() const { return names_; }
  // Whether the root storage holds a stream named `name`, compared without
  // regard to case, as the container itself compares names.
  bool HasStream(std::u16string_view name) const;
  // The content of the root storage's stream `name` (matched as HasStream
  // does), or nothing when there is no such stream. Throws ReaderError
  // (Corrupt) when its sectors are damaged.
  std::optional<std::vector<unsigned char>> ReadStream(std::u16string_view name) const;

 private:
  struct Entry {
    std::u16string name;
    std::uint8_t type = 0;
    std::uint32_t left = 0, right = 0, child = 0;
    std::uint32_t start = 0;
    std::uint64_t size = 0;
  };

  std::size_t SectorCount() const;
  std::vector<std::uint32_t> Chain(std::uint32_t start, const std::vector<std::uint32_t>& table,
                                   std::size_t limit, const char* what) const;
  std::vector<unsigned char> ReadRegular(std::uint32_t start, std::uint64_t size, const char* what) const;
  std::vector<unsigned char> ReadMini(std::uint32_t start, std::uint64_t size) const;
  void LoadFat();
  void LoadDirectory();
  void LoadMiniStream() const;
  const Entry* Find(std::u16string_view name) const;

  std::vector<unsigned char> bytes_;
  std::uint32_t sectorShift_ = 9;
  std::uint32_t miniShift_ = 6;
  std::uint32_t majorVersion_ = 3;
  std::vector<std::uint32_t> fat_;
  std::vector<Entry> entries_;
  std::vector<std::size_t> rootChildren_;  // entries_ indices of the root's streams
  std::vector<std::u16string> names_;
  // Loaded on the first read of a small stream.
  mutable bool miniLoaded_ = false;
  mutable std::vector<std::uint32_t> miniFat_;
  mutable std::vector<unsigned char> miniStream_;
};

// An Office Open XML workbook encrypted with a password to open: a compound
// file whose root holds the "EncryptionInfo" and "EncryptedPackage" streams.
bool IsEncryptedPackage(const CompoundFile& file);
// The same test on a file: false when it is not a readable compound file.
bool IsEncryptedPackage(const std::string& path);

}  // namespace voske::cfb
