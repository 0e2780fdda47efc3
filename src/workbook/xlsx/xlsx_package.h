#pragma once
// The structure of an Office Open XML spreadsheet package: where its workbook
// part is, which worksheets it lists in which order, where each one's part
// and the shared-string table are, and its date system.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"
#include "workbook/text_budget.h"
#include "workbook/zip_archive.h"

namespace voske {

struct XlsxSheetEntry {
  Text name;          // Windows-1252
  std::string part;   // normalized part name inside the package
};

struct XlsxStructure {
  std::vector<XlsxSheetEntry> sheets;       // worksheets in workbook order
  std::optional<std::string> sharedStrings;  // part name, when there is a table
  bool date1904 = false;
};

// Reads the package's relationships and workbook part. Throws ReaderError:
// Unsupported for a binary or OpenDocument spreadsheet, NotAWorkbook for a zip
// that holds no spreadsheet, Corrupt for a broken one, TooLarge once the
// attribute values read exhaust `texts`.
XlsxStructure ReadXlsxStructure(ZipArchive& archive, TextBudget& texts);

// The part a relationship target names, relative to the folder of the part
// that holds the relationship (an absolute target starts at the package
// root); percent escapes decoded, "." and ".." resolved.
std::string ResolvePartName(std::string_view sourcePart, std::string_view target);

}  // namespace voske
