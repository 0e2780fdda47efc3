#pragma once
// The Office Open XML workbook (.xlsx, .xlsm): its structure and shared
// strings are read when it opens; each worksheet is parsed when asked for,
// straight from the zip entry as it inflates.
#include <memory>
#include <string>
#include <vector>

#include "workbook/workbook_file.h"
#include "workbook/xlsx_package.h"
#include "workbook/zip_archive.h"

namespace voske {

class XlsxWorkbook : public WorkbookFile {
 public:
  // Throws ReaderError.
  explicit XlsxWorkbook(const std::string& path);

  const std::vector<Text>& SheetNames() const override { return names_; }
  WorksheetArray ReadSheet(std::size_t index) override;
  using WorkbookFile::ReadSheet;

 private:
  std::string path_;
  std::unique_ptr<ZipArchive> archive_;
  XlsxStructure structure_;
  std::vector<Text> names_;
  std::vector<Text> sharedStrings_;
};

}  // namespace voske
