#pragma once
// Text inside the core is a byte string in Windows-1252: one byte per
// character, so lengths, the cleaning tables and the hashes work on the same
// bytes the regulator's documents carry. Conversion happens only at the edges.
#include <string>
#include <string_view>

namespace voske {

using Text = std::string;          // Windows-1252 bytes
using TextView = std::string_view;

// The line break of every message shown to the user: a lone carriage return.
inline constexpr char CR = '\r';

// Removes every character of code 32 or below at both ends.
Text Trim(TextView s);
// Without the control characters an XML 1.0 document cannot hold (codes 0 to
// 31 except TAB, LF and CR), so that a value is written and hashed alike.
Text WithoutControlCharacters(TextView s);
// Whether `c` is a control character for a terminal: codes 0 to 31, 127,
// and the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D), which convert to control codes of their own.
bool IsControlCharacter(char c);
// Without any control character, line breaks and tabs included: the form of
// a text that becomes part of a file name.
Text WithoutAnyControlCharacter(TextView s);
// A text from outside (a web service's answer) as a message may show it:
// line breaks (CR LF, LF or CR) become the message's CR, tabs stay, and every
// other control character is written out as "\xHH" (ESC as "\x1B"), so
// that no terminal acts on it.
Text ShownControlCharacters(TextView s);
// Upper-cases the letters a-z only; accented letters stay as they are.
Text UpperAscii(TextView s);
// Lower-cases the letters A-Z only.
Text LowerAscii(TextView s);
// Every occurrence of `what` removed.
Text RemoveAll(TextView s, char what);
// Every occurrence of `from` replaced by `to` (non-empty `from`).
Text ReplaceAll(TextView s, TextView from, TextView to);

}  // namespace voske
