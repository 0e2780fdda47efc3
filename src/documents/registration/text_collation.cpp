#include "documents/registration/text_collation.h"

namespace voske {

namespace {

// The unaccented upper-case letter of a Windows-1252 letter, or 0 when the
// byte is not a letter.
char BaseLetter(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c);
  if (c == 0xFF) return 'Y';
  if (c == 0xF7) return 0;  // the division sign sits among the lower-case letters
  if (c >= 0xE0) c = static_cast<unsigned char>(c - 0x20);  // lower-case block onto upper-case
  switch (c) {
    case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC4: case 0xC5: return 'A';
    case 0xC7: return 'C';
    case 0xC8: case 0xC9: case 0xCA: case 0xCB: return 'E';
    case 0xCC: case 0xCD: case 0xCE: case 0xCF: return 'I';
    case 0xD0: return 'D';
    case 0xD1: return 'N';
    case 0xD2: case 0xD3: case 0xD4: case 0xD5: case 0xD6: case 0xD8: return 'O';
    case 0xD9: case 0xDA: case 0xDB: case 0xDC: return 'U';
    case 0xDD: case 0x9F: return 'Y';
    case 0xDF: return 'S';
    case 0x8A: case 0x9A: return 'S';
    case 0x8E: case 0x9E: return 'Z';
    case 0x8C: case 0x9C: return 'O';
    default: return 0;
  }
}

// Primary weight: class (symbols 1, digits 2, letters 3) and value.
int Primary(unsigned char c) {
  if (char base = BaseLetter(c)) return 3 * 256 + static_cast<unsigned char>(base);
  if (c >= '0' && c <= '9') return 2 * 256 + c;
  return 1 * 256 + c;
}

// Secondary weight: tells accented letters from plain ones, ignoring case.
int Secondary(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if (c >= 0xE0 && c != 0xF7 && c != 0xFF) return c - 0x20;
  return c;
}

}  // namespace

int CompareTextIgnoringCase(TextView a, TextView b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const int pa = Primary(static_cast<unsigned char>(a[i]));
    const int pb = Primary(static_cast<unsigned char>(b[i]));
    if (pa != pb) return pa < pb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (std::size_t i = 0; i < n; ++i) {
    const int sa = Secondary(static_cast<unsigned char>(a[i]));
    const int sb = Secondary(static_cast<unsigned char>(b[i]));
    if (sa != sb) return sa < sb ? -1 : 1;
  }
  return 0;
}

}  // namespace voske
