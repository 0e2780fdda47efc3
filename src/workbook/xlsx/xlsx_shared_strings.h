#pragma once
// The shared-string table of a spreadsheet package: every text cell of type
// "s" names an entry by its index.
#include <cstdint>
#include <vector>

#include "text/text.h"
#include "workbook/zip_archive.h"

namespace voske {

// Reads the table. Each entry is the text of its runs joined (formatting
// dropped), without its phonetic guides, escapes undone, in Windows-1252.
// Throws ReaderError: Corrupt, or TooLarge past the reader's caps on count
// and total length.
std::vector<Text> ReadSharedStrings(ZipArchive& archive, std::uint64_t entry);

}  // namespace voske
