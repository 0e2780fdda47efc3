#include "workbook/xls/biff_decrypt.h"

#include <nettle/arcfour.h>
#include <nettle/md5.h>
#include <nettle/sha1.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "workbook/xls/little_endian.h"

namespace voske::biff {
namespace {

using ByteVector = std::vector<unsigned char>;

using le::U16;
using le::U32;

ByteVector Md5(const ByteVector& in) {
  md5_ctx ctx;
  md5_init(&ctx);
  md5_update(&ctx, in.size(), in.data());
  ByteVector out(MD5_DIGEST_SIZE);
  md5_digest(&ctx, out.size(), out.data());
  return out;
}

ByteVector Sha1(const ByteVector& in) {
  sha1_ctx ctx;
  sha1_init(&ctx);
  sha1_update(&ctx, in.size(), in.data());
  ByteVector out(SHA1_DIGEST_SIZE);
  sha1_digest(&ctx, out.size(), out.data());
  return out;
}

void AppendBlock(ByteVector& b, std::uint32_t block) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(block >> (8 * i)));
}

// The two RC4 schemes of the format: both re-key every 1024 bytes of the
// stream from a hash of a password-derived base and the block number.
class Rc4Scheme {
 public:
  // The original scheme: MD5, keys of 128 bits.
  static Rc4Scheme Standard(const ByteVector& password16, const unsigned char* salt) {
    Rc4Scheme s;
    s.cryptoApi_ = false;
    const ByteVector h0 = Md5(password16);
    ByteVector buffer;
    for (int i = 0; i < 16; ++i) {
      buffer.insert(buffer.end(), h0.begin(), h0.begin() + 5);
      buffer.insert(buffer.end(), salt, salt + 16);
    }
    const ByteVector h1 = Md5(buffer);
    s.base_.assign(h1.begin(), h1.begin() + 5);
    s.keyLength_ = 16;
    return s;
  }
  // The cryptographic-provider scheme: SHA-1, keys of 40 to 128 bits.
  static Rc4Scheme CryptoApi(const ByteVector& password16, const unsigned char* salt, std::uint32_t keyBits) {
    Rc4Scheme s;
    s.cryptoApi_ = true;
    ByteVector seed(salt, salt + 16);
    seed.insert(seed.end(), password16.begin(), password16.end());
    s.base_ = Sha1(seed);
    s.keyLength_ = keyBits == 0 ? 5 : keyBits / 8;
    return s;
  }

  bool Usable() const { return keyLength_ >= 5 && keyLength_ <= 16; }

  void Start(arcfour_ctx& ctx, std::uint32_t block) const {
    ByteVector in = base_;
    AppendBlock(in, block);
    ByteVector key = cryptoApi_ ? Sha1(in) : Md5(in);
    key.resize(keyLength_);
    // A 40-bit key is used as 128 bits whose last 11 bytes are zero.
    if (cryptoApi_ && keyLength_ == 5) key.resize(16, 0);
    arcfour_set_key(&ctx, key.size(), key.data());
  }

  // The verifier, decrypted with block 0's key, must hash to the verifier
  // hash that follows it in the same key stream.
  bool Verifies(const unsigned char* verifier, const unsigned char* hash, std::size_t hashLength) const {
    ByteVector both(verifier, verifier + 16);
    both.insert(both.end(), hash, hash + hashLength);
    arcfour_ctx ctx;
    Start(ctx, 0);
    arcfour_crypt(&ctx, both.size(), both.data(), both.data());
    const ByteVector plain(both.begin(), both.begin() + 16);
    const ByteVector expected = cryptoApi_ ? Sha1(plain) : Md5(plain);
    return std::equal(expected.begin(), expected.end(), both.begin() + 16, both.end());
  }

 private:
  bool cryptoApi_ = false;
  ByteVector base_;
  std::size_t keyLength_ = 16;
};

// Records whose data stays in the clear in an encrypted stream.
bool InClear(std::uint16_t type) {
  switch (type) {
    case 0x0809:  // BOF
    case 0x002F:  // FILEPASS
    case 0x0194:  // user exclusive
    case 0x0195:  // file lock
    case 0x00E1:  // interface header
    case 0x0196:  // revision information
    case 0x0138:  // revision header
      return true;
    default:
      return false;
  }
}

}  // namespace

bool DecryptWorkbookStream(std::vector<unsigned char>& stream, std::size_t filePassData, std::size_t filePassLength,
                           const char* password) {
  if (filePassData > stream.size() || stream.size() - filePassData < filePassLength || filePassLength < 6) return false;
  const unsigned char* fp = stream.data() + filePassData;
  if (U16(fp) != 1) return false;  // 0 is XOR obfuscation
  const std::uint16_t major = U16(fp + 2), minor = U16(fp + 4);

  ByteVector password16;
  for (const char* p = password; *p; ++p) {
    password16.push_back(static_cast<unsigned char>(*p));
    password16.push_back(0);
  }

  Rc4Scheme scheme;
  if (major == 1 && minor == 1) {
    if (filePassLength < 54) return false;
    scheme = Rc4Scheme::Standard(password16, fp + 6);
    if (!scheme.Verifies(fp + 22, fp + 38, 16)) return false;
  } else if (major >= 2 && major <= 4 && minor == 2) {
    // Flags, header size, the header (algorithm, hash, key size, ...), then
    // the verifier: salt size, salt, verifier, hash size, hash.
    if (filePassLength < 14) return false;
    const std::uint32_t headerSize = U32(fp + 10);
    if (headerSize < 20 || headerSize > filePassLength - 14) return false;
    const unsigned char* header = fp + 14;
    const std::uint32_t algorithm = U32(header + 8), keyBits = U32(header + 16);
    if (algorithm != 0x6801 && algorithm != 0) return false;  // RC4 only
    const std::size_t v = 14 + std::size_t{headerSize};
    if (filePassLength - v < 4 + 16 + 16 + 4 + 20 || U32(fp + v) != 16) return false;
    const std::uint32_t hashSize = U32(fp + v + 36);
    if (hashSize != 20) return false;
    scheme = Rc4Scheme::CryptoApi(password16, fp + v + 4, keyBits);
    if (!scheme.Usable() || !scheme.Verifies(fp + v + 20, fp + v + 40, 20)) return false;
  } else {
    return false;
  }

  // Every record after FILEPASS is encrypted but for its header, the
  // records kept in the clear, and the sheet offset of each BOUNDSHEET. The
  // key stream runs over the stream's own positions, headers included.
  std::size_t pos = filePassData + filePassLength;
  arcfour_ctx ctx;
  std::uint32_t block = 0xFFFFFFFF;
  std::size_t keyPos = 0;  // stream position the key stream has reached
  unsigned char skip[1024] = {};
  while (stream.size() - pos >= 4) {
    const std::uint16_t type = U16(stream.data() + pos);
    const std::size_t length = U16(stream.data() + pos + 2);
    const std::size_t data = pos + 4;
    if (stream.size() - data < length) break;
    pos = data + length;
    if (InClear(type)) continue;
    std::size_t from = data + (type == 0x0085 ? std::min<std::size_t>(4, length) : 0);
    while (from < pos) {
      const std::uint32_t b = static_cast<std::uint32_t>(from / 1024);
      if (b != block) {
        block = b;
        scheme.Start(ctx, block);
        keyPos = std::size_t{block} * 1024;
      }
      if (keyPos < from) {
        arcfour_crypt(&ctx, from - keyPos, skip, skip);
        keyPos = from;
      }
      const std::size_t upto = std::min(pos, (std::size_t{block} + 1) * 1024);
      arcfour_crypt(&ctx, upto - from, stream.data() + from, stream.data() + from);
      keyPos = upto;
      from = upto;
    }
  }
  return true;
}

}  // namespace voske::biff
