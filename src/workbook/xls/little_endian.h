#pragma once
// Whole numbers as the binary workbook formats store them: least significant
// byte first, whatever the machine's own order. The caller has checked that
// the bytes are there.
#include <cstdint>

namespace voske::le {

inline std::uint16_t U16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

inline std::uint32_t U32(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

}  // namespace voske::le
