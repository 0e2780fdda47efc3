#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <atomic>
#include <clocale>
#include <thread>
#include <vector>

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

// Letters 1252 lacks take their closest plain form, whatever locale the
// process runs in: the host may have left "C", where the C library knows no
// transliteration at all.
TEST(Cp1252, LettersOutside1252TakeTheirClosestFormInAnyLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(FromUtf8("Łódź, Żółć, gęślą jaźń"), Ansi("Lódz, Zólc, gesla jazn"));     // Polish
  EXPECT_EQ(FromUtf8("İstanbul ışık ağaç Şişli"), Ansi("Istanbul isik agaç Sisli"));  // Turkish
  EXPECT_EQ(FromUtf8("Ștefan Țară, Şi ţ"), "Stefan Tara, Si t");                      // Romanian, both comma forms
  EXPECT_EQ(FromUtf8("Nguyễn Đức Thắng"), "Nguyen Duc Thang");                      // Vietnamese
  EXPECT_EQ(FromUtf8("Erdős"), "Erdos");                                              // Hungarian
  EXPECT_EQ(FromUtf8("東京 서울"), "?? ??");                                         // CJK: no close form
  EXPECT_EQ(FromUtf8("ok 😀👍"), "ok ??");                                            // emoji
  EXPECT_EQ(FromUtf8("ﬁm"), "fim");                                                 // a ligature opens up
  // The same from UTF-16, as the .xls strings and the window's fields arrive.
  EXPECT_EQ(FromUtf16(u"Łódź İ Ș ễ 東 😀"), Ansi("Lódz I S e ? ?"));
  EXPECT_EQ(FromUtf16(std::u16string{u'a', static_cast<char16_t>(0xD800), u'b'}), "a?b");  // a lone half of a pair
  EXPECT_EQ(BestFit(U'ł'), "l");
  EXPECT_EQ(BestFit(U'ç'), Ansi("ç"));
  EXPECT_EQ(BestFit(U'?'), "?");
  EXPECT_EQ(BestFit(0x110000), "?");
  std::setlocale(LC_ALL, before.c_str());
}

TEST(Cp1252, TransliterationWorksFromEveryThread) {
  std::vector<std::thread> threads;
  std::atomic<int> right{0};
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 200; ++i)
        if (FromUtf8("Łş東") == "Ls?") ++right;
    });
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(right.load(), 800);
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

TEST(TextHelpers, ControlCharactersGoButTabAndLineBreaksStay) {
  EXPECT_EQ(WithoutControlCharacters(std::string_view("ab\0cd\x01" "e\x1f\x7f", 9)), "abcde\x7f");
  EXPECT_EQ(WithoutControlCharacters("a\tb\nc\rd"), "a\tb\nc\rd");
  EXPECT_EQ(WithoutControlCharacters(Ansi("ção\x0b")), Ansi("ção"));
  EXPECT_EQ(WithoutControlCharacters(""), "");
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
