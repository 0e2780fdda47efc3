#pragma once
// The lexical forms of the schema's built-in types a document's values take:
// "float", "integer" and "date". The generator trims every value, so the
// forms are checked as they stand, without surrounding blanks.
#include "text/text.h"

namespace voske {

// An optional sign, digits with an optional "." and digits (or "." and
// digits), an optional exponent; or "INF", "-INF", "+INF", "NaN".
bool IsSchemaFloat(TextView s);
// An optional sign and at least one digit.
bool IsSchemaInteger(TextView s);
// Whether two integers of that form are the same number ("00" and "0",
// "+5" and "5", "-0" and "0").
bool SameInteger(TextView a, TextView b);
// "yyyy-mm-dd" naming a day of the proleptic Gregorian calendar (year 0001
// or later, four digits), with an optional time zone ("Z", "+hh:mm",
// "-hh:mm" up to 14:00).
bool IsSchemaDate(TextView s);

}  // namespace voske
