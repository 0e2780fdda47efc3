#pragma once
// The order in which the area-of-operation rows are listed: the locale's
// case-insensitive text order, as a Portuguese-speaking user expects it.
#include "text/text.h"

namespace voske {

// Negative, zero or positive as `a` sorts before, with or after `b`.
// Letters compare without regard to case and, first, without regard to
// accents (an accent only breaks a tie); blanks and punctuation sort before
// digits, digits before letters.
int CompareTextIgnoringCase(TextView a, TextView b);

}  // namespace voske
