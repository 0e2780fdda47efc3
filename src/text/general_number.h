#pragma once
// The general number format the workbook shows a number in: up to 15
// significant digits, "," as the decimal separator, no thousands separator,
// no decimal part when integral, exponent form ("1,5E-3") only beyond what the
// general format shows plainly. Independent of the process locale.
#include "text/text.h"

namespace voske {

Text GeneralNumberText(double value);

}  // namespace voske
