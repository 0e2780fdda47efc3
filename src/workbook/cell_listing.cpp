#include "workbook/cell_listing.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "text/cp1252.h"

namespace voske {

std::string RoundTripNumber(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  const std::string sci(buf, result.ptr);
  const auto e = sci.find('e');
  const int exponent = std::atoi(sci.c_str() + e + 1);
  if (exponent < -4 || exponent >= 16) return sci;

  // The significant digits, without sign and point, laid out in plain form.
  std::string digits;
  for (size_t i = 0; i < e; ++i)
    if (sci[i] >= '0' && sci[i] <= '9') digits.push_back(sci[i]);
  std::string out = std::signbit(value) ? "-" : "";
  if (exponent < 0) {
    out += "0.";
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += digits;
    return out;
  }
  const size_t whole = static_cast<size_t>(exponent) + 1;
  if (digits.size() <= whole) {
    out += digits;
    out.append(whole - digits.size(), '0');
    out += ".0";
  } else {
    out += digits.substr(0, whole);
    out.push_back('.');
    out += digits.substr(whole);
  }
  return out;
}

std::string EscapedText(const Text& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default:
        // Any other control character written out: a cell must not act on
        // the terminal that shows the listing.
        if (IsControlCharacter(c)) {
          out += "\\x";
          out.push_back(kHex[static_cast<unsigned char>(c) >> 4]);
          out.push_back(kHex[static_cast<unsigned char>(c) & 15]);
        } else {
          out.push_back(c);
        }
    }
  }
  return ToUtf8(out);
}

void AppendCellListing(std::string& out, const Text& sheetName, const WorksheetArray& array) {
  WriteCellListing(sheetName, array, [&](const std::string& piece) { out += piece; });
}

void WriteCellListing(const Text& sheetName, const WorksheetArray& array,
                      const std::function<void(const std::string&)>& write) {
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  std::string out;
  out += "sheet\t";
  out += EscapedText(sheetName);
  out.push_back('\n');
  // Only the cells holding a value are visited: a worksheet with one cell
  // at the far corner of its area lists in no time.
  array.ForEachCell([&](std::int32_t r, std::int32_t c, const Cell& cell) {
    std::string kind, value;
    switch (cell.kind) {
      case Cell::Kind::Empty: return;
      case Cell::Kind::Number: kind = "n"; value = RoundTripNumber(cell.number); break;
      case Cell::Kind::Text:
        if (cell.text.empty()) return;
        kind = "s";
        value = EscapedText(cell.text);
        break;
      case Cell::Kind::Boolean: kind = "b"; value = cell.boolean ? "1" : "0"; break;
      case Cell::Kind::Error: kind = "e"; value = EscapedText(cell.text); break;
    }
    out += std::to_string(r);
    out.push_back('\t');
    out += std::to_string(c);
    out.push_back('\t');
    out += kind;
    out.push_back('\t');
    out += value;
    out.push_back('\n');
    if (out.size() >= kPiece) {
      write(out);
      out.clear();
    }
  });
  if (!out.empty()) write(out);
}

}  // namespace voske
