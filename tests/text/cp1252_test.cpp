#include "text/cp1252.h"

#include <gtest/gtest.h>

#include "text/text.h"

namespace voske {
namespace {

TEST(Cp1252, AccentedLettersRoundTripThroughUtf8) {
  const std::string utf8 = "Dependências Provisão ÇÁÃçãõ";
  const Text ansi = FromUtf8(utf8);
  EXPECT_EQ(ansi.size(), 28u);  // one byte per character
  EXPECT_EQ(static_cast<unsigned char>(ansi[6]), 0xEA);  // ê
  EXPECT_EQ(ToUtf8(ansi), utf8);
}

TEST(Cp1252, TheHighRangeMapsToItsOwnCharacters) {
  EXPECT_EQ(FromUtf8("€"), "\x80");
  EXPECT_EQ(FromUtf8("“x”"), "\x93x\x94");
  EXPECT_EQ(ToUtf8("\x80\x9f"), "€Ÿ");
  // The undefined bytes still round-trip, as C1 controls.
  EXPECT_EQ(FromUtf8(ToUtf8("\x81\x8d\x8f\x90\x9d")), "\x81\x8d\x8f\x90\x9d");
}

TEST(Cp1252, CharactersOutsideBecomeAQuestionMark) {
  EXPECT_EQ(FromUtf8("a\xE2\x88\x9E" "b"), "a?b");           // ∞
  EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), "?");              // an emoji is one character
  EXPECT_EQ(FromUtf16(u"x\U0001F600y"), "x?y");
  EXPECT_EQ(FromUtf16(u"\u00e7\u20ac"), "\xE7\x80");
}

TEST(Cp1252, MalformedUtf8NeverCrashesAndIsMarked) {
  EXPECT_EQ(FromUtf8("\xC3"), "?");          // truncated sequence
  EXPECT_EQ(FromUtf8("\xFF" "a"), "?a");     // impossible lead byte
  EXPECT_EQ(FromUtf8("\xE2\x28\xA1"), "?(?");  // broken continuation
}

TEST(TextHelpers, TrimRemovesEveryControlAndBlankAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n abc \x01\x1f "), "abc");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("a b"), "a b");
  // 0xA0 (no-break space) is above 32 and stays.
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(TextHelpers, CaseChangesTouchOnlyAsciiLetters) {
  EXPECT_EQ(UpperAscii(Ansi("autog çãoÇ")), Ansi("AUTOG çãOÇ"));
  EXPECT_EQ(LowerAscii(Ansi("SÃO PAULO")), Ansi("sÃo paulo"));
}

TEST(TextHelpers, RemoveAndReplace) {
  EXPECT_EQ(RemoveAll("\"/tmp/a b\"", '"'), "/tmp/a b");
  EXPECT_EQ(ReplaceAll("1,234,5", ",", "."), "1.234.5");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
}

}  // namespace
}  // namespace voske
