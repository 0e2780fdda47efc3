#include "workbook/xls/xls_sheet.h"

#include <algorithm>
#include <string>

#include "text/cp1252.h"
#include "workbook/sheet_cells.h"
#include "workbook/workbook_file.h"

namespace voske::biff {
namespace {

[[noreturn]] void TooLarge(const std::string& utf8Detail) {
  throw ReaderError(ReaderError::Kind::TooLarge, Ansi(utf8Detail));
}

// The worksheet substream is walked once, each cell holding a value gathered
// as its record comes.
class SheetWalker {
 public:
  SheetWalker(const BookContext& book, SheetCells* out) : book_(book), out_(out) {}

  void Walk(std::size_t offset) {
    if (offset >= book_.stream.size()) Corrupt("planilha fora do fluxo da pasta de trabalho");
    RecordCursor cursor(book_.stream, offset);
    Record r;
    if (!cursor.Next(r) || r.type != kBof) Corrupt("planilha não começa por um registro BOF");
    // Charts embedded in a worksheet are substreams of their own, nested
    // inside it; their records are not cells of the worksheet.
    int depth = 1;
    while (depth > 0 && cursor.Next(r)) {
      if (r.type == kBof) {
        ++depth;
      } else if (r.type == kEof) {
        --depth;
      } else if (depth == 1) {
        Dispatch(r, cursor);
      }
    }
  }

 private:
  void Dispatch(const Record& r, RecordCursor& cursor) {
    const Bytes d = r.data;
    switch (r.type) {
      case kNumber:
        Put(d, F64At(d, 6));
        break;
      case kRk:
        Put(d, RkValue(U32At(d, 6)));
        break;
      case kMulRk:
        MulRk(d);
        break;
      case kLabelSst: {
        const std::uint32_t index = U32At(d, 6);
        if (!Place(d)) break;
        if (index >= book_.sst->Size()) Corrupt("referência a um texto compartilhado inexistente");
        Set(Cell::MakeText(book_.sst->Shared(index)));
        break;
      }
      case kLabel:
      case kRString:
        if (!Place(d)) break;
        Set(Cell::MakeText(CellString(d, 6, cursor)));
        break;
      case kBoolErr:
        if (!Place(d)) break;
        if (d.size() < 8) Corrupt("registro de valor lógico curto demais");
        Set(d[7] ? Cell::MakeError(ErrorLiteral(d[6])) : Cell::MakeBoolean(d[6] != 0));
        break;
      case kFormula:
        Formula(d);
        break;
      case kString:
        if (pendingString_) {
          pendingString_ = false;
          row_ = pendingRow_;
          col_ = pendingCol_;
          if (out_) Set(Cell::MakeText(CellString(d, 0, cursor)));
        }
        break;
      default:
        break;
    }
  }

  // Reads the row and column at the start of a cell record into row_ and
  // col_ and checks them against the format's bounds. Returns true: every
  // cell record is filled in as it comes.
  bool Place(Bytes d, std::uint32_t lastCol = 0) {
    row_ = U16At(d, 0);
    col_ = U16At(d, 2);
    const std::uint32_t right = std::max<std::uint32_t>(col_, lastCol);
    if (right >= kXlsColumns) TooLarge("planilha com colunas além da coluna 256, o limite do formato .xls");
    return true;
  }

  void Set(Cell cell) {
    out_->Add(static_cast<std::int32_t>(row_) + 1, static_cast<std::int32_t>(col_) + 1, std::move(cell));
  }

  void Put(Bytes d, double value) {
    if (Place(d)) Set(Cell::MakeNumber(value));
  }

  void MulRk(Bytes d) {
    // Row, first column, then (format, RK value) pairs of 6 bytes, then the
    // last column. The pair count follows from the length.
    if (d.size() < 6) Corrupt("registro de números curto demais");
    const std::size_t count = (d.size() - 6) / 6;
    if (count == 0) return;
    const std::uint32_t first = U16At(d, 2);
    if (!Place(d, first + static_cast<std::uint32_t>(count) - 1)) return;
    const std::uint16_t row = U16At(d, 0);
    for (std::size_t i = 0; i < count; ++i) {
      row_ = row;
      col_ = first + static_cast<std::uint32_t>(i);
      Set(Cell::MakeNumber(RkValue(U32At(d, 4 + 6 * i + 2))));
    }
  }

  void Formula(Bytes d) {
    // The cached result of the last calculation: a double, or, when its
    // last two bytes are FFFF, a tagged value.
    if (d.size() < 14) Corrupt("registro de fórmula curto demais");
    const bool fill = Place(d);
    pendingString_ = false;
    if (U16At(d, 12) != 0xFFFF) {
      if (fill) Set(Cell::MakeNumber(F64At(d, 6)));
      return;
    }
    switch (d[6]) {
      case 0:  // a text, in the STRING record that follows
        pendingString_ = true;
        pendingRow_ = row_;
        pendingCol_ = col_;
        if (fill) Set(Cell::MakeText(Text()));
        break;
      case 1:
        if (fill) Set(Cell::MakeBoolean(d[8] != 0));
        break;
      case 2:
        if (fill) Set(Cell::MakeError(ErrorLiteral(d[8])));
        break;
      default:  // 3: the empty text
        if (fill) Set(Cell::MakeText(Text()));
        break;
    }
  }

  Text CellString(Bytes d, std::size_t offset, RecordCursor& cursor) {
    if (book_.biff5) return ReadByteString(d, offset, *book_.codePage, false);
    if (offset > d.size()) Corrupt("texto além do fim do registro");
    std::vector<Bytes> segments{d.subspan(offset)};
    cursor.TakeContinues(segments);
    SegmentReader reader(std::move(segments));
    return ReadUnicodeString(reader);
  }

  const BookContext& book_;
  SheetCells* out_;
  std::uint32_t row_ = 0, col_ = 0;
  bool pendingString_ = false;
  std::uint32_t pendingRow_ = 0, pendingCol_ = 0;
};

}  // namespace

void SharedStrings::Reserve(std::size_t count, std::size_t bytes) {
  ends_.reserve(count);
  chars_.reserve(bytes);
}

void SharedStrings::Add(const Text& text) {
  chars_ += text;
  ends_.push_back(static_cast<std::uint32_t>(chars_.size()));
}

std::string_view SharedStrings::operator[](std::size_t i) const {
  const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
  return std::string_view(chars_).substr(begin, ends_[i] - begin);
}

SharedText SharedStrings::Shared(std::size_t i) const {
  if (made_.size() != ends_.size()) made_.resize(ends_.size());
  if (made_[i].empty()) made_[i] = SharedText(Text((*this)[i]));
  return made_[i];
}

Text ErrorLiteral(std::uint8_t code) {
  switch (code) {
    case 0x00: return "#NULL!";
    case 0x07: return "#DIV/0!";
    case 0x0F: return "#VALUE!";
    case 0x17: return "#REF!";
    case 0x1D: return "#NAME?";
    case 0x24: return "#NUM!";
    default: return "#N/A";
  }
}

WorksheetArray ReadWorksheet(const BookContext& book, std::size_t offset) {
  SheetCells cells(book.texts);
  SheetWalker walker(book, &cells);
  walker.Walk(offset);
  return cells.TakeArray();
}

}  // namespace voske::biff
