#pragma once
// The bounds every workbook reader enforces, so that no file, however built,
// can take the machine down. Beyond them a reader throws
// ReaderError(TooLarge) instead of allocating or looping without end.
#include <cstddef>
#include <cstdint>

namespace voske::limits {

// The spreadsheet's own grid.
inline constexpr std::int32_t kMaxRows = 1048576;
inline constexpr std::int32_t kMaxColumns = 16384;

// Cells of one worksheet's used area (rows x columns, empty ones included):
// 100,000 rows of 80 columns, or every row of 8 columns. The array stores
// only cells holding a value (about 40 bytes each, texts held once), so this
// bounds the builders' walk over the area more than memory.
inline constexpr std::size_t kMaxArrayCells = std::size_t{1} << 23;
// Cells holding a value in all the worksheets one generation reads, together
// (about 350 MB): without it, a few kilobytes of repeated rows per worksheet
// could each take the whole per-worksheet budget, thirty times over.
inline constexpr std::size_t kMaxGenerationCells = kMaxArrayCells;

// Depth of nested elements in any XML part. Real parts nest a dozen levels;
// the parser holds every open element, so an unclosed nest of millions of
// them would take gigabytes.
inline constexpr std::size_t kMaxXmlDepth = 256;

// Decompressed size of any one part of a zip package. Worksheets are parsed
// as they inflate and never held whole, so this bounds time, not memory.
inline constexpr std::uint64_t kMaxPartBytes = std::uint64_t{1} << 30;
// Past this many decompressed bytes, a part may not inflate to more than
// kMaxCompressionRatio times its compressed size: real worksheets stay far
// below, zip bombs far above.
inline constexpr std::uint64_t kRatioCheckFloor = std::uint64_t{64} << 20;
inline constexpr std::uint64_t kMaxCompressionRatio = 250;

// Attributes of one XML element, namespace declarations included. Real
// parts carry a few dozen at most; the XML parser compares every attribute
// of an element with every other one, so 600,000 of them took two minutes.
inline constexpr std::size_t kMaxXmlAttributes = 1000;

// The shared-string table is held in memory for the whole workbook; its
// texts count against the workbook's text budget below.
inline constexpr std::size_t kMaxSharedStrings = std::size_t{1} << 23;

// Characters of one cell, as the spreadsheet programs allow.
inline constexpr std::size_t kMaxCellCharacters = 32767;
// Bytes a cell's text may take in the file before it is decoded: UTF-8 needs
// up to four a character, an escape such as "_x0041_" seven, a character
// beyond the basic plane fourteen as two escapes.
inline constexpr std::size_t kMaxCellSourceBytes = 16 * kMaxCellCharacters;
// The texts one open workbook yields (one generation, one listing), in all:
// every cell's text each time a worksheet shows it (a shared or repeated text
// once per cell), and every attribute value of its XML parts. A real return
// holds a few megabytes of them; the benchmark's 2.4 million cells, about
// 60 MB. The texts are held in memory, so this bounds them, with the cell
// budget, well below a gigabyte.
inline constexpr std::uint64_t kMaxWorkbookTextBytes = std::uint64_t{256} << 20;

}  // namespace voske::limits
