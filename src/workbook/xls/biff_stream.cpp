#include "workbook/xls/biff_stream.h"

#include <bit>
#include <cstring>

#include "text/cp1252.h"
#include "workbook/xls/little_endian.h"
#include "workbook/workbook_file.h"

namespace voske::biff {

void Corrupt(const std::string& utf8Detail) {
  throw ReaderError(ReaderError::Kind::Corrupt, Ansi("arquivo .xls danificado: " + utf8Detail));
}

std::uint16_t U16At(Bytes data, std::size_t offset) {
  if (offset > data.size() || data.size() - offset < 2) Corrupt("registro curto demais");
  return le::U16(data.data() + offset);
}

std::uint32_t U32At(Bytes data, std::size_t offset) {
  if (offset > data.size() || data.size() - offset < 4) Corrupt("registro curto demais");
  return le::U32(data.data() + offset);
}

double F64At(Bytes data, std::size_t offset) {
  const std::uint64_t bits = std::uint64_t{U32At(data, offset)} | std::uint64_t{U32At(data, offset + 4)} << 32;
  return std::bit_cast<double>(bits);
}

double RkValue(std::uint32_t rk) {
  double v;
  if (rk & 2) {
    // A signed 30-bit integer in the top bits.
    v = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    v = std::bit_cast<double>(std::uint64_t{rk & 0xFFFFFFFCu} << 32);
  }
  return (rk & 1) ? v / 100.0 : v;
}

bool RecordCursor::Next(Record& out) {
  if (pos_ >= stream_.size()) return false;
  if (stream_.size() - pos_ < 4) Corrupt("registro incompleto no fim do fluxo");
  const std::uint16_t type = U16At(stream_, pos_);
  const std::uint16_t len = U16At(stream_, pos_ + 2);
  if (stream_.size() - pos_ - 4 < len) Corrupt("registro além do fim do fluxo");
  out.type = type;
  out.data = stream_.subspan(pos_ + 4, len);
  pos_ += 4 + std::size_t{len};
  return true;
}

void RecordCursor::TakeContinues(std::vector<Bytes>& segments) {
  while (stream_.size() - pos_ >= 4 && U16At(stream_, pos_) == kContinue) {
    Record r;
    Next(r);
    segments.push_back(r.data);
  }
}

bool SegmentReader::Advance() {
  while (seg_ < segments_.size() && pos_ >= segments_[seg_].size()) {
    ++seg_;
    pos_ = 0;
  }
  return seg_ < segments_.size();
}

bool SegmentReader::AtEnd() { return !Advance(); }

std::uint8_t SegmentReader::U8() {
  if (!Advance()) Corrupt("dados do registro terminam antes do esperado");
  return segments_[seg_][pos_++];
}

std::uint16_t SegmentReader::U16() {
  const std::uint16_t lo = U8();
  return static_cast<std::uint16_t>(lo | U8() << 8);
}

std::uint32_t SegmentReader::U32() {
  const std::uint32_t lo = U16();
  return lo | std::uint32_t{U16()} << 16;
}

void SegmentReader::Skip(std::size_t n) {
  while (n > 0) {
    if (!Advance()) Corrupt("dados do registro terminam antes do esperado");
    const std::size_t step = std::min(n, segments_[seg_].size() - pos_);
    pos_ += step;
    n -= step;
  }
}

void SegmentReader::Chars(std::size_t count, bool wide, std::u16string& out) {
  while (count > 0) {
    const std::size_t left = seg_ < segments_.size() ? segments_[seg_].size() - pos_ : 0;
    const std::size_t avail = wide ? left / 2 : left;
    if (avail == 0) {
      // The characters go on in the next segment, after a byte giving their
      // width there. An odd byte left here cannot hold a character.
      if (seg_ + 1 >= segments_.size()) Corrupt("texto termina antes do esperado");
      ++seg_;
      pos_ = 0;
      if (segments_[seg_].empty()) Corrupt("continuação vazia no meio de um texto");
      wide = (segments_[seg_][pos_++] & 1) != 0;
      continue;
    }
    const std::size_t take = std::min(avail, count);
    const unsigned char* p = segments_[seg_].data() + pos_;
    if (wide) {
      for (std::size_t i = 0; i < take; ++i) out.push_back(static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8));
      pos_ += 2 * take;
    } else {
      out.append(p, p + take);
      pos_ += take;
    }
    count -= take;
  }
}

}  // namespace voske::biff
