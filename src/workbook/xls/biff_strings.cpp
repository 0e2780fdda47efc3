#include "workbook/xls/biff_strings.h"

#include <string>

#include "text/cp1252.h"

namespace voske::biff {

CodePage::CodePage() = default;
CodePage::~CodePage() = default;

void CodePage::Set(std::uint16_t id) {
  converter_.reset();
  // 1252 itself, US-ASCII (367), the old 32769 alias of 1252, and 1200
  // (which 97-2003 files carry but never use for 8-bit texts) need no work.
  if (id == 1252 || id == 367 || id == 32769 || id == 1200) return;
  auto decoder = std::make_unique<platform::CodePageDecoder>(id);
  // A code page the system cannot convert is read as 1252: the letters of
  // the Latin alphabet still come through.
  if (decoder->Usable()) converter_ = std::move(decoder);
}

Text CodePage::Decode(Bytes bytes) const {
  if (!converter_) return Text(bytes.begin(), bytes.end());
  return FromUtf16(converter_->Decode(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

Text ReadUnicodeString(SegmentReader& r, bool shortCount) {
  const std::size_t count = shortCount ? r.U8() : r.U16();
  const std::uint8_t flags = r.U8();
  const std::size_t runs = (flags & 0x08) ? r.U16() : 0;
  const std::size_t extension = (flags & 0x04) ? r.U32() : 0;
  std::u16string chars;
  chars.reserve(count);
  r.Chars(count, (flags & 0x01) != 0, chars);
  // Formatting runs (4 bytes each) and phonetic data carry nothing the
  // worksheet array keeps.
  r.Skip(runs * 4);
  r.Skip(extension);
  return FromUtf16(chars);
}

Text ReadByteString(Bytes data, std::size_t offset, const CodePage& codePage, bool shortCount, std::size_t* end) {
  std::size_t count;
  if (shortCount) {
    if (offset >= data.size()) Corrupt("texto incompleto");
    count = data[offset++];
  } else {
    count = U16At(data, offset);
    offset += 2;
  }
  if (data.size() - offset < count) Corrupt("texto além do fim do registro");
  if (end) *end = offset + count;
  return codePage.Decode(data.subspan(offset, count));
}

}  // namespace voske::biff
