#pragma once
// MD5 message digest (RFC 1321). The document hashes and the password hash
// are MD5 over the Windows-1252 bytes of a text, so the digest is the
// system's own rather than a dependency.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace voske {

using Md5Digest = std::array<std::uint8_t, 16>;

// Incremental digest: feed any number of pieces, then Finish once.
class Md5 {
 public:
  Md5();
  void Update(const void* data, std::size_t size);
  void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
  Md5Digest Finish();

 private:
  void Transform(const std::uint8_t* block);

  std::array<std::uint32_t, 4> state_;
  std::uint64_t length_ = 0;  // bytes fed so far
  std::array<std::uint8_t, 64> buffer_{};
  std::size_t buffered_ = 0;
};

Md5Digest Md5Of(std::string_view bytes);
// 32 lowercase hexadecimal digits, digest bytes in order, high nibble first.
std::string DigestToHex(const Md5Digest& digest);

}  // namespace voske
