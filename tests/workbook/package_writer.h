#pragma once
// Hand-made spreadsheet packages for the reader tests: what no spreadsheet
// writer will produce on request (odd prefixes, escapes, ISO dates, broken or
// hostile parts) is written here part by part.
#include <zip.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace voske::support {

using Parts = std::vector<std::pair<std::string, std::string>>;

// Writes `parts` (name, content) as a zip archive at `path`, deflated.
inline void WriteZip(const std::string& path, const Parts& parts) {
  int code = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!z) throw std::runtime_error("cannot create " + path);
  for (const auto& [name, content] : parts) {
    zip_source_t* src = zip_source_buffer(z, content.data(), content.size(), 0);
    if (!src || zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE) < 0) {
      if (src) zip_source_free(src);
      zip_discard(z);
      throw std::runtime_error("cannot add " + name);
    }
  }
  if (zip_close(z) != 0) {
    zip_discard(z);
    throw std::runtime_error("cannot write " + path);
  }
}

inline const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// A worksheet part around the given <sheetData> content.
inline std::string SheetXml(const std::string& sheetData) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet xmlns=\"") + kMainNs +
         "\"><sheetData>" + sheetData + "</sheetData></worksheet>";
}

// A shared-string table of the given <si> items.
inline std::string SharedStringsXml(const std::string& items) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst xmlns=\"") + kMainNs + "\">" + items +
         "</sst>";
}

// A complete package: worksheets (name, part content) in order, an optional
// shared-string table, and extra <workbookPr> attributes ("date1904=\"1\"").
inline Parts Package(const std::vector<std::pair<std::string, std::string>>& sheets,
                     const std::string& sharedStrings = "", const std::string& workbookPr = "") {
  Parts parts;
  parts.emplace_back("[Content_Types].xml",
                     "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                     "content-types\"/>");
  parts.emplace_back("_rels/.rels",
                     std::string("<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/"
                                 "package/2006/relationships\"><Relationship Id=\"rId1\" Type=\"") +
                         kRelNs + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
  std::string workbook = std::string("<?xml version=\"1.0\"?><workbook xmlns=\"") + kMainNs + "\" xmlns:r=\"" +
                         kRelNs + "\"><workbookPr " + workbookPr + "/><sheets>";
  std::string rels =
      "<?xml version=\"1.0\"?><Relationships "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (size_t i = 0; i < sheets.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    workbook += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRelNs + "/worksheet\" Target=\"worksheets/sheet" + n +
            ".xml\"/>";
    parts.emplace_back("xl/worksheets/sheet" + n + ".xml", sheets[i].second);
  }
  if (!sharedStrings.empty()) {
    rels += std::string("<Relationship Id=\"rIdS\" Type=\"") + kRelNs +
            "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    parts.emplace_back("xl/sharedStrings.xml", sharedStrings);
  }
  workbook += "</sheets></workbook>";
  rels += "</Relationships>";
  parts.emplace_back("xl/workbook.xml", workbook);
  parts.emplace_back("xl/_rels/workbook.xml.rels", rels);
  return parts;
}

}  // namespace voske::support
