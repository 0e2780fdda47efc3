#pragma once
// The record layer of an .xls workbook stream: a record is a 16-bit type, a
// 16-bit length and that many bytes of data; data too long for one record
// goes on in CONTINUE records right after it. Every read is bounds-checked
// and throws ReaderError(Corrupt) when the data runs out.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace voske::biff {

using Bytes = std::span<const unsigned char>;

// Record types the reader looks at.
enum RecordType : std::uint16_t {
  kFormula = 0x0006,
  kEof = 0x000A,
  kDateMode = 0x0022,
  kFilePass = 0x002F,
  kContinue = 0x003C,
  kCodePage = 0x0042,
  kBoundSheet = 0x0085,
  kMulRk = 0x00BD,
  kMulBlank = 0x00BE,
  kRString = 0x00D6,
  kSst = 0x00FC,
  kLabelSst = 0x00FD,
  kNumber = 0x0203,
  kLabel = 0x0204,
  kBoolErr = 0x0205,
  kString = 0x0207,
  kRk = 0x027E,
  kBof = 0x0809,
  // Beginnings of substreams of the formats before the compound file.
  kBofBiff2 = 0x0009,
  kBofBiff3 = 0x0209,
  kBofBiff4 = 0x0409,
};

struct Record {
  std::uint16_t type = 0;
  Bytes data;
};

// Walks the records of a stream from a given offset.
class RecordCursor {
 public:
  RecordCursor(Bytes stream, std::size_t offset) : stream_(stream), pos_(offset) {}
  // The next record, or false at the end of the stream. Corrupt when a
  // record's length runs past the end.
  bool Next(Record& out);
  // Appends the data of every CONTINUE record right after the current one
  // to `segments`, and steps over them.
  void TakeContinues(std::vector<Bytes>& segments);

 private:
  Bytes stream_;
  std::size_t pos_;
};

// Little-endian reads over one record's data and its CONTINUE records,
// which together form one logical run of bytes.
class SegmentReader {
 public:
  explicit SegmentReader(std::vector<Bytes> segments) : segments_(std::move(segments)) {}
  explicit SegmentReader(Bytes single) : segments_{single} {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  void Skip(std::size_t n);
  // True when no byte is left in any segment.
  bool AtEnd();
  // Appends `count` characters of a string whose characters are one byte
  // (`wide` false: the low byte of each code unit) or two bytes each. When
  // the characters cross into the next segment, that segment starts with a
  // byte saying how wide the characters there are.
  void Chars(std::size_t count, bool wide, std::u16string& out);

 private:
  // Moves to the next segment when the current one is used up; false when
  // there is none.
  bool Advance();
  std::vector<Bytes> segments_;
  std::size_t seg_ = 0;
  std::size_t pos_ = 0;
};

std::uint16_t U16At(Bytes data, std::size_t offset);
std::uint32_t U32At(Bytes data, std::size_t offset);
double F64At(Bytes data, std::size_t offset);

// The value of an RK number: a 30-bit integer or the top 30 bits of a
// double, optionally to be divided by 100.
double RkValue(std::uint32_t rk);

[[noreturn]] void Corrupt(const std::string& utf8Detail);

}  // namespace voske::biff
