// Every way an .xlsx can be broken or hostile ends in a ReaderError of the
// right kind: never a crash, a hang or an exhausted memory.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "workbook/package_writer.h"
#include "support/paths.h"
#include "workbook/readers.h"

namespace voske {
namespace {

using Kind = ReaderError::Kind;
using support::Package;
using support::ScratchDir;
using support::SharedStringsXml;
using support::SheetXml;
using support::WriteZip;

// The kind of error reading every worksheet of `path` gives, or nothing.
std::optional<Kind> FailureOf(const std::string& path) {
  try {
    auto book = OpenWorkbookFile(path);
    for (size_t i = 0; i < book->SheetNames().size(); ++i) book->ReadSheet(i);
  } catch (const ReaderError& e) {
    return e.kind();
  }
  return std::nullopt;
}

std::optional<Kind> FailureOf(const support::Parts& parts) {
  ScratchDir dir;
  const std::string path = (dir / "bad.xlsx").string();
  WriteZip(path, parts);
  return FailureOf(path);
}

std::optional<Kind> SheetFailure(const std::string& sheetData, const std::string& sst = "") {
  return FailureOf(Package({{"S", SheetXml(sheetData)}}, sst));
}

TEST(XlsxFailures, InconsistentContentIsCorrupt) {
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\"><v>1</v></row>"), Kind::Corrupt);  // malformed XML
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>3</v></c></row>",
                         SharedStringsXml("<si><t>only</t></si>")),
            Kind::Corrupt);  // no such shared string
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"), Kind::Corrupt);  // no table
  // Shared-string indexes that are no whole number within the table, the
  // huge one found by fuzzing among them.
  for (const char* index : {"2.2e80", "99999999999999999999999", "-1", "0.5", "1e0", "0x0", "+0"})
    EXPECT_EQ(SheetFailure(std::string("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>") + index + "</v></c></row>",
                           SharedStringsXml("<si><t>only</t></si>")),
              Kind::Corrupt)
        << index;
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\" t=\"s\"><v> 0 </v></c></row>", SharedStringsXml("<si><t>only</t></si>")),
            std::nullopt);
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\"><v>12abc</v></c></row>"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\"><v>inf</v></c></row>"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\" t=\"b\"><v>maybe</v></c></row>"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\" t=\"d\"><v>2021-02-30</v></c></row>"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\" t=\"q\"><v>1</v></c></row>"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"11\"><v>1</v></c></row>"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<row r=\"x\"><c><v>1</v></c></row>"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<row r=\"0\"><c><v>1</v></c></row>"), Kind::Corrupt);

  auto parts = Package({{"S", SheetXml("")}});
  parts.back().second = "<Relationships";  // workbook relationships cut short
  EXPECT_EQ(FailureOf(parts), Kind::Corrupt);
  parts = Package({{"S", SheetXml("")}});
  parts.erase(parts.begin() + 1);  // package relationships gone, and the workbook part too
  for (auto it = parts.begin(); it != parts.end(); ++it)
    if (it->first == "xl/workbook.xml") {
      parts.erase(it);
      break;
    }
  EXPECT_EQ(FailureOf(parts), Kind::NotAWorkbook);
}

TEST(XlsxFailures, BeyondTheGridOrTheBudgetIsTooLarge) {
  EXPECT_EQ(SheetFailure("<row r=\"1048577\"><c><v>1</v></c></row>"), Kind::TooLarge);
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1048577\"><v>1</v></c></row>"), Kind::TooLarge);
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>"), Kind::TooLarge);
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"AAAAAAAAAAAAAAAAAAAAAA1\"><v>1</v></c></row>"), Kind::TooLarge);
  EXPECT_EQ(SheetFailure("<row r=\"99999999999999999999\"><c><v>1</v></c></row>"), Kind::TooLarge);
  // The last row and column themselves are inside the grid.
  EXPECT_EQ(SheetFailure("<row r=\"1048576\"><c r=\"A1048576\"><v>1</v></c></row>"), std::nullopt);
  // Two values far apart would make an array of billions of cells: refused
  // before anything that size is allocated.
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"
                         "<row r=\"1048576\"><c r=\"XFD1048576\"><v>1</v></c></row>"),
            Kind::TooLarge);
}

TEST(XlsxFailures, EntityExpansionIsRefused) {
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE worksheet [<!ENTITY a \"aaaaaaaaaa\">"
      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
      "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>"
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData><row r=\"1\">"
      "<c r=\"A1\" t=\"inlineStr\"><is><t>&e;&e;&e;&e;&e;&e;&e;</t></is></c></row></sheetData></worksheet>";
  EXPECT_EQ(FailureOf(Package({{"S", laughs}})), Kind::Corrupt);
  const std::string external =
      "<?xml version=\"1.0\"?><!DOCTYPE sst [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>&x;</t></si></sst>";
  EXPECT_EQ(FailureOf(Package({{"S", SheetXml("")}}, external)), Kind::Corrupt);
}

// A single tag, comment or instruction of tens of megabytes is no worksheet:
// the parser refuses it once it has looked that far ahead for its end,
// instead of gathering it (which took seconds and a copy of it in memory).
TEST(XlsxFailures, OneTokenOfTensOfMegabytesIsCorrupt) {
  const std::string huge(std::size_t{40} << 20, 'a');
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\" x=\"" + huge + "\"><v>1</v></c></row>"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<!--" + huge + "-->"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<?pi " + huge + "?>"), Kind::Corrupt);
  EXPECT_EQ(SheetFailure("<" + huge + "/>"), Kind::Corrupt);
  // Text between elements is taken in pieces, so a long run of it is no
  // reason to refuse the worksheet.
  EXPECT_EQ(SheetFailure("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" + huge), std::nullopt);
}

TEST(XlsxFailures, AZipBombStopsAtTheCompressionCap) {
  // 80 MiB of blanks inside the sheet data deflate to a few hundred KiB: no
  // worksheet compresses like that, and reading stops at the ratio cap.
  std::string data(std::size_t{80} << 20, ' ');
  EXPECT_EQ(SheetFailure(data), Kind::TooLarge);
}

TEST(XlsxFailures, OtherSpreadsheetFormatsInAZipAreUnsupported) {
  const std::string rels =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
      "officeDocument\" Target=\"xl/workbook.bin\"/></Relationships>";
  EXPECT_EQ(FailureOf({{"_rels/.rels", rels}, {"xl/workbook.bin", "\x83\x01"}}), Kind::Unsupported);
  EXPECT_EQ(FailureOf({{"word/document.xml", "<w:document/>"}}), Kind::NotAWorkbook);
}

TEST(XlsxFailures, DamagedArchivesAreCorrupt) {
  ScratchDir dir;
  const std::string whole = (dir / "whole.xlsx").string();
  WriteZip(whole, Package({{"S", SheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")}}));
  std::ifstream in(whole, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 200u);

  const std::string cut = (dir / "cut.xlsx").string();
  std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);  // directory lost
  EXPECT_EQ(FailureOf(cut), Kind::Corrupt);

  // Flipping bytes inside the worksheet's compressed data breaks its checksum
  // or its deflate stream, whichever it hits.
  const std::string name = "xl/worksheets/sheet1.xml";
  const size_t data = bytes.find(name) + name.size();
  ASSERT_LT(data + 12, bytes.size());
  std::string flipped = bytes;
  for (size_t i = data + 2; i < data + 12; ++i) flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
  const std::string bad = (dir / "flipped.xlsx").string();
  std::ofstream(bad, std::ios::binary) << flipped;
  EXPECT_EQ(FailureOf(bad), Kind::Corrupt);
}

TEST(XlsxFailures, AnEncryptedZipEntryNeedsAPassword) {
  ScratchDir dir;
  const std::string path = (dir / "secret.xlsx").string();
  const auto parts = Package({{"S", SheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")}});
  int code = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  ASSERT_TRUE(z);
  for (const auto& [name, content] : parts) {
    zip_source_t* src = zip_source_buffer(z, content.data(), content.size(), 0);
    const zip_int64_t index = zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE);
    ASSERT_GE(index, 0);
    if (name == "xl/worksheets/sheet1.xml" &&
        zip_file_set_encryption(z, static_cast<zip_uint64_t>(index), ZIP_EM_AES_256, "senha") != 0) {
      zip_discard(z);
      GTEST_SKIP() << "this libzip cannot write encrypted entries";
    }
  }
  ASSERT_EQ(zip_close(z), 0);
  EXPECT_EQ(FailureOf(path), Kind::Encrypted);
}

}  // namespace
}  // namespace voske
