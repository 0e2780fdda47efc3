#include "workbook/xls/xls_reader.h"

#include <algorithm>
#include <string>

#include "text/cp1252.h"
#include "workbook/xls/biff_decrypt.h"
#include "workbook/xls/biff_stream.h"
#include "workbook/xls/biff_strings.h"
#include "workbook/xls/cfb.h"
#include "workbook/reader_limits.h"
#include "workbook/readers.h"
#include "workbook/xls/xls_sheet.h"

namespace voske {
namespace {

using namespace biff;

class XlsWorkbook final : public WorkbookFile {
 public:
  XlsWorkbook(std::vector<unsigned char> stream, bool bookStream) : stream_(std::move(stream)) {
    ReadGlobals(bookStream);
  }

  const std::vector<Text>& SheetNames() const override { return names_; }
  DateSystem Dates() const override { return date1904_ ? DateSystem::From1904 : DateSystem::From1900; }

  using WorkbookFile::ReadSheet;
  WorksheetArray ReadSheet(std::size_t index) override {
    if (index >= offsets_.size())
      throw ReaderError(ReaderError::Kind::SheetNotFound, Ansi("planilha inexistente"));
    BookContext book{stream_, biff5_, &codePage_, &sst_, &Texts()};
    return ReadWorksheet(book, offsets_[index]);
  }

 private:
  struct PendingSheet {
    std::size_t offset;
    Text name;           // 97-2003: already decoded
    Bytes rawName;       // Excel 5/95: decoded once the code page is known
  };

  void ReadGlobals(bool bookStream) {
    RecordCursor cursor(stream_, 0);
    Record r;
    if (!cursor.Next(r)) Corrupt("fluxo da pasta de trabalho vazio");
    if (r.type == kBofBiff2 || r.type == kBofBiff3 || r.type == kBofBiff4)
      throw ReaderError(ReaderError::Kind::Unsupported, Ansi("pasta de trabalho de versão anterior ao Excel 5"));
    if (r.type != kBof) Corrupt("fluxo da pasta de trabalho não começa por um registro BOF");
    const std::uint16_t version = U16At(r.data, 0);
    // 0x0600 is 97-2003 and 0x0500 is 5/95. Some writers leave the version
    // out; the stream's name tells then, since only 5/95 calls it "Book".
    biff5_ = version == 0x0500 || (version != 0x0600 && bookStream);

    std::vector<PendingSheet> sheets;
    while (cursor.Next(r)) {
      if (r.type == kEof || r.type == kBof) break;
      switch (r.type) {
        case kFilePass: {
          // Records are decrypted in place and keep their positions, so the
          // walk goes on over the decrypted data.
          const std::size_t at = static_cast<std::size_t>(r.data.data() - stream_.data());
          if (biff5_ || decrypted_ || !DecryptWorkbookStream(stream_, at, r.data.size()))
            throw ReaderError(ReaderError::Kind::Encrypted, Ansi("a pasta de trabalho está protegida por senha de abertura"));
          decrypted_ = true;
          break;
        }
        case kCodePage:
          codePage_.Set(U16At(r.data, 0));
          break;
        case kDateMode:
          // 1: the workbook counts its day serials from 1904-01-01.
          date1904_ = r.data.size() >= 2 && U16At(r.data, 0) == 1;
          break;
        case kBoundSheet:
          BoundSheet(r.data, sheets);
          break;
        case kSst: {
          std::vector<Bytes> segments{r.data};
          cursor.TakeContinues(segments);
          if (!biff5_) SharedStringTable(std::move(segments));
          break;
        }
        default:
          break;
      }
    }
    for (PendingSheet& s : sheets) {
      offsets_.push_back(s.offset);
      names_.push_back(biff5_ ? codePage_.Decode(s.rawName) : std::move(s.name));
    }
  }

  void BoundSheet(Bytes d, std::vector<PendingSheet>& sheets) {
    // Offset of the sheet's BOF record, visibility, kind, name. Hidden
    // worksheets are worksheets too; charts, macro sheets and modules are not.
    if (d.size() < 7) Corrupt("registro de planilha curto demais");
    const std::uint32_t offset = U32At(d, 0);
    const std::uint8_t kind = d[5];
    if (kind != 0) return;
    PendingSheet s{offset, {}, {}};
    if (biff5_) {
      const std::size_t count = d[6];
      if (d.size() - 7 < count) Corrupt("nome de planilha além do fim do registro");
      s.rawName = d.subspan(7, count);
    } else {
      SegmentReader reader(d.subspan(6));
      s.name = ReadUnicodeString(reader, true);
    }
    sheets.push_back(std::move(s));
  }

  void SharedStringTable(std::vector<Bytes> segments) {
    std::size_t bytes = 0;
    for (Bytes b : segments) bytes += b.size();
    SegmentReader reader(std::move(segments));
    reader.U32();  // references to the table in the workbook
    const std::uint32_t declared = reader.U32();
    // The declared count may lie in either direction: it only sizes the
    // table up front, bounded by what the data can hold (3 bytes at least
    // per text) and by a modest first allocation; the texts present are
    // read until the data ends.
    sst_.Reserve(std::min<std::size_t>({declared, bytes / 3, std::size_t{1} << 20}), bytes);
    while (!reader.AtEnd()) {
      if (sst_.Size() >= limits::kMaxSharedStrings)
        throw ReaderError(ReaderError::Kind::TooLarge, Ansi("tabela de textos compartilhados grande demais"));
      Text text = ReadUnicodeString(reader);
      Texts().Charge(text.size());
      sst_.Add(text);
    }
  }

  std::vector<unsigned char> stream_;
  bool biff5_ = false;
  bool decrypted_ = false;
  bool date1904_ = false;
  CodePage codePage_;
  SharedStrings sst_;
  std::vector<Text> names_;
  std::vector<std::size_t> offsets_;
};

}  // namespace

std::unique_ptr<WorkbookFile> OpenBiffWorkbook(std::vector<unsigned char> stream, bool bookStream) {
  return std::make_unique<XlsWorkbook>(std::move(stream), bookStream);
}

std::unique_ptr<WorkbookFile> OpenXlsWorkbookBytes(std::vector<unsigned char> file) {
  std::vector<unsigned char> stream;
  bool bookStream = false;
  {
    // The container's bytes are let go as soon as the workbook stream is out.
    cfb::CompoundFile container(std::move(file));
    if (cfb::IsEncryptedPackage(container))
      throw ReaderError(ReaderError::Kind::Encrypted, Ansi("a pasta de trabalho está protegida por senha de abertura"));
    auto workbook = container.ReadStream(u"Workbook");
    if (!workbook) {
      workbook = container.ReadStream(u"Book");
      bookStream = true;
    }
    if (!workbook) throw ReaderError(ReaderError::Kind::NotAWorkbook, Ansi("arquivo composto sem pasta de trabalho"));
    stream = std::move(*workbook);
  }
  return OpenBiffWorkbook(std::move(stream), bookStream);
}

std::unique_ptr<WorkbookFile> OpenXlsWorkbook(const std::string& path) {
  return OpenXlsWorkbookBytes(cfb::ReadWholeFile(path));
}

}  // namespace voske
