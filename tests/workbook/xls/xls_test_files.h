#pragma once
// Builders of small .xls files for the reader's tests: BIFF records, whole
// workbook streams, and a compound file around them. Each test states the
// bytes it cares about; everything else is the plainest valid layout.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace voske::support {

using ByteVec = std::vector<unsigned char>;

inline void Put16(ByteVec& b, std::uint32_t v) {
  b.push_back(static_cast<unsigned char>(v));
  b.push_back(static_cast<unsigned char>(v >> 8));
}
inline void Put32(ByteVec& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void PutF64(ByteVec& b, double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  Put32(b, static_cast<std::uint32_t>(bits));
  Put32(b, static_cast<std::uint32_t>(bits >> 32));
}
inline void PutBytes(ByteVec& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }
inline void Set32(ByteVec& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// One record: type, length, data.
inline ByteVec Rec(std::uint16_t type, const ByteVec& data) {
  ByteVec r;
  Put16(r, type);
  Put16(r, static_cast<std::uint32_t>(data.size()));
  r.insert(r.end(), data.begin(), data.end());
  return r;
}

inline ByteVec CellHead(std::uint32_t row, std::uint32_t col, std::uint32_t xf = 15) {
  ByteVec d;
  Put16(d, row);
  Put16(d, col);
  Put16(d, xf);
  return d;
}
inline ByteVec Number(std::uint32_t row, std::uint32_t col, double v) {
  ByteVec d = CellHead(row, col);
  PutF64(d, v);
  return Rec(0x0203, d);
}
inline ByteVec Rk(std::uint32_t row, std::uint32_t col, std::uint32_t rk) {
  ByteVec d = CellHead(row, col);
  Put32(d, rk);
  return Rec(0x027E, d);
}
inline ByteVec MulRk(std::uint32_t row, std::uint32_t first, const std::vector<std::uint32_t>& rks) {
  ByteVec d;
  Put16(d, row);
  Put16(d, first);
  for (std::uint32_t rk : rks) {
    Put16(d, 15);
    Put32(d, rk);
  }
  Put16(d, first + static_cast<std::uint32_t>(rks.size()) - 1);
  return Rec(0x00BD, d);
}
inline ByteVec LabelSst(std::uint32_t row, std::uint32_t col, std::uint32_t index) {
  ByteVec d = CellHead(row, col);
  Put32(d, index);
  return Rec(0x00FD, d);
}
inline ByteVec BoolErr(std::uint32_t row, std::uint32_t col, std::uint8_t value, bool isError) {
  ByteVec d = CellHead(row, col);
  d.push_back(value);
  d.push_back(isError ? 1 : 0);
  return Rec(0x0205, d);
}
inline ByteVec Blank(std::uint32_t row, std::uint32_t col) { return Rec(0x0201, CellHead(row, col)); }
// A formula whose cached result is the 8 bytes `result`; the formula's own
// tokens (a reference to A1) follow and are never read.
inline ByteVec FormulaRaw(std::uint32_t row, std::uint32_t col, const ByteVec& result) {
  ByteVec d = CellHead(row, col);
  d.insert(d.end(), result.begin(), result.end());
  Put16(d, 0);   // flags
  Put32(d, 0);   // calculation chain
  Put16(d, 5);   // token bytes
  d.insert(d.end(), {0x24, 0, 0, 0, 0});
  return Rec(0x0006, d);
}
inline ByteVec FormulaNumber(std::uint32_t row, std::uint32_t col, double v) {
  ByteVec r;
  PutF64(r, v);
  return FormulaRaw(row, col, r);
}
// Tagged results: 0 text (in the next STRING record), 1 boolean, 2 error, 3 empty text.
inline ByteVec FormulaTagged(std::uint32_t row, std::uint32_t col, std::uint8_t tag, std::uint8_t value = 0) {
  return FormulaRaw(row, col, ByteVec{tag, 0, value, 0, 0, 0, 0xFF, 0xFF});
}

// A 97-2003 string with a 16-bit count: one byte a character when every
// character fits, two otherwise.
inline ByteVec Unicode16(const std::u16string& s, bool shortCount = false) {
  ByteVec d;
  bool wide = false;
  for (char16_t c : s) wide = wide || c > 0xFF;
  if (shortCount) d.push_back(static_cast<unsigned char>(s.size()));
  else Put16(d, static_cast<std::uint32_t>(s.size()));
  d.push_back(wide ? 1 : 0);
  for (char16_t c : s) {
    if (wide) Put16(d, c);
    else d.push_back(static_cast<unsigned char>(c));
  }
  return d;
}
inline ByteVec Label8(std::uint32_t row, std::uint32_t col, const std::u16string& s) {
  ByteVec d = CellHead(row, col);
  ByteVec str = Unicode16(s);
  d.insert(d.end(), str.begin(), str.end());
  return Rec(0x0204, d);
}
inline ByteVec String8(const std::u16string& s) { return Rec(0x0207, Unicode16(s)); }
// An Excel 5/95 string: 16-bit count and the code page's bytes.
inline ByteVec Bytes16(const std::string& s) {
  ByteVec d;
  Put16(d, static_cast<std::uint32_t>(s.size()));
  PutBytes(d, s);
  return d;
}
inline ByteVec Label5(std::uint32_t row, std::uint32_t col, const std::string& s, std::uint16_t type = 0x0204) {
  ByteVec d = CellHead(row, col);
  ByteVec str = Bytes16(s);
  d.insert(d.end(), str.begin(), str.end());
  if (type == 0x00D6) d.push_back(0);  // no formatting runs
  return Rec(type, d);
}

inline ByteVec Bof(bool biff5, std::uint16_t kind) {
  ByteVec d;
  Put16(d, biff5 ? 0x0500 : 0x0600);
  Put16(d, kind);
  Put16(d, 0x0DBB);
  Put16(d, 0x07CC);
  if (!biff5) {
    Put32(d, 0);
    Put32(d, 0x0206);
  }
  return Rec(0x0809, d);
}
inline ByteVec Eof() { return Rec(0x000A, {}); }

struct SheetSpec {
  std::string name;              // 97-2003: UTF-8 turned into UTF-16; 5/95: raw bytes
  std::uint8_t kind = 0;         // 0 worksheet, 1 macro sheet, 2 chart, 6 module
  std::uint8_t visibility = 0;   // 0 visible, 1 hidden, 2 very hidden
  std::vector<ByteVec> records;  // between the sheet's BOF and EOF
};

inline std::u16string U16(const std::string& utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    char32_t cp;
    int n;
    if (c < 0x80) { cp = c; n = 1; }
    else if (c < 0xE0) { cp = c & 0x1F; n = 2; }
    else if (c < 0xF0) { cp = c & 0x0F; n = 3; }
    else { cp = c & 0x07; n = 4; }
    for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += n;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

// A whole workbook stream: the globals (BOF, `globals`, one BOUNDSHEET per
// sheet, EOF) and then each sheet's substream.
inline ByteVec WorkbookStream(bool biff5, const std::vector<ByteVec>& globals, const std::vector<SheetSpec>& sheets) {
  ByteVec s = Bof(biff5, 0x0005);
  for (const ByteVec& r : globals) s.insert(s.end(), r.begin(), r.end());
  std::vector<std::size_t> patches;
  for (const SheetSpec& sh : sheets) {
    ByteVec d;
    Put32(d, 0);
    d.push_back(sh.visibility);
    d.push_back(sh.kind);
    if (biff5) {
      d.push_back(static_cast<unsigned char>(sh.name.size()));
      PutBytes(d, sh.name);
    } else {
      ByteVec n = Unicode16(U16(sh.name), true);
      d.insert(d.end(), n.begin(), n.end());
    }
    patches.push_back(s.size() + 4);
    ByteVec r = Rec(0x0085, d);
    s.insert(s.end(), r.begin(), r.end());
  }
  ByteVec eof = Eof();
  s.insert(s.end(), eof.begin(), eof.end());
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    Set32(s, patches[i], static_cast<std::uint32_t>(s.size()));
    ByteVec bof = Bof(biff5, sheets[i].kind == 2 ? 0x0020 : 0x0010);
    s.insert(s.end(), bof.begin(), bof.end());
    for (const ByteVec& r : sheets[i].records) s.insert(s.end(), r.begin(), r.end());
    s.insert(s.end(), eof.begin(), eof.end());
  }
  return s;
}

// The shared-string table: an SST record holding the first chunk of
// `payload` (the counts and strings, already encoded), and CONTINUE records
// for the rest, split at the given offsets of `payload`.
inline std::vector<ByteVec> SstRecords(const ByteVec& payload, std::vector<std::size_t> splits) {
  std::vector<ByteVec> out;
  std::size_t from = 0;
  splits.push_back(payload.size());
  for (std::size_t i = 0; i < splits.size(); ++i) {
    ByteVec chunk(payload.begin() + static_cast<std::ptrdiff_t>(from), payload.begin() + static_cast<std::ptrdiff_t>(splits[i]));
    out.push_back(Rec(i == 0 ? 0x00FC : 0x003C, chunk));
    from = splits[i];
  }
  return out;
}

// ---------------------------------------------------------------------------
// Compound file writer: version 3, 512-byte sectors, streams under 4096
// bytes in the mini stream. The root's children hang off one another's
// right links.

struct CfbStream {
  std::u16string name;
  ByteVec data;
};

struct CfbLayout {
  ByteVec bytes;
  std::vector<std::uint32_t> fatSectors;   // sector numbers holding the FAT
  std::uint32_t directorySector = 0;       // first sector of the directory
  std::vector<std::uint32_t> streamStart;  // first (mini) sector of each stream
};

inline std::size_t SectorOffset(std::uint32_t sector) { return (std::size_t{sector} + 1) * 512; }

inline CfbLayout MakeCompoundFile(const std::vector<CfbStream>& streams) {
  constexpr std::uint32_t kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF, kFatSect = 0xFFFFFFFD, kDifSect = 0xFFFFFFFC;
  CfbLayout out;
  std::vector<std::uint32_t> fat;
  std::vector<ByteVec> sectors;
  auto allocChain = [&](const ByteVec& data) -> std::uint32_t {
    if (data.empty()) return kEnd;
    const std::uint32_t first = static_cast<std::uint32_t>(sectors.size());
    for (std::size_t off = 0; off < data.size(); off += 512) {
      ByteVec sec(512, 0);
      std::memcpy(sec.data(), data.data() + off, std::min<std::size_t>(512, data.size() - off));
      sectors.push_back(sec);
      fat.push_back(static_cast<std::uint32_t>(sectors.size()));
    }
    fat.back() = kEnd;
    return first;
  };
  // Small streams go into the mini stream, 64 bytes a mini sector.
  ByteVec mini;
  std::vector<std::uint32_t> miniFat;
  out.streamStart.resize(streams.size());
  for (std::size_t i = 0; i < streams.size(); ++i) {
    const ByteVec& d = streams[i].data;
    if (d.size() >= 4096) continue;
    if (d.empty()) { out.streamStart[i] = kEnd; continue; }
    out.streamStart[i] = static_cast<std::uint32_t>(miniFat.size());
    for (std::size_t off = 0; off < d.size(); off += 64) {
      ByteVec sec(64, 0);
      std::memcpy(sec.data(), d.data() + off, std::min<std::size_t>(64, d.size() - off));
      mini.insert(mini.end(), sec.begin(), sec.end());
      miniFat.push_back(static_cast<std::uint32_t>(miniFat.size() + 1));
    }
    miniFat.back() = kEnd;
  }
  for (std::size_t i = 0; i < streams.size(); ++i)
    if (streams[i].data.size() >= 4096) out.streamStart[i] = allocChain(streams[i].data);
  const std::uint32_t miniStart = allocChain(mini);
  ByteVec miniFatBytes;
  for (std::uint32_t v : miniFat) Put32(miniFatBytes, v);
  const std::uint32_t miniFatStart = allocChain(miniFatBytes);
  const std::uint32_t miniFatCount = static_cast<std::uint32_t>((miniFatBytes.size() + 511) / 512);

  // Directory: the root, then each stream; each stream is the right
  // sibling of the one before.
  ByteVec dir;
  auto entry = [&](const std::u16string& name, std::uint8_t type, std::uint32_t right, std::uint32_t child,
                   std::uint32_t start, std::uint32_t size) {
    ByteVec e(128, 0);
    for (std::size_t k = 0; k < name.size() && k < 31; ++k) {
      e[2 * k] = static_cast<unsigned char>(name[k]);
      e[2 * k + 1] = static_cast<unsigned char>(name[k] >> 8);
    }
    e[0x40] = static_cast<unsigned char>((name.size() + 1) * 2);
    e[0x42] = type;
    e[0x43] = 1;
    Set32(e, 0x44, kFree);
    Set32(e, 0x48, right);
    Set32(e, 0x4C, child);
    Set32(e, 0x74, start);
    Set32(e, 0x78, size);
    dir.insert(dir.end(), e.begin(), e.end());
  };
  entry(u"Root Entry", 5, kFree, streams.empty() ? kFree : 1, miniStart, static_cast<std::uint32_t>(mini.size()));
  for (std::size_t i = 0; i < streams.size(); ++i)
    entry(streams[i].name, 2, i + 1 < streams.size() ? static_cast<std::uint32_t>(i + 2) : kFree, kFree,
          out.streamStart[i], static_cast<std::uint32_t>(streams[i].data.size()));
  while (dir.size() % 512) dir.insert(dir.end(), 128, 0);
  out.directorySector = allocChain(dir);

  // FAT sectors (and DIFAT sectors beyond 109 of them) describe themselves.
  std::size_t fatCount = 0, difCount = 0;
  for (;;) {
    const std::size_t total = sectors.size() + fatCount + difCount;
    const std::size_t needFat = (total + 127) / 128;
    const std::size_t needDif = needFat > 109 ? (needFat - 109 + 126) / 127 : 0;
    if (needFat == fatCount && needDif == difCount) break;
    fatCount = needFat;
    difCount = needDif;
  }
  const std::uint32_t firstFat = static_cast<std::uint32_t>(sectors.size());
  for (std::size_t i = 0; i < fatCount; ++i) {
    out.fatSectors.push_back(firstFat + static_cast<std::uint32_t>(i));
    fat.push_back(kFatSect);
  }
  const std::uint32_t firstDif = static_cast<std::uint32_t>(firstFat + fatCount);
  for (std::size_t i = 0; i < difCount; ++i) fat.push_back(kDifSect);
  fat.resize(fatCount * 128, kFree);

  ByteVec header(512, 0);
  const unsigned char sig[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::memcpy(header.data(), sig, 8);
  header[0x18] = 0x3E;
  header[0x1A] = 3;
  header[0x1C] = 0xFE;
  header[0x1D] = 0xFF;
  header[0x1E] = 9;
  header[0x20] = 6;
  Set32(header, 0x2C, static_cast<std::uint32_t>(fatCount));
  Set32(header, 0x30, out.directorySector);
  Set32(header, 0x38, 4096);
  Set32(header, 0x3C, miniFat.empty() ? kEnd : miniFatStart);
  Set32(header, 0x40, miniFatCount);
  Set32(header, 0x44, difCount ? firstDif : kEnd);
  Set32(header, 0x48, static_cast<std::uint32_t>(difCount));
  for (std::size_t i = 0; i < 109; ++i) Set32(header, 0x4C + 4 * i, i < fatCount ? out.fatSectors[i] : kFree);

  out.bytes = header;
  for (const ByteVec& s : sectors) out.bytes.insert(out.bytes.end(), s.begin(), s.end());
  for (std::size_t i = 0; i < fatCount; ++i)
    for (std::size_t k = 0; k < 128; ++k) Put32(out.bytes, fat[i * 128 + k]);
  for (std::size_t d = 0; d < difCount; ++d) {
    for (std::size_t k = 0; k < 127; ++k) {
      const std::size_t idx = 109 + d * 127 + k;
      Put32(out.bytes, idx < fatCount ? out.fatSectors[idx] : kFree);
    }
    Put32(out.bytes, d + 1 < difCount ? firstDif + static_cast<std::uint32_t>(d) + 1 : kEnd);
  }
  return out;
}

}  // namespace voske::support
