// Stored texts, numbers and ISO dates of a spreadsheet package.
#include <gtest/gtest.h>

#include "text/cp1252.h"
#include "workbook/xlsx/ooxml_text.h"

namespace voske {
namespace {

TEST(DecodeStoredText, UndoesEscapesAndConvertsTo1252) {
  EXPECT_EQ(DecodeStoredText("plain"), "plain");
  EXPECT_EQ(DecodeStoredText("a_x000D_b_x0009_c"), "a\rb\tc");
  EXPECT_EQ(DecodeStoredText("_x005F_x000D_"), "_x000D_");  // an escaped underscore keeps the rest literal
  EXPECT_EQ(DecodeStoredText("_x00e9__x00C9_"), Ansi("éÉ"));
  EXPECT_EQ(DecodeStoredText("_x20AC_"), "\x80");  // the euro sign has a 1252 byte
  EXPECT_EQ(DecodeStoredText("_x4E2D_"), "?");
  EXPECT_EQ(DecodeStoredText("_xD83D__xDE00_!"), "?!");  // one character written as a surrogate pair
  EXPECT_EQ(DecodeStoredText("_xD83D_"), "?");
  // Not escapes: wrong length, not hex, upper-case X, cut short.
  EXPECT_EQ(DecodeStoredText("_x00D_ _x00GG_ _X000D_ _x000D"), "_x00D_ _x00GG_ _X000D_ _x000D");
  EXPECT_EQ(DecodeStoredText("Provis\xC3\xA3o"), Ansi("Provisão"));
  EXPECT_EQ(DecodeStoredText("\xE4\xB8\xAD_x0041_"), "?A");
  // Letters 1252 lacks take their closest form, escaped or not.
  EXPECT_EQ(DecodeStoredText("_x0141_\xC3\xB3" "d\xC5\xBA_x0000_"), std::string(Ansi("Lódz") + '\0'));
  EXPECT_EQ(DecodeStoredText("_xD835__xDC00_"), "A");  // mathematical bold A, beyond the basic plane
}

TEST(ParseStoredNumber, AcceptsWhatCellsStoreAndNothingElse) {
  EXPECT_EQ(ParseStoredNumber("12"), 12.0);
  EXPECT_EQ(ParseStoredNumber("-1.5E-3"), -0.0015);
  EXPECT_EQ(ParseStoredNumber(" 7.25 "), 7.25);
  EXPECT_EQ(ParseStoredNumber("+3"), 3.0);
  EXPECT_EQ(ParseStoredNumber("10.6320601851852"), 10.6320601851852);
  EXPECT_EQ(ParseStoredNumber("0.1"), 0.1);  // correctly rounded
  EXPECT_FALSE(ParseStoredNumber(""));
  EXPECT_FALSE(ParseStoredNumber("1,5"));
  EXPECT_FALSE(ParseStoredNumber("12abc"));
  EXPECT_FALSE(ParseStoredNumber("inf"));
  EXPECT_FALSE(ParseStoredNumber("nan"));
  EXPECT_FALSE(ParseStoredNumber("1e999"));
}

TEST(ParseIsoDateSerial, GivesTheSerialOfEitherDateSystem) {
  EXPECT_EQ(ParseIsoDateSerial("2021-01-01", false), 44197.0);
  EXPECT_EQ(ParseIsoDateSerial("2021-01-01T10:10:10", false), 44197 + 36610.0 / 86400);
  EXPECT_EQ(ParseIsoDateSerial("2021-01-01 12:00", false), 44197.5);
  EXPECT_EQ(ParseIsoDateSerial("2021-01-01T12:00:00.5Z", false), 44197 + 43200.5 / 86400);
  EXPECT_EQ(ParseIsoDateSerial("2021-01-01T12:00:00+03:00", false), 44197.5);
  EXPECT_EQ(ParseIsoDateSerial("10:10:10", false), 36610.0 / 86400);
  EXPECT_EQ(ParseIsoDateSerial("2021-01-01", true), 44197.0 - 1462);
  EXPECT_EQ(ParseIsoDateSerial("1904-01-01", true), 0.0);
  // The spreadsheet counts a 29 February 1900 that never was: dates before
  // March 1900 are one less than their distance from 1899-12-30.
  EXPECT_EQ(ParseIsoDateSerial("1900-01-01", false), 1.0);
  EXPECT_EQ(ParseIsoDateSerial("1900-02-28", false), 59.0);
  EXPECT_EQ(ParseIsoDateSerial("1900-03-01", false), 61.0);
  EXPECT_EQ(ParseIsoDateSerial("2024-02-29", false), 45351.0);
  EXPECT_FALSE(ParseIsoDateSerial("2023-02-29", false));
  EXPECT_FALSE(ParseIsoDateSerial("2021-13-01", false));
  EXPECT_FALSE(ParseIsoDateSerial("2021-1-1", false));
  EXPECT_FALSE(ParseIsoDateSerial("25:00:00", false));
  EXPECT_FALSE(ParseIsoDateSerial("2021-01-01Tnoon", false));
  EXPECT_FALSE(ParseIsoDateSerial("31/12/2021", false));
}

}  // namespace
}  // namespace voske
