#pragma once
// Conversions between the core's Windows-1252 text and the outside world.
#include <string>
#include <string_view>

#include "text/text.h"

namespace voske {

// UTF-8 to Windows-1252. A character that 1252 cannot hold becomes its
// closest 1252 form (BestFit); a malformed UTF-8 sequence becomes "?".
Text FromUtf8(std::string_view utf8);
// UTF-16 code units to Windows-1252 likewise (a surrogate pair is one
// character; a lone surrogate becomes "?").
Text FromUtf16(std::u16string_view utf16);
// A single Unicode code point to its 1252 byte, or '?' when there is none.
char FromCodePoint(char32_t cp);
// A single Unicode code point as 1252 text: its own byte when 1252 has it,
// else its closest form from the one best-fit table of every system ("Ł"
// gives "L", "ﬁ" gives "fi"), else "?". Independent of the process locale
// and safe from any thread.
Text BestFit(char32_t cp);

// Windows-1252 to UTF-8. The five bytes 1252 leaves undefined (81, 8D, 8F,
// 90, 9D) map to the C1 controls of the same value, as the platform does.
std::string ToUtf8(TextView text);
std::u16string ToUtf16(TextView text);
char32_t ToCodePoint(unsigned char byte);

// The system's literals are written in UTF-8 in the source, for readability,
// and turned into 1252 here, the single point where that happens.
inline Text Ansi(std::string_view utf8_literal) { return FromUtf8(utf8_literal); }

}  // namespace voske
