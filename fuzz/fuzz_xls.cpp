// .xls files: the compound file, the workbook stream's records, and every
// worksheet. An input that is not a compound file is taken as a workbook
// stream on its own, so that mutations reach the records directly too.
// Anything but a ReaderError escaping the reader is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "read_every_sheet.h"
#include "workbook/xls/cfb.h"
#include "workbook/xls/xls_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<unsigned char> bytes(data, data + size);
  try {
    std::unique_ptr<voske::WorkbookFile> book;
    if (voske::cfb::HasSignature(bytes)) {
      book = voske::OpenXlsWorkbookBytes(std::move(bytes));
    } else {
      // The last byte says whether the stream came from a "Book" stream.
      const bool bookStream = size > 0 && (data[size - 1] & 1);
      book = voske::OpenBiffWorkbook(std::move(bytes), bookStream);
    }
    voske::fuzz::ReadEverySheet(*book);
    book->FindSheet(voske::Text("Dados Cadastrais"));
  } catch (const voske::ReaderError&) {
  }
  return 0;
}
