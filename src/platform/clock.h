#pragma once
// The local time, as the user's system is set.
#include <ctime>

namespace voske::platform {

// The present moment as calendar fields in the system's time zone
// (tm_year counts from 1900, tm_mon from 0, as in <ctime>).
std::tm LocalNow();

}  // namespace voske::platform
