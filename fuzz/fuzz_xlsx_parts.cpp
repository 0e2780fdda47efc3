// The XML parts of an .xlsx, past the zip checksums that stop most mutations
// of whole files: the input is a worksheet part, a shared-string table and a
// workbook part separated by NUL bytes (which XML cannot hold), stored
// uncompressed in a package around them.
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_input_file.h"
#include "read_every_sheet.h"
#include "workbook/readers.h"

namespace {

constexpr const char* kPackageRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
constexpr const char* kWorkbookRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
constexpr const char* kWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
    "<sheet name=\"Plan1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";

bool Add(zip_t* z, const char* name, std::string_view content) {
  zip_source_t* src = zip_source_buffer(z, content.data(), content.size(), 0);
  if (!src) return false;
  const zip_int64_t index = zip_file_add(z, name, src, ZIP_FL_OVERWRITE);
  if (index < 0) {
    zip_source_free(src);
    return false;
  }
  zip_set_file_compression(z, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string_view parts[3] = {"", "", kWorkbook};
  std::size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t nul = input.find('\0', start);
    if (i < 2 || start < input.size()) parts[i] = input.substr(start, nul == std::string_view::npos ? nul : nul - start);
    if (nul == std::string_view::npos) break;
    start = nul + 1;
  }

  const std::string& path = voske::fuzz::InputPath("parts.xlsx");
  int code = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!z) return 0;
  if (!Add(z, "_rels/.rels", kPackageRels) || !Add(z, "xl/_rels/workbook.xml.rels", kWorkbookRels) ||
      !Add(z, "xl/worksheets/sheet1.xml", parts[0]) || !Add(z, "xl/sharedStrings.xml", parts[1]) ||
      !Add(z, "xl/workbook.xml", parts[2]) || zip_close(z) != 0) {
    zip_discard(z);
    return 0;
  }
  try {
    auto book = voske::OpenXlsxWorkbook(path);
    voske::fuzz::ReadEverySheet(*book);
  } catch (const voske::ReaderError&) {
  }
  return 0;
}
