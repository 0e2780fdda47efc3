#include "workbook/ods/ods_reader.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "text/cp1252.h"
#include "workbook/xlsx/ooxml_text.h"
#include "workbook/reader_limits.h"
#include "workbook/readers.h"
#include "workbook/sheet_cells.h"
#include "workbook/xml_stream.h"

namespace voske {

namespace {

using Kind = ReaderError::Kind;

// Worksheet arrays read at open and not yet asked for may hold this many cells
// in all; the others are read again when asked for.
constexpr std::size_t kKeptCells = limits::kMaxArrayCells / 2;

constexpr std::size_t kAllTables = static_cast<std::size_t>(-1);

// A repeat count as stored; absent or bad counts are 1. Counts beyond any
// grid are cut to a size that still lies beyond it, so that the sums of many
// of them stay far from overflowing.
std::int64_t Repeat(const char* value) {
  if (!value) return 1;
  char* end = nullptr;
  const long long n = std::strtoll(value, &end, 10);
  if (end == value || n < 1) return 1;
  return n < (1LL << 31) ? n : (1LL << 31);
}

// "PT12H30M15.5S" (and "-PT...", days "P1DT2H") as a fraction of a day.
std::optional<double> ParseDuration(std::string_view s) {
  bool negative = false;
  if (!s.empty() && s.front() == '-') {
    negative = true;
    s.remove_prefix(1);
  }
  if (s.empty() || s.front() != 'P') return std::nullopt;
  s.remove_prefix(1);
  double days = 0;
  bool inTime = false, any = false;
  while (!s.empty()) {
    if (s.front() == 'T') {
      inTime = true;
      s.remove_prefix(1);
      continue;
    }
    size_t n = 0;
    while (n < s.size() && ((s[n] >= '0' && s[n] <= '9') || s[n] == '.')) ++n;
    if (n == 0 || n == s.size()) return std::nullopt;
    const auto v = ParseStoredNumber(s.substr(0, n));
    if (!v) return std::nullopt;
    const char unit = s[n];
    if (unit == 'D' && !inTime) days += *v;
    else if (unit == 'H' && inTime) days += *v / 24;
    else if (unit == 'M' && inTime) days += *v / 1440;
    else if (unit == 'S' && inTime) days += *v / 86400;
    else return std::nullopt;
    any = true;
    s.remove_prefix(n + 1);
  }
  if (!any) return std::nullopt;
  return negative ? -days : days;
}

class ContentHandler : public XmlHandler {
 public:
  // Reads the names of every table, and the cells of table `wanted` (or of
  // every table) into `tables`; their texts count against `texts`.
  ContentHandler(std::size_t wanted, std::vector<Text>& names, std::vector<OdsWorkbook::Table>& tables,
                 TextBudget& texts)
      : wanted_(wanted), names_(names), tables_(tables), texts_(texts), cells_(&texts) {}

  void StartElement(std::string_view name, const char** attributes) override {
    if (inAnnotation_ > 0) {
      if (name == "annotation") ++inAnnotation_;
      return;
    }
    if (name == "table") {
      ++tableDepth_;
      if (tableDepth_ == 1) StartTable(attributes);
      return;
    }
    if (name == "null-date" && tableDepth_ == 0) {
      const char* v = FindAttribute(attributes, "date-value");
      date1904_ = v && std::string_view(v).substr(0, 10) == "1904-01-01";
      return;
    }
    if (tableDepth_ != 1 || !collecting_) return;
    if (name == "table-row") {
      rowRepeat_ = Repeat(FindAttribute(attributes, "number-rows-repeated"));
      column_ = 0;
      rowCells_.clear();
    } else if (name == "table-cell" || name == "covered-table-cell") {
      StartCell(attributes);
    } else if (inCell_) {
      if (name == "annotation") {
        ++inAnnotation_;  // a comment on the cell, not its value
      } else if (name == "p") {
        if (paragraphs_++ > 0) Append(1, '\n');
        ++inParagraph_;
      } else if (name == "s" && inParagraph_) {
        // Blanks written as a count: thirty bytes of file that may ask for
        // a million of them.
        Append(Repeat(FindAttribute(attributes, "c")), ' ');
      } else if (name == "tab" && inParagraph_) {
        Append(1, '\t');
      } else if (name == "line-break" && inParagraph_) {
        Append(1, '\n');
      }
    }
  }

  void EndElement(std::string_view name) override {
    if (inAnnotation_ > 0) {
      if (name == "annotation") --inAnnotation_;
      return;
    }
    if (name == "table") {
      if (tableDepth_ == 1) EndTable();
      if (tableDepth_ > 0) --tableDepth_;
      return;
    }
    if (tableDepth_ != 1 || !collecting_) return;
    if (name == "p") {
      if (inParagraph_ > 0) --inParagraph_;
    } else if (name == "table-cell" || name == "covered-table-cell") {
      if (inCell_) EndCell();
    } else if (name == "table-row") {
      EndRow();
    }
  }

  void CharacterData(std::string_view text) override {
    if (!inCell_ || inParagraph_ == 0 || inAnnotation_ > 0) return;
    if (text_.size() + text.size() > limits::kMaxCellSourceBytes) TooLongCell();
    text_.append(text);
  }

  bool date1904() const { return date1904_; }

 private:
  // The cell's text grows by `count` copies of `c`; a cell is refused as
  // soon as its text could no longer fit, before the text is made. (Its
  // characters are counted once it is decoded.)
  void Append(std::int64_t count, char c) {
    if (static_cast<std::uint64_t>(count) > limits::kMaxCellSourceBytes - text_.size()) TooLongCell();
    text_.append(static_cast<std::size_t>(count), c);
  }
  [[noreturn]] static void TooLongCell() {
    throw ReaderError(Kind::TooLarge, "a table cell holds more than " + std::to_string(limits::kMaxCellCharacters) +
                                          " characters");
  }

  void StartTable(const char** attributes) {
    const char* n = FindAttribute(attributes, "name");
    const std::size_t index = names_.size();
    if (index >= 65535) throw ReaderError(Kind::TooLarge, "document holds too many tables");
    names_.push_back(n ? FromUtf8(n) : Text());
    if (tables_.size() < names_.size()) tables_.resize(names_.size());
    collecting_ = wanted_ == kAllTables || wanted_ == index;
    failed_ = false;
    cells_ = SheetCells(&texts_);
    row_ = 0;
  }

  void EndTable() {
    if (!collecting_) return;
    OdsWorkbook::Table& table = tables_[names_.size() - 1];
    collecting_ = false;
    if (failed_) return;
    try {
      WorksheetArray array = cells_.TakeArray();
      const std::size_t size = static_cast<std::size_t>(array.Rows()) * static_cast<std::size_t>(array.Columns());
      if (wanted_ == kAllTables && kept_ + size > kKeptCells) return;  // read again when asked for
      kept_ += size;
      table.array = std::move(array);
      table.kept = true;
    } catch (const ReaderError&) {
      table.failure = std::current_exception();
    }
  }

  void StartCell(const char** attributes) {
    inCell_ = true;
    paragraphs_ = 0;
    inParagraph_ = 0;
    text_.clear();
    columnRepeat_ = Repeat(FindAttribute(attributes, "number-columns-repeated"));
    error_ = false;
    hasStringValue_ = false;
    type_.clear();
    number_.clear();
    for (const char** a = attributes; *a; a += 2) {
      const std::string_view full(a[0]);
      const std::string_view local = LocalName(a[0]);
      if (full == "calcext:value-type") {
        error_ = std::string_view(a[1]) == "error";
      } else if (local == "value-type") {
        type_ = a[1];
      } else if (local == "value" || local == "date-value" || local == "time-value" || local == "boolean-value") {
        number_ = a[1];
      } else if (local == "string-value") {
        if (std::strlen(a[1]) > limits::kMaxCellSourceBytes) TooLongCell();
        hasStringValue_ = true;
        stringValueText_ = a[1];
      }
    }
  }

  Cell MakeCell() {
    if (error_) return text_.empty() ? Cell() : Cell::MakeError(FromUtf8(text_));
    if (type_ == "float" || type_ == "percentage" || type_ == "currency") {
      const auto v = ParseStoredNumber(number_);
      if (!v) throw ReaderError(Kind::Corrupt, "number \"" + number_ + "\" in a table cell");
      return Cell::MakeNumber(*v);
    }
    if (type_ == "date") {
      const auto v = ParseIsoDateSerial(number_, date1904_);
      if (!v) throw ReaderError(Kind::Corrupt, "date \"" + number_ + "\" in a table cell");
      return Cell::MakeNumber(*v);
    }
    if (type_ == "time") {
      const auto v = ParseDuration(number_);
      if (!v) throw ReaderError(Kind::Corrupt, "time \"" + number_ + "\" in a table cell");
      return Cell::MakeNumber(*v);
    }
    if (type_ == "boolean") {
      if (number_ == "true" || number_ == "1") return Cell::MakeBoolean(true);
      if (number_ == "false" || number_ == "0") return Cell::MakeBoolean(false);
      throw ReaderError(Kind::Corrupt, "boolean \"" + number_ + "\" in a table cell");
    }
    if (hasStringValue_) return Cell::MakeText(FromUtf8(stringValueText_));
    if (type_ == "string" || (type_.empty() && paragraphs_ > 0)) return Cell::MakeText(FromUtf8(text_));
    return Cell();
  }

  // In the pass over every table, a table that breaks a rule or a cap is
  // set aside with its error, for the caller to meet only if it asks for
  // that worksheet; the other tables still read.
  template <typename Body>
  void Guarded(Body body) {
    if (failed_) return;
    try {
      body();
    } catch (const ReaderError&) {
      if (wanted_ != kAllTables) throw;
      failed_ = true;
      rowCells_.clear();
      tables_[names_.size() - 1].failure = std::current_exception();
    }
  }

  void EndCell() {
    inCell_ = false;
    Guarded([this] { PlaceCell(); });
  }

  void PlaceCell() {
    Cell cell = MakeCell();
    const std::int64_t first = column_ + 1;
    column_ += columnRepeat_;
    if (cell.IsEmpty()) return;
    if (column_ > limits::kMaxColumns) CheckCellPosition(1, column_);
    for (std::int64_t c = first; c <= column_; ++c) rowCells_.emplace_back(static_cast<std::int32_t>(c), cell);
    if (rowCells_.size() > limits::kMaxArrayCells) throw ReaderError(Kind::TooLarge, "row holds too many cells");
  }

  void EndRow() {
    const std::int64_t first = row_ + 1;
    row_ += rowRepeat_;
    Guarded([&] {
      if (rowCells_.empty()) return;
      // Empty rows may run to the edge of the grid; a value may not.
      if (row_ > limits::kMaxRows) CheckCellPosition(row_, 1);
      // A row of values repeated beyond what any array holds is refused
      // before a single copy is made.
      if (static_cast<std::uint64_t>(rowRepeat_) * rowCells_.size() > limits::kMaxArrayCells ||
          static_cast<std::uint64_t>(row_ + 2) * static_cast<std::uint64_t>(rowCells_.back().first) >
              limits::kMaxArrayCells)
        throw ReaderError(Kind::TooLarge, "repeated rows beyond the reader's budget");
      for (std::int64_t r = first; r <= row_; ++r)
        for (const auto& [column, cell] : rowCells_) cells_.Add(static_cast<std::int32_t>(r), column, cell);
    });
    rowCells_.clear();
  }

  std::size_t wanted_;
  std::vector<Text>& names_;
  std::vector<OdsWorkbook::Table>& tables_;
  TextBudget& texts_;
  SheetCells cells_;
  std::vector<std::pair<std::int32_t, Cell>> rowCells_;
  std::string text_;
  std::string type_, number_, stringValueText_;
  std::size_t kept_ = 0;
  std::int64_t row_ = 0, rowRepeat_ = 1, column_ = 0, columnRepeat_ = 1;
  int tableDepth_ = 0, inAnnotation_ = 0, inParagraph_ = 0, paragraphs_ = 0;
  bool collecting_ = false, failed_ = false, inCell_ = false, error_ = false, hasStringValue_ = false;
  bool date1904_ = false;
};

// Whether the manifest lists content.xml with encryption data.
class ManifestHandler : public XmlHandler {
 public:
  void StartElement(std::string_view name, const char** attributes) override {
    if (name == "file-entry") {
      const char* path = FindAttribute(attributes, "full-path");
      inContent_ = path && std::string_view(path) == "content.xml";
    } else if (name == "encryption-data" && inContent_) {
      encrypted = true;
    }
  }
  void EndElement(std::string_view name) override {
    if (name == "file-entry") inContent_ = false;
  }
  void CharacterData(std::string_view) override {}
  bool encrypted = false;

 private:
  bool inContent_ = false;
};

}  // namespace

bool IsOdsPackage(ZipArchive& archive) {
  const auto mimetype = archive.Find("mimetype");
  if (!mimetype) return false;
  return archive.ReadAll(*mimetype, 4096).rfind("application/vnd.oasis.opendocument.spreadsheet", 0) == 0;
}

OdsWorkbook::OdsWorkbook(const std::string& path) : archive_(std::make_unique<ZipArchive>(path)) {
  if (const auto manifest = archive_->Find("META-INF/manifest.xml")) {
    ManifestHandler m;
    ParseXmlPart(*archive_, *manifest, m, Texts());
    if (m.encrypted) throw ReaderError(Kind::Encrypted, "OpenDocument content is encrypted");
  }
  const auto content = archive_->Find("content.xml");
  if (!content) throw ReaderError(Kind::Corrupt, "OpenDocument spreadsheet without content.xml");
  content_ = *content;
  ContentHandler handler(kAllTables, names_, tables_, Texts());
  ParseXmlPart(*archive_, content_, handler, Texts());
  date1904_ = handler.date1904();
}

WorksheetArray OdsWorkbook::ReadSheet(std::size_t index) {
  if (index >= tables_.size())
    throw ReaderError(ReaderError::Kind::SheetNotFound, "no worksheet at position " + std::to_string(index));
  Table& table = tables_[index];
  if (table.failure) std::rethrow_exception(table.failure);
  if (table.kept) {
    table.kept = false;
    WorksheetArray array = std::move(table.array);
    table.array = WorksheetArray();
    return array;
  }
  // Not kept, or already handed out: read the content again for this table.
  std::vector<Text> names;
  std::vector<Table> tables;
  ContentHandler handler(index, names, tables, Texts());
  ParseXmlPart(*archive_, content_, handler, Texts());
  if (index >= tables.size() || !tables[index].kept) throw ReaderError(Kind::Corrupt, "table vanished on a second reading");
  return std::move(tables[index].array);
}

std::unique_ptr<WorkbookFile> OpenOdsWorkbook(const std::string& path) { return std::make_unique<OdsWorkbook>(path); }

}  // namespace voske
