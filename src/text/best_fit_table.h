#pragma once
// The closest Windows-1252 form of the characters outside Windows-1252 that
// have one: the same table on every system, so that one workbook gives one
// document (its content hash covers these bytes) wherever it is converted.
// Generated once by scripts/make-best-fit-table; sorted by code point.
#include <cstddef>

namespace voske {

struct BestFitEntry {
  char32_t codePoint;
  const char* text;  // Windows-1252 bytes, one or more
};

extern const BestFitEntry kBestFitTable[];
extern const std::size_t kBestFitTableSize;

}  // namespace voske
