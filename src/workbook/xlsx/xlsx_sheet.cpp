#include "workbook/xlsx/xlsx_sheet.h"

#include <charconv>
#include <string>

#include "workbook/xlsx/ooxml_text.h"
#include "workbook/reader_limits.h"
#include "workbook/sheet_cells.h"
#include "workbook/workbook_file.h"
#include "workbook/xml_stream.h"

namespace voske {

namespace {

using Kind = ReaderError::Kind;

[[noreturn]] void CorruptSheet(const std::string& what) { throw ReaderError(Kind::Corrupt, what); }

// A row number as stored ("12"); past the grid is TooLarge, not Corrupt.
std::int32_t ParseRowNumber(std::string_view s) {
  if (s.empty()) CorruptSheet("empty row number");
  std::int64_t v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') CorruptSheet("row number \"" + std::string(s) + "\" is not a number");
    v = v * 10 + (c - '0');
    if (v > limits::kMaxRows) CheckCellPosition(v, 1);
  }
  if (v < 1) CorruptSheet("row number 0");
  return static_cast<std::int32_t>(v);
}

enum class CellType { Number, Shared, FormulaText, Inline, Boolean, Error, IsoDate };

CellType ParseCellType(const char* t) {
  if (!t) return CellType::Number;
  const std::string_view s(t);
  if (s == "n") return CellType::Number;
  if (s == "s") return CellType::Shared;
  if (s == "str") return CellType::FormulaText;
  if (s == "inlineStr") return CellType::Inline;
  if (s == "b") return CellType::Boolean;
  if (s == "e") return CellType::Error;
  if (s == "d") return CellType::IsoDate;
  CorruptSheet("unknown cell type \"" + std::string(s) + "\"");
}

class SheetHandler : public XmlHandler {
 public:
  explicit SheetHandler(const XlsxSheetContext& context) : context_(context), cells_(context.texts) {}

  void StartElement(std::string_view name, const char** attributes) override {
    if (!inSheetData_) {
      if (name == "sheetData") inSheetData_ = true;
      else if (name == "dimension") ExpectExtent(FindAttribute(attributes, "ref"));
      return;
    }
    if (inCell_) {
      StartInsideCell(name);
      return;
    }
    if (name == "row") {
      const char* r = FindAttribute(attributes, "r");
      row_ = r ? ParseRowNumber(r) : row_ + 1;
      if (row_ > limits::kMaxRows) CheckCellPosition(row_, 1);
      column_ = 0;
    } else if (name == "c") {
      StartCell(attributes);
    }
  }

  void EndElement(std::string_view name) override {
    if (!inSheetData_) return;
    if (inCell_) {
      if (name == "c") {
        EndCell();
      } else if (name == "v") {
        inValue_ = false;
      } else if (name == "t") {
        inText_ = false;
      } else if (name == "rPh") {
        if (phonetic_ > 0) --phonetic_;
      } else if (name == "is") {
        inInline_ = false;
      }
      return;
    }
    if (name == "sheetData") inSheetData_ = false;
  }

  void CharacterData(std::string_view text) override {
    if (inValue_) {
      value_.append(text);
    } else if (inText_) {
      inline_.append(text);
    } else {
      return;
    }
    // One cell holds at most 32,767 characters: a longer text is refused
    // before it is gathered whole.
    if (value_.size() + inline_.size() > limits::kMaxCellSourceBytes)
      throw ReaderError(Kind::TooLarge, "cell text longer than a cell holds, in " + Where());
  }

  SheetCells& cells() { return cells_; }

 private:
  // The declared extent of the cells: a hint only, since it also counts
  // cells that only carry formatting and may be wrong. It is believed only as
  // far as the part's size could hold that many cells, so that a small part
  // cannot make the reader set aside a large array.
  void ExpectExtent(const char* ref) {
    if (!ref) return;
    const std::string_view s(ref);
    const auto colon = s.find(':');
    try {
      std::int32_t r1 = 0, c1 = 0, r2 = 0, c2 = 0;
      ParseCellReference(s.substr(0, colon), r1, c1);
      if (colon == std::string_view::npos) {
        r2 = r1;
        c2 = c1;
      } else {
        ParseCellReference(s.substr(colon + 1), r2, c2);
      }
      if (r1 < 1 || r2 < r1 || c2 < c1) return;
      const std::uint64_t area = static_cast<std::uint64_t>(r2) * static_cast<std::uint64_t>(c2);
      if (area > context_.partBytes / 4 + 64) return;
      cells_.ExpectExtent(r2, c2);
    } catch (const ReaderError&) {
      // A bad hint is no reason to refuse the worksheet.
    }
  }

  void StartCell(const char** attributes) {
    const char* r = nullptr;
    const char* t = nullptr;
    for (const char** a = attributes; *a; a += 2) {
      const std::string_view n = LocalName(a[0]);
      if (n == "r") r = a[1];
      else if (n == "t") t = a[1];
    }
    std::int32_t row = 0, column = 0;
    if (r) ParseCellReference(r, row, column);
    if (row == 0) row = row_ < 1 ? 1 : row_;
    if (column == 0) column = column_ + 1;
    CheckCellPosition(row, column);
    cellRow_ = row;
    cellColumn_ = column;
    row_ = row;
    column_ = column;
    type_ = ParseCellType(t);
    inCell_ = true;
    hasValue_ = hasInline_ = inValue_ = inText_ = inInline_ = false;
    phonetic_ = 0;
    value_.clear();
    inline_.clear();
  }

  void StartInsideCell(std::string_view name) {
    if (name == "v") {
      inValue_ = true;
      hasValue_ = true;
    } else if (name == "is") {
      inInline_ = true;
      hasInline_ = true;
    } else if (name == "rPh") {
      ++phonetic_;
    } else if (name == "t" && inInline_ && phonetic_ == 0) {
      inText_ = true;
    }
  }

  void EndCell() {
    inCell_ = inValue_ = inText_ = inInline_ = false;
    Cell cell = MakeCell();
    if (!cell.IsEmpty()) cells_.Add(cellRow_, cellColumn_, std::move(cell));
  }

  Cell MakeCell() {
    switch (type_) {
      case CellType::Number: {
        if (!hasValue_ || IsBlank(value_)) return Cell();
        const auto v = ParseStoredNumber(value_);
        if (!v) CorruptSheet("number \"" + value_ + "\" in " + Where());
        return Cell::MakeNumber(*v);
      }
      case CellType::Shared: {
        if (!hasValue_ || IsBlank(value_)) return Cell();
        // An index, read as the whole number it must be: any other text
        // (a fraction, an exponent, a sign) names no entry.
        const std::string index = Trimmed(value_);
        std::uint64_t v = 0;
        const auto [end, ec] = std::from_chars(index.data(), index.data() + index.size(), v);
        const std::vector<Text>* table = context_.sharedStrings.get();
        if (ec != std::errc() || end != index.data() + index.size() || !table || v >= table->size())
          CorruptSheet("shared string \"" + value_ + "\" missing from the table, in " + Where());
        return Cell::MakeText(
            SharedText(std::shared_ptr<const Text>(context_.sharedStrings, &(*table)[static_cast<std::size_t>(v)])));
      }
      case CellType::FormulaText:
        if (!hasValue_) return Cell();
        return Cell::MakeText(DecodeStoredText(value_));
      case CellType::Inline:
        if (hasInline_) return Cell::MakeText(DecodeStoredText(inline_));
        if (hasValue_) return Cell::MakeText(DecodeStoredText(value_));
        return Cell();
      case CellType::Boolean: {
        if (!hasValue_ || IsBlank(value_)) return Cell();
        const std::string v = Trimmed(value_);
        if (v == "1" || v == "true") return Cell::MakeBoolean(true);
        if (v == "0" || v == "false") return Cell::MakeBoolean(false);
        CorruptSheet("boolean \"" + value_ + "\" in " + Where());
      }
      case CellType::Error:
        if (!hasValue_ || IsBlank(value_)) return Cell();
        return Cell::MakeError(DecodeStoredText(Trimmed(value_)));
      case CellType::IsoDate: {
        if (!hasValue_ || IsBlank(value_)) return Cell();
        const auto v = ParseIsoDateSerial(value_, context_.date1904);
        if (!v) CorruptSheet("date \"" + value_ + "\" in " + Where());
        return Cell::MakeNumber(*v);
      }
    }
    return Cell();
  }

  static bool IsBlank(const std::string& s) {
    for (char c : s)
      if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
  }
  static std::string Trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
  }
  std::string Where() const {
    return "row " + std::to_string(cellRow_) + ", column " + std::to_string(cellColumn_);
  }

  const XlsxSheetContext& context_;
  SheetCells cells_;
  std::string value_;   // text of <v>
  std::string inline_;  // text of the runs of <is>
  std::int32_t row_ = 0;
  std::int32_t column_ = 0;
  std::int32_t cellRow_ = 0;
  std::int32_t cellColumn_ = 0;
  CellType type_ = CellType::Number;
  int phonetic_ = 0;
  bool inSheetData_ = false;
  bool inCell_ = false;
  bool inValue_ = false;
  bool inInline_ = false;
  bool inText_ = false;
  bool hasValue_ = false;
  bool hasInline_ = false;
};

}  // namespace

void ParseCellReference(std::string_view s, std::int32_t& row, std::int32_t& column) {
  size_t i = 0;
  std::int64_t col = 0;
  while (i < s.size() && ((s[i] >= 'A' && s[i] <= 'Z') || (s[i] >= 'a' && s[i] <= 'z'))) {
    const char c = static_cast<char>(s[i] & ~0x20);
    col = col * 26 + (c - 'A' + 1);
    if (col > limits::kMaxColumns) CheckCellPosition(1, col);
    ++i;
  }
  if (i == 0) CorruptSheet("cell reference \"" + std::string(s) + "\" has no column");
  column = static_cast<std::int32_t>(col);
  row = 0;
  if (i == s.size()) return;
  row = ParseRowNumber(s.substr(i));
}

WorksheetArray ReadXlsxSheet(ZipArchive& archive, std::uint64_t entry, const XlsxSheetContext& context,
                             const std::atomic<bool>* cancel) {
  XlsxSheetContext withSize = context;
  withSize.partBytes = archive.DeclaredSize(entry);
  SheetHandler handler(withSize);
  ParseXmlPart(archive, entry, handler, *context.texts, cancel);
  return handler.cells().TakeArray();
}

}  // namespace voske
