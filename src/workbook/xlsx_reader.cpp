#include "workbook/xlsx_reader.h"

#include "workbook/readers.h"
#include "workbook/xlsx_shared_strings.h"
#include "workbook/xlsx_sheet.h"

namespace voske {

XlsxWorkbook::XlsxWorkbook(const std::string& path)
    : path_(path), archive_(std::make_unique<ZipArchive>(path)), structure_(ReadXlsxStructure(*archive_)) {
  for (const XlsxSheetEntry& s : structure_.sheets) names_.push_back(s.name);
  if (structure_.sharedStrings) {
    if (const auto entry = archive_->Find(*structure_.sharedStrings))
      sharedStrings_ = ReadSharedStrings(*archive_, *entry);
  }
}

WorksheetArray XlsxWorkbook::ReadSheet(std::size_t index) {
  if (index >= structure_.sheets.size())
    throw ReaderError(ReaderError::Kind::SheetNotFound, "no worksheet at position " + std::to_string(index));
  const auto entry = archive_->Find(structure_.sheets[index].part);
  if (!entry) throw ReaderError(ReaderError::Kind::Corrupt, "worksheet part missing");
  return ReadXlsxSheet(*archive_, *entry, XlsxSheetContext{&sharedStrings_, structure_.date1904});
}

std::unique_ptr<WorkbookFile> OpenXlsxWorkbook(const std::string& path) {
  return std::make_unique<XlsxWorkbook>(path);
}

}  // namespace voske
