#include "workbook/xlsx/xlsx_package.h"

#include <map>

#include "workbook/xlsx/ooxml_text.h"
#include "workbook/workbook_file.h"
#include "workbook/xml_stream.h"

namespace voske {

namespace {

using Kind = ReaderError::Kind;

struct Relationship {
  std::string type;
  std::string part;  // resolved part name
};

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// The type of a relationship by its last path segment, which the
// transitional and the strict namespaces share.
bool IsType(const std::string& type, std::string_view kind) {
  return EndsWith(type, kind) && type.size() > kind.size() && type[type.size() - kind.size() - 1] == '/';
}

class RelationshipsHandler : public XmlHandler {
 public:
  RelationshipsHandler(std::string source, std::map<std::string, Relationship>& out)
      : source_(std::move(source)), out_(out) {}

  void StartElement(std::string_view name, const char** attributes) override {
    if (name != "Relationship") return;
    const char* id = FindAttribute(attributes, "Id");
    const char* type = FindAttribute(attributes, "Type");
    const char* target = FindAttribute(attributes, "Target");
    const char* mode = FindAttribute(attributes, "TargetMode");
    if (!id || !type || !target) return;
    if (mode && std::string_view(mode) == "External") return;
    out_.emplace(id, Relationship{type, ResolvePartName(source_, target)});
  }
  void EndElement(std::string_view) override {}
  void CharacterData(std::string_view) override {}

 private:
  std::string source_;
  std::map<std::string, Relationship>& out_;
};

// The relationships of `part` ("" for the package itself), by id.
std::map<std::string, Relationship> ReadRelationships(ZipArchive& archive, const std::string& part,
                                                      TextBudget& texts) {
  std::map<std::string, Relationship> rels;
  const auto slash = part.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
  const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
  const auto entry = archive.Find(folder + "_rels/" + file + ".rels");
  if (!entry) return rels;
  RelationshipsHandler handler(part, rels);
  ParseXmlPart(archive, *entry, handler, texts);
  return rels;
}

class WorkbookHandler : public XmlHandler {
 public:
  struct Listed {
    std::string name;  // UTF-8 as stored
    std::string relationship;
  };

  void StartElement(std::string_view name, const char** attributes) override {
    if (name == "workbookPr") {
      if (const char* v = FindAttribute(attributes, "date1904"))
        date1904 = std::string_view(v) == "1" || std::string_view(v) == "true";
    } else if (name == "sheets") {
      inSheets_ = true;
    } else if (name == "sheet" && inSheets_) {
      const char* sheetName = FindAttribute(attributes, "name");
      // The relationship id is the only attribute named "id" here, whatever
      // prefix the writer gave its namespace.
      const char* rel = FindAttribute(attributes, "id");
      if (sheetName && rel) sheets.push_back(Listed{sheetName, rel});
      if (sheets.size() > 65535) throw ReaderError(Kind::TooLarge, "workbook lists too many sheets");
    }
  }
  void EndElement(std::string_view name) override {
    if (name == "sheets") inSheets_ = false;
  }
  void CharacterData(std::string_view) override {}

  std::vector<Listed> sheets;
  bool date1904 = false;

 private:
  bool inSheets_ = false;
};

[[noreturn]] void ThrowNotXlsx(ZipArchive& archive) {
  if (auto mimetype = archive.Find("mimetype")) {
    const std::string type = archive.ReadAll(*mimetype, 4096);
    if (type.find("opendocument.spreadsheet") != std::string::npos)
      throw ReaderError(Kind::Unsupported, "OpenDocument spreadsheet");
  }
  if (archive.Find("xl/workbook.bin"))
    throw ReaderError(Kind::Unsupported, "binary workbook (.xlsb)");
  throw ReaderError(Kind::NotAWorkbook, "zip archive without a spreadsheet workbook");
}

}  // namespace

std::string ResolvePartName(std::string_view sourcePart, std::string_view target) {
  std::string decoded;
  decoded.reserve(target.size());
  for (size_t i = 0; i < target.size(); ++i) {
    auto hex = [](char c) {
      return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    if (target[i] == '%' && i + 2 < target.size() && hex(target[i + 1]) >= 0 && hex(target[i + 2]) >= 0) {
      decoded.push_back(static_cast<char>(hex(target[i + 1]) * 16 + hex(target[i + 2])));
      i += 2;
    } else {
      decoded.push_back(target[i] == '\\' ? '/' : target[i]);
    }
  }
  std::string path;
  if (!decoded.empty() && decoded.front() == '/') {
    path = decoded;
  } else {
    const auto slash = sourcePart.rfind('/');
    path = std::string(slash == std::string_view::npos ? "" : sourcePart.substr(0, slash + 1)) + decoded;
  }
  std::vector<std::string> segments;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string seg = path.substr(start, end - start);
    if (seg == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!seg.empty() && seg != ".") {
      segments.push_back(seg);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& seg : segments) {
    if (!out.empty()) out.push_back('/');
    out += seg;
  }
  return ZipArchive::NormalizeName(out);
}

XlsxStructure ReadXlsxStructure(ZipArchive& archive, TextBudget& texts) {
  // The workbook part is the package's office document; writers that leave
  // out the package relationships put it in the usual place.
  std::string workbookPart;
  for (const auto& [id, rel] : ReadRelationships(archive, "", texts)) {
    if (IsType(rel.type, "officeDocument")) {
      workbookPart = rel.part;
      break;
    }
  }
  if (workbookPart.empty() && archive.Find("xl/workbook.xml")) workbookPart = "xl/workbook.xml";
  if (workbookPart.empty()) ThrowNotXlsx(archive);
  if (EndsWith(workbookPart, ".bin")) throw ReaderError(Kind::Unsupported, "binary workbook (.xlsb)");
  const auto workbookEntry = archive.Find(workbookPart);
  if (!workbookEntry) throw ReaderError(Kind::Corrupt, "workbook part " + workbookPart + " is missing");

  WorkbookHandler workbook;
  ParseXmlPart(archive, *workbookEntry, workbook, texts);
  const auto rels = ReadRelationships(archive, workbookPart, texts);

  XlsxStructure out;
  out.date1904 = workbook.date1904;
  for (const auto& listed : workbook.sheets) {
    auto it = rels.find(listed.relationship);
    // Chart, dialog and macro sheets are not worksheets; a sheet whose part
    // is missing is dropped, as the spreadsheet drops it when it repairs
    // such a file.
    if (it == rels.end() || !IsType(it->second.type, "worksheet") || !archive.Find(it->second.part)) continue;
    out.sheets.push_back(XlsxSheetEntry{DecodeStoredText(listed.name), it->second.part});
  }
  for (const auto& [id, rel] : rels) {
    if (IsType(rel.type, "sharedStrings") && archive.Find(rel.part)) {
      out.sharedStrings = rel.part;
      break;
    }
  }
  if (!out.sharedStrings) {
    // Some writers leave the table's relationship out; it then sits beside
    // the workbook part under its usual name.
    const std::string usual = ResolvePartName(workbookPart, "sharedStrings.xml");
    if (archive.Find(usual)) out.sharedStrings = usual;
  }
  return out;
}

}  // namespace voske
