#pragma once
// The user and system time a wait4 reported, in seconds.
#include <sys/resource.h>

namespace voske::support {

inline double CpuSeconds(const rusage& usage) {
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace voske::support
