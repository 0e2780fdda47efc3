#include "xml/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace voske {
namespace {

std::string Hex(std::string_view s) { return DigestToHex(Md5Of(s)); }

// Lower-case letters a, b, c, ... repeated: the padding boundaries sit at 55
// and 56 bytes (length still fits the block, or not) and at the block size.
std::string Letters(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('a' + i % 26));
  return s;
}

TEST(Md5, TestSuiteOfTheAlgorithmsDefinition) {
  EXPECT_EQ(Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(Hex("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, LengthsAroundThePaddingAndBlockBoundaries) {
  EXPECT_EQ(Hex(Letters(55)), "0d7ae056b2f015cd7dc67494efd658f1");
  EXPECT_EQ(Hex(Letters(56)), "31fcfb5165169eb55898e7e4cf34d19a");
  EXPECT_EQ(Hex(Letters(63)), "1b30c0670c15e7da3c2ba7bce77ebe99");
  EXPECT_EQ(Hex(Letters(64)), "a2eaf6295c32adc403865fd96a2f182b");
  EXPECT_EQ(Hex(Letters(65)), "eba2cce0ca8df47e62414a736b3105a2");
}

TEST(Md5, SeveralMegabytesInOneGoAndInUnevenPieces) {
  std::string big(5 * 1024 * 1024 + 3, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 131 + (i >> 9)) & 0xFF);
  // Digest of the same bytes computed once with the system's md5sum.
  const std::string expected = "54f20eb72c4f4815976911001183680e";
  EXPECT_EQ(Hex(big), expected);

  Md5 pieces;
  size_t at = 0;
  for (size_t step = 1; at < big.size(); step = step * 7 % 1031 + 1) {
    const size_t n = std::min(step, big.size() - at);
    pieces.Update(big.data() + at, n);
    at += n;
  }
  EXPECT_EQ(DigestToHex(pieces.Finish()), expected);
}

TEST(Md5, EveryByteValueCounts) {
  // High bytes (accented letters in 1252) must not be sign-extended.
  // Expected digests computed with the system's md5sum.
  EXPECT_EQ(Hex("\xE7"), "9d5a273e0fb6aebca825009ee2363e2c");
  EXPECT_EQ(Hex(std::string(1, '\0')), "93b885adfe0da089cdf634904fd59f71");
}

}  // namespace
}  // namespace voske
