#pragma once
// How Office Open XML spreadsheets write texts, numbers and ISO dates, turned
// into the values of the worksheet array.
#include <optional>
#include <string_view>

#include "text/text.h"

namespace voske {

// A stored text (UTF-8) to Windows-1252, undoing the _xHHHH_ escapes with
// which writers keep characters that XML cannot carry (a CR is "_x000D_"; a
// literal "_x000D_" is written "_x005F_x000D_"). A character outside 1252
// becomes "?", a surrogate pair a single "?".
Text DecodeStoredText(std::string_view utf8);

// A number as cells store it ("12", "-1.5E-3", with surrounding blanks
// allowed); nothing for anything else, infinities and NaN included.
std::optional<double> ParseStoredNumber(std::string_view text);

// An ISO 8601 date, date and time, or time of day ("2021-01-01",
// "2021-01-01T10:10:10.5", "10:10:10") as the day serial of the workbook's
// date system: days since 1899-12-30 (with the spreadsheet's phantom
// 1900-02-29, so that dates before March 1900 are one less), or since
// 1904-01-01. Nothing when the text is not such a date.
std::optional<double> ParseIsoDateSerial(std::string_view text, bool date1904);

}  // namespace voske
