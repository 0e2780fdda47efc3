// OpenDocument spreadsheets: what each kind of table cell holds, and how
// repeated rows and cells are laid out without ever being expanded blindly.
#include <gtest/gtest.h>

#include <string>

#include "workbook/package_writer.h"
#include "support/paths.h"
#include "text/cp1252.h"
#include "workbook/workbook_file.h"

namespace voske {
namespace {

using support::ScratchDir;

const std::string kOpen =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
    "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\">"
    "<office:body><office:spreadsheet>";
const std::string kClose = "</office:spreadsheet></office:body></office:document-content>";

std::string WriteOds(const ScratchDir& dir, const std::string& body, const std::string& manifest = "") {
  const std::string path = (dir / "planilha.ods").string();
  support::Parts parts = {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                          {"content.xml", kOpen + body + kClose}};
  if (!manifest.empty()) parts.emplace_back("META-INF/manifest.xml", manifest);
  support::WriteZip(path, parts);
  return path;
}

std::string Table(const std::string& name, const std::string& rows) {
  return "<table:table table:name=\"" + name + "\">" + rows + "</table:table>";
}

std::optional<ReaderError::Kind> FailureOf(WorkbookFile& book, size_t sheet) {
  try {
    book.ReadSheet(sheet);
  } catch (const ReaderError& e) {
    return e.kind();
  }
  return std::nullopt;
}

TEST(OdsReader, EachValueTypeGivesTheRawValue) {
  ScratchDir dir;
  const std::string row =
      "<table:table-row>"
      "<table:table-cell office:value-type=\"float\" office:value=\"1234.5\"><text:p>1.234,50</text:p></table:table-cell>"
      "<table:table-cell office:value-type=\"percentage\" office:value=\"0.25\"><text:p>25%</text:p></table:table-cell>"
      "<table:table-cell office:value-type=\"currency\" office:currency=\"BRL\" office:value=\"-3\"/>"
      "<table:table-cell office:value-type=\"date\" office:date-value=\"2021-01-01T12:00:00\"/>"
      "<table:table-cell office:value-type=\"time\" office:time-value=\"PT10H10M10S\"/>"
      "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/>"
      "<table:table-cell office:value-type=\"string\" calcext:value-type=\"error\"><text:p>#DIV/0!</text:p>"
      "</table:table-cell>"
      "</table:table-row><table:table-row>"
      "<table:table-cell office:value-type=\"string\"><office:annotation><text:p>nota</text:p></office:annotation>"
      "<text:p>Provisão<text:s text:c=\"2\"/>técnica<text:tab/>x</text:p><text:p><text:span>linha</text:span> 2"
      "<text:line-break/>fim</text:p></table:table-cell>"
      "<table:table-cell office:value-type=\"string\" office:string-value=\"exato\"><text:p>mostrado</text:p>"
      "</table:table-cell>"
      "<table:table-cell/>"
      "<table:table-cell office:value-type=\"string\"><text:p/></table:table-cell>"
      "</table:table-row>";
  auto book = OpenWorkbookFile(WriteOds(dir, Table("Provisão", row)));
  ASSERT_EQ(book->SheetNames(), std::vector<Text>{Ansi("Provisão")});
  const WorksheetArray a = book->ReadSheet(Ansi("PROVISÃO"));
  EXPECT_EQ(a.At(1, 1), Cell::MakeNumber(1234.5));
  EXPECT_EQ(a.At(1, 2), Cell::MakeNumber(0.25));
  EXPECT_EQ(a.At(1, 3), Cell::MakeNumber(-3));
  EXPECT_EQ(a.At(1, 4), Cell::MakeNumber(44197.5));
  EXPECT_EQ(a.At(1, 5), Cell::MakeNumber(36610.0 / 86400));
  EXPECT_EQ(a.At(1, 6), Cell::MakeBoolean(true));
  EXPECT_EQ(a.At(1, 7), Cell::MakeError("#DIV/0!"));
  EXPECT_EQ(a.At(2, 1), Cell::MakeText(Ansi("Provisão  técnica\tx\nlinha 2\nfim")));
  EXPECT_EQ(a.At(2, 2), Cell::MakeText("exato"));
  EXPECT_TRUE(a.At(2, 3).IsEmpty());
  EXPECT_EQ(a.At(2, 4), Cell::MakeText(""));
  EXPECT_EQ(a.Rows(), 4);
  EXPECT_EQ(a.Columns(), 7);
}

TEST(OdsReader, RepeatedRowsAndCellsAreLaidOutAndEmptyOnesOnlyCounted) {
  ScratchDir dir;
  const std::string rows =
      "<table:table-row table:number-rows-repeated=\"2\">"
      "<table:table-cell table:number-columns-repeated=\"2\"/>"
      "<table:table-cell office:value-type=\"float\" office:value=\"7\" table:number-columns-repeated=\"3\"/>"
      "<table:table-cell table:number-columns-repeated=\"16379\"/></table:table-row>"
      "<table:table-row><table:table-cell office:value-type=\"string\" table:number-columns-spanned=\"2\">"
      "<text:p>junta</text:p></table:table-cell><table:covered-table-cell/>"
      "<table:table-cell office:value-type=\"string\"><text:p>C</text:p></table:table-cell></table:table-row>"
      // The empty rest of the sheet, as writers give it: to the last row.
      "<table:table-row table:number-rows-repeated=\"1048573\"><table:table-cell "
      "table:number-columns-repeated=\"16384\"/></table:table-row>";
  auto book = OpenWorkbookFile(WriteOds(dir, Table("T", rows)));
  const WorksheetArray a = book->ReadSheet(0);
  EXPECT_EQ(a.Rows(), 5);
  EXPECT_EQ(a.Columns(), 5);
  for (int r : {1, 2}) {
    EXPECT_TRUE(a.At(r, 2).IsEmpty());
    for (int c : {3, 4, 5}) EXPECT_EQ(a.At(r, c), Cell::MakeNumber(7)) << r << "," << c;
  }
  EXPECT_EQ(a.TextAt(3, 1), "junta");
  EXPECT_TRUE(a.At(3, 2).IsEmpty());
  EXPECT_EQ(a.TextAt(3, 3), "C");
}

TEST(OdsReader, TheWorkbooksOwnNullDateAndTablesInsideCellsAreNotWorksheets) {
  ScratchDir dir;
  const std::string body =
      "<table:calculation-settings><table:null-date table:date-value=\"1904-01-01\"/></table:calculation-settings>" +
      Table("A", "<table:table-row><table:table-cell office:value-type=\"date\" office:date-value=\"2021-01-01\">"
                 "<table:table table:name=\"dentro\"><table:table-row><table:table-cell office:value-type=\"float\" "
                 "office:value=\"9\"/></table:table-row></table:table></table:table-cell>"
                 "<table:table-cell office:value-type=\"float\" office:value=\"2\"/></table:table-row>") +
      Table("B", "");
  auto book = OpenWorkbookFile(WriteOds(dir, body));
  ASSERT_EQ(book->SheetNames(), (std::vector<Text>{"A", "B"}));
  const WorksheetArray a = book->ReadSheet(0);
  EXPECT_EQ(a.At(1, 1), Cell::MakeNumber(44197.0 - 1462));
  EXPECT_EQ(a.At(1, 2), Cell::MakeNumber(2));
  EXPECT_EQ(a.Rows(), 3);
  // A worksheet handed out is read again when asked for again.
  EXPECT_EQ(book->ReadSheet(0).At(1, 2), Cell::MakeNumber(2));
  EXPECT_EQ(book->ReadSheet("b").Rows(), 3);
  // The serials are the document's own; the workbook and its worksheets say so.
  EXPECT_EQ(book->Dates(), DateSystem::From1904);
  EXPECT_EQ(book->ReadSheet("A").Dates(), DateSystem::From1904);
}

TEST(OdsReader, ABrokenTableFailsAloneAndEncryptedContentSaysSo) {
  ScratchDir dir;
  const std::string body =
      Table("Boa", "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"1\"/>"
                   "</table:table-row>") +
      Table("Enorme", "<table:table-row table:number-rows-repeated=\"999999999\"><table:table-cell "
                      "office:value-type=\"string\" table:number-columns-repeated=\"999999999\"><text:p>X</text:p>"
                      "</table:table-cell></table:table-row>") +
      Table("Torta", "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"um\"/>"
                     "</table:table-row>");
  {  // closed before the file is written again, as Windows requires
    auto book = OpenWorkbookFile(WriteOds(dir, body));
    EXPECT_EQ(book->ReadSheet("Boa").At(1, 1), Cell::MakeNumber(1));
    EXPECT_EQ(FailureOf(*book, 1), ReaderError::Kind::TooLarge);
    EXPECT_EQ(FailureOf(*book, 2), ReaderError::Kind::Corrupt);
  }

  const std::string manifest =
      "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
      "<manifest:file-entry manifest:full-path=\"/\" manifest:media-type=\"application/"
      "vnd.oasis.opendocument.spreadsheet\"/><manifest:file-entry manifest:full-path=\"content.xml\" "
      "manifest:media-type=\"text/xml\"><manifest:encryption-data manifest:checksum-type=\"SHA1/1K\"/>"
      "</manifest:file-entry></manifest:manifest>";
  try {
    OpenWorkbookFile(WriteOds(dir, body, manifest));
    FAIL() << "encrypted content must not open";
  } catch (const ReaderError& e) {
    EXPECT_EQ(e.kind(), ReaderError::Kind::Encrypted);
  }
}

}  // namespace
}  // namespace voske
