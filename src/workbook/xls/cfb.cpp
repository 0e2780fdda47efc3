#include "workbook/xls/cfb.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/file_reading.h"
#include "text/cp1252.h"
#include "workbook/xls/little_endian.h"
#include "workbook/workbook_file.h"

namespace voske::cfb {
namespace {

constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::uint32_t kMaxRegular = 0xFFFFFFFA;  // higher sector numbers are markers
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kEntrySize = 128;
constexpr std::uint64_t kMiniCutoff = 4096;
constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kTypeStream = 2;
constexpr std::uint8_t kTypeRoot = 5;

using le::U16;
using le::U32;

[[noreturn]] void CorruptCompoundFile(const std::string& what) {
  throw ReaderError(ReaderError::Kind::Corrupt, Ansi("arquivo .xls danificado: " + what));
}

// Names compare as the container compares them: letters without regard to case.
char16_t Fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  return c;
}
bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

}  // namespace

bool HasSignature(std::span<const unsigned char> head) {
  return head.size() >= sizeof kSignature && std::memcmp(head.data(), kSignature, sizeof kSignature) == 0;
}

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  // Read-only and no lock of any kind: the spreadsheet program may have the
  // workbook open at the same time, and the file is never touched.
  const platform::ReadOnlyFile file(path);
  if (!file.IsOpen()) {
    if (file.Error() == EISDIR || file.Error() == ENODEV)
      throw ReaderError(ReaderError::Kind::FileNotFound, Ansi("não é um arquivo comum: ") + path);
    throw ReaderError(ReaderError::Kind::FileNotFound, Ansi("arquivo não encontrado: ") + path);
  }
  if (file.Size() > kMaxFileSize)
    throw ReaderError(ReaderError::Kind::TooLarge, Ansi("arquivo maior que 1 GiB: ") + path);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(file.Size()));
  const std::ptrdiff_t got = file.ReadFullyAt(0, bytes.data(), bytes.size());
  if (got < 0) throw ReaderError(ReaderError::Kind::FileNotFound, Ansi("erro de leitura do arquivo: ") + path);
  bytes.resize(static_cast<std::size_t>(got));  // the file may have shrunk while being read
  return bytes;
}

CompoundFile::CompoundFile(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {
  if (!HasSignature(bytes_)) throw ReaderError(ReaderError::Kind::NotAWorkbook, Ansi("não é uma pasta de trabalho"));
  if (bytes_.size() < kHeaderSize) CorruptCompoundFile("cabeçalho incompleto");
  const unsigned char* h = bytes_.data();
  majorVersion_ = U16(h + 0x1A);
  sectorShift_ = U16(h + 0x1E);
  miniShift_ = U16(h + 0x20);
  // Version 3 uses 512-byte sectors, version 4 uses 4096-byte ones; some
  // writers put a version number that disagrees with the sector size, so
  // the sector size alone decides.
  if (sectorShift_ != 9 && sectorShift_ != 12) CorruptCompoundFile("tamanho de setor inválido");
  if (miniShift_ != 6) CorruptCompoundFile("tamanho de minissetor inválido");
  LoadFat();
  LoadDirectory();
}

std::size_t CompoundFile::SectorCount() const {
  const std::size_t size = std::size_t{1} << sectorShift_;
  // The header fills sector -1; a last sector cut short still counts, for
  // the bytes it holds.
  if (bytes_.size() <= size) return 0;
  return (bytes_.size() - size + size - 1) / size;
}

void CompoundFile::LoadFat() {
  const unsigned char* h = bytes_.data();
  const std::size_t sectorSize = std::size_t{1} << sectorShift_;
  const std::size_t perSector = sectorSize / 4;
  const std::size_t sectors = SectorCount();
  const std::uint32_t declaredFat = U32(h + 0x2C);
  // A FAT sector can only be one of the file's own sectors.
  if (declaredFat > sectors) CorruptCompoundFile("tabela de alocação maior que o arquivo");

  std::vector<std::uint32_t> fatSectors;
  fatSectors.reserve(declaredFat);
  for (std::size_t i = 0; i < 109 && fatSectors.size() < declaredFat; ++i) {
    std::uint32_t s = U32(h + 0x4C + 4 * i);
    if (s > kMaxRegular) break;
    fatSectors.push_back(s);
  }
  // The rest of the sector list lives in a chain of DIFAT sectors, each
  // ending with the number of the next one.
  std::uint32_t dif = U32(h + 0x44);
  std::vector<bool> seen(sectors, false);
  while (fatSectors.size() < declaredFat && dif <= kMaxRegular) {
    if (dif >= sectors) CorruptCompoundFile("setor da lista de tabelas fora do arquivo");
    if (seen[dif]) CorruptCompoundFile("ciclo na lista de tabelas de alocação");
    seen[dif] = true;
    const std::size_t off = (std::size_t{dif} + 1) * sectorSize;
    if (off + sectorSize > bytes_.size()) CorruptCompoundFile("setor da lista de tabelas incompleto");
    const unsigned char* p = bytes_.data() + off;
    for (std::size_t i = 0; i + 1 < perSector && fatSectors.size() < declaredFat; ++i) {
      std::uint32_t s = U32(p + 4 * i);
      if (s > kMaxRegular) continue;
      fatSectors.push_back(s);
    }
    dif = U32(p + 4 * (perSector - 1));
  }

  fat_.assign(fatSectors.size() * perSector, kFreeSector);
  for (std::size_t k = 0; k < fatSectors.size(); ++k) {
    const std::uint32_t s = fatSectors[k];
    if (s >= sectors) CorruptCompoundFile("setor da tabela de alocação fora do arquivo");
    const std::size_t off = (std::size_t{s} + 1) * sectorSize;
    const std::size_t avail = std::min(sectorSize, bytes_.size() - off) / 4;
    for (std::size_t i = 0; i < avail; ++i) fat_[k * perSector + i] = U32(bytes_.data() + off + 4 * i);
  }
}

std::vector<std::uint32_t> CompoundFile::Chain(std::uint32_t start, const std::vector<std::uint32_t>& table,
                                               std::size_t limit, const char* what) const {
  // Follows `table` from `start` until the end marker, or until `limit`
  // sectors are known. Each sector may appear once: a repeat is a cycle.
  std::vector<std::uint32_t> chain;
  std::vector<bool> seen(table.size(), false);
  std::uint32_t s = start;
  while (chain.size() < limit) {
    if (s == kEndOfChain) break;
    if (s >= table.size()) CorruptCompoundFile(std::string("cadeia de setores inválida (") + what + ")");
    if (seen[s]) CorruptCompoundFile(std::string("ciclo na cadeia de setores (") + what + ")");
    seen[s] = true;
    chain.push_back(s);
    s = table[s];
  }
  return chain;
}

std::vector<unsigned char> CompoundFile::ReadRegular(std::uint32_t start, std::uint64_t size, const char* what) const {
  const std::size_t sectorSize = std::size_t{1} << sectorShift_;
  // A stream cannot hold more than the file it lives in.
  if (size > bytes_.size()) CorruptCompoundFile(std::string("fluxo maior que o arquivo (") + what + ")");
  const std::size_t need = static_cast<std::size_t>(size);
  const std::size_t count = (need + sectorSize - 1) / sectorSize;
  std::vector<std::uint32_t> chain = Chain(start, fat_, count, what);
  if (chain.size() < count) CorruptCompoundFile(std::string("fluxo mais curto que o declarado (") + what + ")");
  std::vector<unsigned char> out(need);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t off = (std::size_t{chain[i]} + 1) * sectorSize;
    const std::size_t len = std::min(sectorSize, need - i * sectorSize);
    if (off > bytes_.size() || bytes_.size() - off < len) CorruptCompoundFile(std::string("setor fora do arquivo (") + what + ")");
    std::memcpy(out.data() + i * sectorSize, bytes_.data() + off, len);
  }
  return out;
}

void CompoundFile::LoadDirectory() {
  const unsigned char* h = bytes_.data();
  const std::size_t sectorSize = std::size_t{1} << sectorShift_;
  // The directory's own length is unknown: read its whole chain.
  std::vector<std::uint32_t> chain = Chain(U32(h + 0x30), fat_, fat_.size(), "diretório");
  if (chain.empty()) CorruptCompoundFile("diretório vazio");
  entries_.reserve(chain.size() * (sectorSize / kEntrySize));
  for (std::uint32_t s : chain) {
    const std::size_t off = (std::size_t{s} + 1) * sectorSize;
    if (off > bytes_.size() || bytes_.size() - off < sectorSize) CorruptCompoundFile("setor do diretório fora do arquivo");
    for (std::size_t e = 0; e < sectorSize / kEntrySize; ++e) {
      const unsigned char* p = bytes_.data() + off + e * kEntrySize;
      Entry entry;
      const std::size_t nameBytes = std::min<std::size_t>(U16(p + 0x40), 64);
      for (std::size_t i = 0; i + 1 < nameBytes; i += 2) {
        char16_t c = U16(p + i);
        if (c == 0) break;
        entry.name.push_back(c);
      }
      entry.type = p[0x42];
      entry.left = U32(p + 0x44);
      entry.right = U32(p + 0x48);
      entry.child = U32(p + 0x4C);
      entry.start = U32(p + 0x74);
      entry.size = U32(p + 0x78);
      // Version 3 files may leave garbage in the high half of the size.
      if (majorVersion_ >= 4) entry.size |= std::uint64_t{U32(p + 0x7C)} << 32;
      entries_.push_back(std::move(entry));
    }
  }
  if (entries_[0].type != kTypeRoot) CorruptCompoundFile("diretório sem entrada raiz");

  // The root's children form a binary tree through the left and right
  // links. Walk it without recursion, visiting each entry at most once.
  std::vector<bool> seen(entries_.size(), false);
  seen[0] = true;
  std::vector<std::uint32_t> pending;
  if (entries_[0].child != kNoStream) pending.push_back(entries_[0].child);
  while (!pending.empty()) {
    std::uint32_t i = pending.back();
    pending.pop_back();
    if (i >= entries_.size()) CorruptCompoundFile("entrada de diretório fora da tabela");
    if (seen[i]) CorruptCompoundFile("ciclo na árvore do diretório");
    seen[i] = true;
    const Entry& e = entries_[i];
    if (e.type == kTypeStream) rootChildren_.push_back(i);
    else if (e.type != kTypeStorage) CorruptCompoundFile("entrada de diretório de tipo inválido");
    if (e.right != kNoStream) pending.push_back(e.right);
    if (e.left != kNoStream) pending.push_back(e.left);
  }
  // The tree is ordered by name; directory order reads more naturally.
  std::sort(rootChildren_.begin(), rootChildren_.end());
  for (std::size_t i : rootChildren_) names_.push_back(entries_[i].name);
}

void CompoundFile::LoadMiniStream() const {
  if (miniLoaded_) return;
  const unsigned char* h = bytes_.data();
  const std::size_t sectorSize = std::size_t{1} << sectorShift_;
  // The mini FAT's chain is followed to its end: some writers get its
  // declared length wrong, and the chain is bounded by the FAT anyway.
  std::vector<unsigned char> raw;
  const std::uint32_t first = U32(h + 0x3C);
  if (first <= kMaxRegular) {
    std::vector<std::uint32_t> chain = Chain(first, fat_, fat_.size(), "minitabela");
    raw.reserve(chain.size() * sectorSize);
    for (std::uint32_t s : chain) {
      const std::size_t off = (std::size_t{s} + 1) * sectorSize;
      if (off > bytes_.size() || bytes_.size() - off < sectorSize) CorruptCompoundFile("setor da minitabela fora do arquivo");
      raw.insert(raw.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(off),
                 bytes_.begin() + static_cast<std::ptrdiff_t>(off + sectorSize));
    }
  }
  std::vector<std::uint32_t> table(raw.size() / 4);
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = U32(raw.data() + 4 * i);
  const Entry& root = entries_[0];
  std::vector<unsigned char> stream = ReadRegular(root.start, root.size, "minifluxo");
  miniFat_ = std::move(table);
  miniStream_ = std::move(stream);
  miniLoaded_ = true;
}

std::vector<unsigned char> CompoundFile::ReadMini(std::uint32_t start, std::uint64_t size) const {
  if (size == 0) return {};
  LoadMiniStream();
  const std::size_t mini = std::size_t{1} << miniShift_;
  const std::size_t need = static_cast<std::size_t>(size);  // below the cutoff
  const std::size_t count = (need + mini - 1) / mini;
  std::vector<std::uint32_t> chain = Chain(start, miniFat_, count, "minifluxo");
  if (chain.size() < count) CorruptCompoundFile("fluxo pequeno mais curto que o declarado");
  std::vector<unsigned char> out(need);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t off = std::size_t{chain[i]} * mini;
    const std::size_t len = std::min(mini, need - i * mini);
    if (off > miniStream_.size() || miniStream_.size() - off < len) CorruptCompoundFile("minissetor fora do minifluxo");
    std::memcpy(out.data() + i * mini, miniStream_.data() + off, len);
  }
  return out;
}

const CompoundFile::Entry* CompoundFile::Find(std::u16string_view name) const {
  for (std::size_t i : rootChildren_)
    if (SameName(entries_[i].name, name)) return &entries_[i];
  return nullptr;
}

bool CompoundFile::HasStream(std::u16string_view name) const { return Find(name) != nullptr; }

std::optional<std::vector<unsigned char>> CompoundFile::ReadStream(std::u16string_view name) const {
  const Entry* e = Find(name);
  if (!e) return std::nullopt;
  if (e->size < kMiniCutoff) return ReadMini(e->start, e->size);
  return ReadRegular(e->start, e->size, "fluxo");
}

bool IsEncryptedPackage(const CompoundFile& file) {
  return file.HasStream(u"EncryptionInfo") && file.HasStream(u"EncryptedPackage");
}

bool IsEncryptedPackage(const std::string& path) {
  try {
    return IsEncryptedPackage(CompoundFile(ReadWholeFile(path)));
  } catch (const ReaderError&) {
    return false;
  }
}

}  // namespace voske::cfb
