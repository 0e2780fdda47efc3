#include "values/converters.h"

#include <gtest/gtest.h>

#include "support/error_of.h"

#include <clocale>

#include "text/cp1252.h"

namespace voske {
namespace {

using support::ErrorOf;

Text BadDate(const Text& c) { return Ansi("A data \"") + c + Ansi("\" não é uma data válida."); }
Text BadNumber(const Text& c) {
  return Ansi("O valor \"") + c + Ansi("\" não é um número válido, verifique na planilha.");
}

TEST(NormalizeDate, DaySerialsCountFromTheLastDaysOf1899) {
  EXPECT_EQ(NormalizeDate("40969"), "2012-03-01");
  EXPECT_EQ(NormalizeDate("0"), "1899-12-30");
  EXPECT_EQ(NormalizeDate("61"), "1900-03-01");
  EXPECT_EQ(NormalizeDate("0040969"), "2012-03-01");
  EXPECT_EQ(NormalizeDate("2958465"), "9999-12-31");
  // Beyond the last writable day there is no date to give.
  EXPECT_EQ(ErrorOf([] { NormalizeDate("2958466"); }), BadDate("2958466"));
  EXPECT_EQ(ErrorOf([] { NormalizeDate("99999999999999999999999"); }), BadDate("99999999999999999999999"));
}

TEST(NormalizeDate, DayMonthYearTextsAreRearrangedWithoutPadding) {
  EXPECT_EQ(NormalizeDate("01/03/2012"), "2012-03-01");
  EXPECT_EQ(NormalizeDate("29/02/2012"), "2012-02-29");
  // Single-digit parts are not padded, and the result is then refused.
  EXPECT_EQ(ErrorOf([] { NormalizeDate("1/3/2012"); }), BadDate("1/3/2012"));
  EXPECT_EQ(ErrorOf([] { NormalizeDate("31/02/2012"); }), BadDate("31/02/2012"));
  EXPECT_EQ(ErrorOf([] { NormalizeDate("29/02/2011"); }), BadDate("29/02/2011"));
  EXPECT_EQ(ErrorOf([] { NormalizeDate("01032012"); }), "(no error)");  // all digits: a serial
}

TEST(NormalizeDate, AnythingElseRaisesTheMessageQuotingTheCellAsReceived) {
  EXPECT_EQ(ErrorOf([] { NormalizeDate(""); }), BadDate(""));
  EXPECT_EQ(ErrorOf([] { NormalizeDate("   "); }), BadDate("   "));
  EXPECT_EQ(ErrorOf([] { NormalizeDate("40969,5"); }), BadDate("40969,5"));
  EXPECT_EQ(ErrorOf([] { NormalizeDate("março"); }), BadDate("março"));
  EXPECT_EQ(ErrorOf([] { NormalizeDate("-1"); }), BadDate("-1"));
}

// Dates typed as text come with blanks, tabs or line breaks around them.
TEST(NormalizeDate, BlanksAndControlsAtEitherEndAreIgnored) {
  EXPECT_EQ(NormalizeDate("  05/03/2014"), "2014-03-05");
  EXPECT_EQ(NormalizeDate("05/03/2014 \r\n"), "2014-03-05");
  EXPECT_EQ(NormalizeDate(" 40969"), "2012-03-01");
  EXPECT_EQ(NormalizeDate("\t40969\t"), "2012-03-01");
  // Inside, a blank is no part of a date.
  EXPECT_EQ(ErrorOf([] { NormalizeDate("05/03/ 2014"); }), BadDate("05/03/ 2014"));
  EXPECT_EQ(ErrorOf([] { NormalizeDate("409 69"); }), BadDate("409 69"));
  // The message quotes the cell as it holds the text, blanks and all.
  EXPECT_EQ(ErrorOf([] { NormalizeDate("  31/02/2012 "); }), BadDate("  31/02/2012 "));
}

// The result is always a real day written yyyy-mm-dd with digits only; a
// rearrangement that leaves anything else in the day or month is refused.
TEST(NormalizeDate, OnlyAWholeYearMonthDayLeaves) {
  for (const char* text : {"xx05/03/2014", "001/03/2012", "10/05/03/2014", "01/003/2012", "a1/03/2012",
                           "01/0x/2012", "01/03/ 2012", "01/03/2O12", "/01/03/2012"})
    EXPECT_EQ(ErrorOf([&] { NormalizeDate(text); }), BadDate(text)) << text;
  // What already gave a real date keeps it.
  EXPECT_EQ(NormalizeDate("01/03x2012"), "2012-03-01");
  EXPECT_EQ(NormalizeDate("01/03-2012"), "2012-03-01");
  EXPECT_EQ(TryNormalizeDate("01/13/2012"), std::nullopt);
  EXPECT_EQ(TryNormalizeDate("29/02/2000"), "2000-02-29");
  EXPECT_EQ(TryNormalizeDate("29/02/1900"), std::nullopt);
}

TEST(FormatDecimal, RoundsToCentsHalfToEvenAndWritesAPoint) {
  EXPECT_EQ(FormatDecimal("1234,567"), "1234.57");
  EXPECT_EQ(FormatDecimal("10"), "10");
  EXPECT_EQ(FormatDecimal("0,5"), "0.5");
  EXPECT_EQ(FormatDecimal("1,999"), "2");
  EXPECT_EQ(FormatDecimal("-1234,5"), "-1234.5");
  EXPECT_EQ(FormatDecimal("0,001"), "0");
  EXPECT_EQ(FormatDecimal("-0,001"), "0");
  EXPECT_EQ(FormatDecimal("1,5E3"), "1500");
  EXPECT_EQ(FormatDecimal("  12,3  "), "12.3");
  EXPECT_EQ(FormatDecimal("123456789012,345"), "123456789012.34");  // tie in cents: even
  EXPECT_EQ(FormatDecimal("0,125"), "0.12");
  EXPECT_EQ(FormatDecimal("0,375"), "0.38");
}

TEST(FormatDecimal, BlankIsEmptyAndNonNumbersRaise) {
  EXPECT_EQ(FormatDecimal(""), "");
  EXPECT_EQ(FormatDecimal("   "), "");
  EXPECT_EQ(FormatDecimal("\t"), "");
  EXPECT_EQ(ErrorOf([] { FormatDecimal("abc"); }), BadNumber("abc"));
  EXPECT_EQ(ErrorOf([] { FormatDecimal("1.234,56"); }), BadNumber("1.234,56"));
  EXPECT_EQ(ErrorOf([] { FormatDecimal("12.5"); }), BadNumber("12.5"));
  EXPECT_EQ(ErrorOf([] { FormatDecimal("1E999"); }), BadNumber("1E999"));
  EXPECT_EQ(ErrorOf([] { FormatDecimal("1E307"); }), BadNumber("1E307"));  // cents overflow
  EXPECT_EQ(ErrorOf([] { FormatDecimal(","); }), BadNumber(","));
  EXPECT_EQ(ErrorOf([] { FormatDecimal("R$ 5"); }), BadNumber("R$ 5"));
}

TEST(FormatDecimal, IgnoresTheProcessLocale) {
  // A front end may switch the C library to the user's locale.
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "pt_BR.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  EXPECT_EQ(FormatDecimal("1234,567"), "1234.57");
  EXPECT_TRUE(IsFloat("0,5"));
  EXPECT_FALSE(IsFloat("0.5"));
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(IsFloat, FollowsTheDecimalCommaOfTheWorkbook) {
  for (const char* yes : {"1", "-1", "+1", "1,5", ",5", "5,", "1E3", "1,5e-3", " 7 ", "1E-400"})
    EXPECT_TRUE(IsFloat(yes)) << yes;
  for (const char* no : {"", " ", "1.5", "1,2,3", "1E", "E3", "abc", "1 000", "--1", "1e+", "1E400", "0x10"})
    EXPECT_FALSE(IsFloat(no)) << no;
  double v = 0;
  ASSERT_TRUE(TryTextToFloat("-12,25", v));
  EXPECT_EQ(v, -12.25);
}

TEST(ZeroPadCode, StripsPunctuationAndPadsNumbersButNeverShortens) {
  EXPECT_EQ(ZeroPadCode("12.345-6", 8), "00123456");
  EXPECT_EQ(ZeroPadCode("123", 6), "000123");
  EXPECT_EQ(ZeroPadCode("12.345.678/0001-90", 14), "12345678000190");
  EXPECT_EQ(ZeroPadCode("1.234.567/0001-90", 14), "01234567000190");
  EXPECT_EQ(ZeroPadCode("1234567", 6), "1234567");
  EXPECT_EQ(ZeroPadCode("", 6), "");
  EXPECT_EQ(ZeroPadCode("ABC", 6), "ABC");
  EXPECT_EQ(ZeroPadCode("A-1", 6), "A1");
  EXPECT_EQ(ZeroPadCode("\\/-.,", 6), "");
  EXPECT_EQ(ZeroPadCode("000", 6), "000000");
}

TEST(SqueezeSpaces, TrimsBlanksOnlyAndHalvesPairsInOnePass) {
  EXPECT_EQ(SqueezeSpaces("  a  b   c    d     e  "), "a b  c  d   e");
  EXPECT_EQ(SqueezeSpaces("\ta\t"), "\ta\t");
  EXPECT_EQ(SqueezeSpaces("   "), "");
  EXPECT_EQ(SqueezeSpaces(""), "");
}

TEST(CleanText, RemovesSpecialCharactersAndAccents) {
  EXPECT_EQ(CleanText(Ansi("  Receita   de  contraprestações ")), "Receita de contraprestacoes");
  EXPECT_EQ(CleanText("Conta (Ativo)"), "Conta Ativo");
  EXPECT_EQ(CleanText("A-B"), "A B");
  EXPECT_EQ(CleanText(Ansi("Previdência, Saúde")), "Previdencia Saude");
  EXPECT_EQ(CleanText(Ansi("Nº 12/2012 - 5ª")), "N 12 2012 5");
  EXPECT_EQ(CleanText(Ansi("Custo € 10")), "Custo 10");
  EXPECT_EQ(CleanText(Ansi("ÇÃO ÎÑÛ")), Ansi("CAO ÎÑÛ"));
  EXPECT_EQ(CleanText("a*-*b"), "a b");
  EXPECT_EQ(CleanText("(((x)))"), "x");
  EXPECT_EQ(CleanText(""), "");
  EXPECT_EQ(CleanText("#"), "");
  EXPECT_EQ(CleanText("1,5 kg"), "1 5 kg");  // commas go, digits stay
}

TEST(CapitalizeFirst, LowersAsciiAndRaisesTheFirstLetter) {
  EXPECT_EQ(CapitalizeFirst(Ansi("SÃO PAULO")), Ansi("SÃo paulo"));
  EXPECT_EQ(CapitalizeFirst("rio DE janeiro"), "Rio de janeiro");
  EXPECT_EQ(CapitalizeFirst(Ansi("ÉVORA")), Ansi("Évora"));
  EXPECT_EQ(CapitalizeFirst("1A"), "1a");
  EXPECT_EQ(CapitalizeFirst(""), "");
}

TEST(IsAllDigits, NeedsSomethingBesideBlanksAndOnlyDigits) {
  EXPECT_FALSE(IsAllDigits(""));
  EXPECT_FALSE(IsAllDigits("  "));
  EXPECT_TRUE(IsAllDigits("0123"));
  EXPECT_FALSE(IsAllDigits(" 12"));
  EXPECT_FALSE(IsAllDigits("12,5"));
  EXPECT_FALSE(IsAllDigits("-1"));
}

}  // namespace
}  // namespace voske
