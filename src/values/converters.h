#pragma once
// The value converters and text cleaners every document builder uses. All
// work on Windows-1252 text. Only NormalizeDate and FormatDecimal fail, with
// EGenerica and the user's message.
#include <cstdint>
#include <optional>

#include "text/error.h"
#include "text/text.h"

namespace voske {

Text SqueezeSpaces(TextView s);
// Free text without special characters, commas and accents, its blanks
// squeezed; digits are kept.
Text CleanText(TextView s);
Text CapitalizeFirst(TextView s);
bool IsAllDigits(TextView s);
// Cell text (a day serial, or "dd/mm/yyyy"), blanks and control characters
// at either end ignored, to a real date written "yyyy-mm-dd"; nothing when it
// gives no such date.
std::optional<Text> TryNormalizeDate(const Text& cellText);
// TryNormalizeDate, raising InvalidDateMessage(cellText) when it gives nothing.
Text NormalizeDate(const Text& cellText);
// "A data "..." não é uma data válida.", quoting the cell text as it is.
Text InvalidDateMessage(const Text& cellText);
Text ZeroPadCode(TextView s, std::int16_t width);
// Cell text to a decimal with at most two decimals and "." as separator;
// empty for a blank cell.
Text FormatDecimal(const Text& cellText);
// FormatDecimal(CellText(cell)) of a number cell, with "," and ".", without
// writing and reading back the cell text where the number is its own text
// (as amounts typed in a workbook are). Large documents convert millions.
Text FormatDecimalOfNumber(double value);

// A number as the workbook's cell texts write it: optional blanks, an optional
// sign, digits with "," as the decimal separator, an optional exponent
// ("1,5E-3"), optional blanks; no thousands separators. Independent of the
// process locale. False (and `value` untouched) when the text is not such a
// number or does not fit a double.
bool TryTextToFloat(TextView s, double& value);
// True when TryTextToFloat accepts the text.
bool IsFloat(TextView s);
// "O valor "..." não é um número válido, verifique na planilha.", quoting the
// value as it is: the one message of a value that should be a number.
Text InvalidNumberMessage(const Text& cellText);

}  // namespace voske
