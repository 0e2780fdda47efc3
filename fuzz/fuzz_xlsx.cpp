// Whole .xlsx files: the zip container, the package structure and every
// worksheet. Anything but a ReaderError escaping the reader is a finding.
#include <cstddef>
#include <cstdint>

#include "fuzz_input_file.h"
#include "read_every_sheet.h"
#include "workbook/readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = voske::fuzz::InputPath("book.xlsx");
  voske::fuzz::WriteInput(path, data, size);
  try {
    auto book = voske::OpenXlsxWorkbook(path);
    voske::fuzz::ReadEverySheet(*book);
    book->FindSheet(voske::Text("Dados Cadastrais"));
  } catch (const voske::ReaderError&) {
  }
  return 0;
}
