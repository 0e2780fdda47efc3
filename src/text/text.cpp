#include "text/text.h"

namespace voske {

namespace {
bool IsTrimmed(unsigned char c) { return c <= 32; }
}  // namespace

Text Trim(TextView s) {
  size_t b = 0, e = s.size();
  while (b < e && IsTrimmed(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && IsTrimmed(static_cast<unsigned char>(s[e - 1]))) --e;
  return Text(s.substr(b, e - b));
}

Text WithoutControlCharacters(TextView s) {
  Text r;
  r.reserve(s.size());
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 32 || c == '\t' || c == '\n' || c == '\r') r.push_back(c);
  }
  return r;
}

bool IsControlCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u < 32 || u == 0x7F || u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D;
}

Text WithoutAnyControlCharacter(TextView s) {
  Text r;
  r.reserve(s.size());
  for (char c : s)
    if (!IsControlCharacter(c)) r.push_back(c);
  return r;
}

Text ShownControlCharacters(TextView s) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text r;
  r.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      r.push_back(CR);
    } else if (c == '\t' || !IsControlCharacter(c)) {
      r.push_back(c);
    } else {
      const auto u = static_cast<unsigned char>(c);
      r += "\\x";
      r.push_back(kHex[u >> 4]);
      r.push_back(kHex[u & 15]);
    }
  }
  return r;
}

Text UpperAscii(TextView s) {
  Text r(s);
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return r;
}

Text LowerAscii(TextView s) {
  Text r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

Text RemoveAll(TextView s, char what) {
  Text r;
  r.reserve(s.size());
  for (char c : s)
    if (c != what) r.push_back(c);
  return r;
}

Text ReplaceAll(TextView s, TextView from, TextView to) {
  Text r;
  size_t pos = 0;
  while (true) {
    size_t hit = s.find(from, pos);
    if (hit == TextView::npos || from.empty()) break;
    r.append(s.substr(pos, hit - pos));
    r.append(to);
    pos = hit + from.size();
  }
  r.append(s.substr(pos));
  return r;
}

}  // namespace voske
