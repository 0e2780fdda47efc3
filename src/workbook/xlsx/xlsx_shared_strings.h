#pragma once
// The shared-string table of a spreadsheet package: every text cell of type
// "s" names an entry by its index.
#include <cstdint>
#include <vector>

#include "text/text.h"
#include "workbook/text_budget.h"
#include "workbook/zip_archive.h"

namespace voske {

// Reads the table. Each entry is the text of its runs joined (formatting
// dropped), without its phonetic guides, escapes undone, in Windows-1252;
// its length counts against `texts`. Throws ReaderError: Corrupt, or
// TooLarge past the reader's cap on the count, for an entry longer than a
// cell holds, or once `texts` is exhausted.
std::vector<Text> ReadSharedStrings(ZipArchive& archive, std::uint64_t entry, TextBudget& texts);

}  // namespace voske
