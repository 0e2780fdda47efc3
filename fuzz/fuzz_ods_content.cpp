// The content part of an OpenDocument spreadsheet, where every table, its
// repeated rows and cells and their values live; stored uncompressed in a
// package around it so that mutations reach the parser.
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_input_file.h"
#include "read_every_sheet.h"
#include "workbook/readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = voske::fuzz::InputPath("book.ods");
  int code = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!z) return 0;
  static const std::string_view kMimetype = "application/vnd.oasis.opendocument.spreadsheet";
  zip_source_t* mime = zip_source_buffer(z, kMimetype.data(), kMimetype.size(), 0);
  zip_source_t* content = zip_source_buffer(z, data, size, 0);
  const zip_int64_t m = mime ? zip_file_add(z, "mimetype", mime, ZIP_FL_OVERWRITE) : -1;
  if (m < 0 && mime) zip_source_free(mime);
  const zip_int64_t c = content ? zip_file_add(z, "content.xml", content, ZIP_FL_OVERWRITE) : -1;
  if (c < 0 && content) zip_source_free(content);
  if (m < 0 || c < 0) {
    zip_discard(z);
    return 0;
  }
  zip_set_file_compression(z, static_cast<zip_uint64_t>(m), ZIP_CM_STORE, 0);
  zip_set_file_compression(z, static_cast<zip_uint64_t>(c), ZIP_CM_STORE, 0);
  if (zip_close(z) != 0) {
    zip_discard(z);
    return 0;
  }
  try {
    auto book = voske::OpenOdsWorkbook(path);
    voske::fuzz::ReadEverySheet(*book, 2);  // the second time reads the content again
  } catch (const voske::ReaderError&) {
  }
  return 0;
}
