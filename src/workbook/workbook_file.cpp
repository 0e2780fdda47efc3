#include "workbook/workbook_file.h"

#include <cerrno>
#include <cstring>

#include "platform/file_reading.h"

#include "workbook/ods/ods_reader.h"
#include "workbook/readers.h"
#include "workbook/zip_archive.h"

namespace voske {

namespace {

// Upper case of a Windows-1252 letter, as the spreadsheet compares worksheet
// names: a-z, the accented Latin-1 letters (à..þ except ÷) and š œ ž ÿ.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A: return 0x8A;  // š Š
    case 0x9C: return 0x8C;  // œ Œ
    case 0x9E: return 0x8E;  // ž Ž
    case 0xFF: return 0x9F;  // ÿ Ÿ
    default: return c;
  }
}

bool SameSheetName(const Text& a, const Text& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

constexpr unsigned char kZipSignature[] = {'P', 'K', 0x03, 0x04};
constexpr unsigned char kEmptyZipSignature[] = {'P', 'K', 0x05, 0x06};
constexpr unsigned char kCompoundFileSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

bool StartsWith(const unsigned char* head, size_t n, const unsigned char* sig, size_t len) {
  return n >= len && std::memcmp(head, sig, len) == 0;
}

}  // namespace

std::optional<std::size_t> WorkbookFile::FindSheet(const Text& name) const {
  const std::vector<Text>& names = SheetNames();
  for (size_t i = 0; i < names.size(); ++i)
    if (SameSheetName(names[i], name)) return i;
  return std::nullopt;
}

WorksheetArray WorkbookFile::ReadSheet(const Text& name) {
  const auto index = FindSheet(name);
  if (!index) throw ReaderError(ReaderError::Kind::SheetNotFound, "no worksheet named " + name);
  WorksheetArray array = ReadSheet(*index);
  array.SetDates(Dates());
  return array;
}

std::unique_ptr<WorkbookFile> OpenWorkbookFile(const std::string& path) {
  unsigned char head[8] = {};
  size_t n = 0;
  {
    // Binary and unlocked: the first bytes decide the format.
    const platform::ReadOnlyFile file(path);
    if (!file.IsOpen()) {
      if (file.Error() == EISDIR || file.Error() == ENODEV)
        throw ReaderError(ReaderError::Kind::FileNotFound, path + ": not a regular file");
      throw ReaderError(ReaderError::Kind::FileNotFound, path + ": " + std::strerror(file.Error()));
    }
    const std::ptrdiff_t got = file.ReadFullyAt(0, head, sizeof head);
    n = got > 0 ? static_cast<size_t>(got) : 0;
  }

  // The content decides, never the extension: users rename files.
  if (StartsWith(head, n, kZipSignature, sizeof kZipSignature) ||
      StartsWith(head, n, kEmptyZipSignature, sizeof kEmptyZipSignature)) {
    ZipArchive probe(path);
    if (IsOdsPackage(probe)) return OpenOdsWorkbook(path);
    return OpenXlsxWorkbook(path);
  }
  // Compound files: .xls workbooks, and .xlsx packages encrypted with a
  // password to open, which the .xls reader reports as Encrypted.
  if (StartsWith(head, n, kCompoundFileSignature, sizeof kCompoundFileSignature)) return OpenXlsWorkbook(path);
  throw ReaderError(ReaderError::Kind::NotAWorkbook, path + ": neither a zip package nor a compound file");
}

}  // namespace voske
