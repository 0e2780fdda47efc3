// The .xlsx reader against workbooks written by a spreadsheet writer and
// against hand-made packages for what writers do differently.
#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <string>

#include "workbook/package_writer.h"
#include "support/paths.h"
#include "text/cp1252.h"
#include "workbook/readers.h"

namespace voske {
namespace {

using testing::Package;
using testing::ScratchDir;
using testing::SharedStringsXml;
using testing::SheetXml;
using testing::WriteZip;

std::unique_ptr<WorkbookFile> Open(const std::filesystem::path& p) { return OpenWorkbookFile(p.string()); }

WorksheetArray ReadOnly(const testing::Parts& parts, const ScratchDir& dir, size_t sheet = 0) {
  const auto path = dir / "book.xlsx";
  WriteZip(path.string(), parts);
  return Open(path)->ReadSheet(sheet);
}

TEST(XlsxReader, ReadsEveryKindOfCellAsTheWriterStoredIt) {
  ScratchDir dir;
  const std::string path = (dir / "kinds.xlsx").string();
  lxw_workbook* wb = workbook_new(path.c_str());
  lxw_worksheet* ws = workbook_add_worksheet(wb, "Dados");
  lxw_format* date = workbook_add_format(wb);
  format_set_num_format(date, "dd/mm/yyyy");
  lxw_format* bold = workbook_add_format(wb);
  format_set_bold(bold);
  worksheet_write_number(ws, 0, 0, 1234.5, nullptr);
  worksheet_write_string(ws, 0, 1, "Operadora de Saúde", nullptr);
  worksheet_write_boolean(ws, 0, 2, 1, nullptr);
  worksheet_write_boolean(ws, 0, 3, 0, nullptr);
  lxw_datetime when = {2013, 3, 31, 0, 0, 0};
  worksheet_write_datetime(ws, 1, 0, &when, date);
  lxw_datetime noon = {2013, 3, 31, 12, 0, 0};
  worksheet_write_datetime(ws, 1, 1, &noon, date);
  worksheet_write_formula_num(ws, 2, 0, "=A1*2", nullptr, 2469);
  worksheet_write_formula_str(ws, 2, 1, "=B1&\"!\"", nullptr, "Operadora de Saúde!");
  lxw_rich_string_tuple run1 = {bold, const_cast<char*>("Provis")};
  lxw_rich_string_tuple run2 = {nullptr, const_cast<char*>("ão técnica")};
  lxw_rich_string_tuple* runs[] = {&run1, &run2, nullptr};
  worksheet_write_rich_string(ws, 3, 0, runs, nullptr);
  worksheet_write_number(ws, 3, 1, -0.000123, nullptr);
  worksheet_write_number(ws, 3, 2, 1e20, nullptr);
  ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);

  const WorksheetArray a = Open(path)->ReadSheet(0);
  EXPECT_EQ(a.At(1, 1), Cell::MakeNumber(1234.5));
  EXPECT_EQ(a.At(1, 2), Cell::MakeText(Ansi("Operadora de Saúde")));
  EXPECT_EQ(a.At(1, 3), Cell::MakeBoolean(true));
  EXPECT_EQ(a.At(1, 4), Cell::MakeBoolean(false));
  EXPECT_EQ(a.At(2, 1), Cell::MakeNumber(41364));  // a date is its day serial
  EXPECT_EQ(a.At(2, 2), Cell::MakeNumber(41364.5));
  EXPECT_EQ(a.At(3, 1), Cell::MakeNumber(2469));   // a formula gives its cached result
  EXPECT_EQ(a.At(3, 2), Cell::MakeText(Ansi("Operadora de Saúde!")));
  EXPECT_EQ(a.At(4, 1), Cell::MakeText(Ansi("Provisão técnica")));  // runs joined, formatting dropped
  EXPECT_EQ(a.At(4, 2), Cell::MakeNumber(-0.000123));
  EXPECT_EQ(a.At(4, 3), Cell::MakeNumber(1e20));
  EXPECT_EQ(a.TextAt(2, 1), "41364");
}

TEST(XlsxReader, UsedRangeRunsToTheLastValuePlusTwoRows) {
  ScratchDir dir;
  const std::string path = (dir / "range.xlsx").string();
  lxw_workbook* wb = workbook_new(path.c_str());
  lxw_format* fill = workbook_add_format(wb);
  format_set_bg_color(fill, LXW_COLOR_YELLOW);
  lxw_worksheet* c10 = workbook_add_worksheet(wb, "C10");
  worksheet_write_string(c10, 9, 2, "fim", nullptr);
  worksheet_write_number(c10, 4, 1, 5, nullptr);
  // Cells that only carry formatting, beyond the values, widen nothing.
  worksheet_write_blank(c10, 40, 0, fill);
  worksheet_write_blank(c10, 2, 25, fill);
  lxw_worksheet* empty = workbook_add_worksheet(wb, "Vazia");
  worksheet_write_blank(empty, 7, 7, fill);
  lxw_worksheet* a1 = workbook_add_worksheet(wb, "A1");
  worksheet_write_number(a1, 0, 0, 7, nullptr);
  ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);

  auto book = Open(path);
  const WorksheetArray a = book->ReadSheet(0);
  EXPECT_EQ(a.Rows(), 12);
  EXPECT_EQ(a.Columns(), 3);
  EXPECT_TRUE(a.At(1, 1).IsEmpty());  // [1, 1] is A1 even when the first rows are blank
  EXPECT_EQ(a.TextAt(10, 3), "fim");
  EXPECT_EQ(a.TextAt(5, 2), "5");
  EXPECT_TRUE(a.At(11, 1).IsEmpty());
  EXPECT_TRUE(a.At(41, 1).IsEmpty());  // outside the array: empty, as in the worksheet

  const WorksheetArray e = book->ReadSheet(1);
  EXPECT_EQ(e.Rows(), 3);
  EXPECT_EQ(e.Columns(), 1);
  EXPECT_TRUE(e.At(1, 1).IsEmpty());

  const WorksheetArray one = book->ReadSheet(2);
  EXPECT_EQ(one.Rows(), 3);
  EXPECT_EQ(one.Columns(), 1);
  EXPECT_EQ(one.At(1, 1), Cell::MakeNumber(7));
}

TEST(XlsxReader, ProtectedAndHiddenWorksheetsReadAsTheyAreInWorkbookOrder) {
  ScratchDir dir;
  const std::string path = (dir / "protected.xlsx").string();
  const auto before = [&] {
    lxw_workbook* wb = workbook_new(path.c_str());
    lxw_worksheet* a = workbook_add_worksheet(wb, "Dados Cadastrais");
    worksheet_write_string(a, 4, 1, "12345-6", nullptr);
    worksheet_protect(a, "qwtlmrvbnzkph", nullptr);
    lxw_worksheet* b = workbook_add_worksheet(wb, "Dependências");
    worksheet_write_string(b, 0, 0, "filial", nullptr);
    worksheet_protect(b, "outra", nullptr);
    worksheet_hide(b);
    lxw_worksheet* c = workbook_add_worksheet(wb, "Provisão");
    worksheet_write_number(c, 0, 0, 3, nullptr);
    return workbook_close(wb);
  }();
  ASSERT_EQ(before, LXW_NO_ERROR);

  auto book = Open(path);
  ASSERT_EQ(book->SheetNames().size(), 3u);
  EXPECT_EQ(book->SheetNames()[0], "Dados Cadastrais");
  EXPECT_EQ(book->SheetNames()[1], Ansi("Dependências"));
  EXPECT_EQ(book->SheetNames()[2], Ansi("Provisão"));
  EXPECT_EQ(book->ReadSheet("Dados Cadastrais").TextAt(5, 2), "12345-6");
  EXPECT_EQ(book->ReadSheet(Ansi("Dependências")).TextAt(1, 1), "filial");
  EXPECT_EQ(book->ReadSheet(Ansi("PROVISÃO")).TextAt(1, 1), "3");
}

TEST(XlsxReader, InlineStringsOfAStreamingWriter) {
  ScratchDir dir;
  const std::string path = (dir / "inline.xlsx").string();
  lxw_workbook_options options = {};
  options.constant_memory = LXW_TRUE;  // writes texts inline, not in a shared table
  lxw_workbook* wb = workbook_new_opt(path.c_str(), &options);
  lxw_worksheet* ws = workbook_add_worksheet(wb, "Listas");
  worksheet_write_string(ws, 0, 0, "Câmbio", nullptr);
  worksheet_write_string(ws, 1, 1, "linha 1\nlinha 2", nullptr);
  worksheet_write_number(ws, 2, 0, 3.25, nullptr);
  ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);

  const WorksheetArray a = Open(path)->ReadSheet(0);
  EXPECT_EQ(a.At(1, 1), Cell::MakeText(Ansi("Câmbio")));
  EXPECT_EQ(a.At(2, 2), Cell::MakeText("linha 1\nlinha 2"));
  EXPECT_EQ(a.At(3, 1), Cell::MakeNumber(3.25));
  EXPECT_EQ(a.Rows(), 5);
  EXPECT_EQ(a.Columns(), 2);
}

TEST(XlsxReader, SharedStringsJoinRunsWithoutPhoneticGuidesAndUndoEscapes) {
  ScratchDir dir;
  const std::string sst = SharedStringsXml(
      "<si><t>plain</t></si>"
      "<si><r><rPr><b/></rPr><t xml:space=\"preserve\">Rich </t></r><r><t>text</t></r></si>"
      "<si><t>base</t><rPh sb=\"0\" eb=\"1\"><t>yomi</t></rPh></si>"
      "<si><t>line_x000D_\nbreak</t></si>"
      "<si><t>_x005F_x000D_ kept literally</t></si>"
      "<si><t>  spaces kept \t</t></si>"
      "<si><t>&amp;&lt;&#233;</t></si>"
      "<si><t>\xE6\x97\xA5 beyond_xD83D__xDE00_</t></si>"
      "<si><t></t></si>");
  std::string cells;
  for (int i = 0; i < 9; ++i)
    cells += "<c r=\"A" + std::to_string(i + 1) + "\" t=\"s\"><v>" + std::to_string(i) + "</v></c>";
  const WorksheetArray a = ReadOnly(Package({{"S", SheetXml("<row r=\"1\">" + cells + "</row>")}}, sst), dir);
  EXPECT_EQ(a.TextAt(1, 1), "plain");
  EXPECT_EQ(a.TextAt(2, 1), "Rich text");
  EXPECT_EQ(a.TextAt(3, 1), "base");
  EXPECT_EQ(a.TextAt(4, 1), "line\r\nbreak");
  EXPECT_EQ(a.TextAt(5, 1), "_x000D_ kept literally");
  EXPECT_EQ(a.TextAt(6, 1), "  spaces kept \t");
  EXPECT_EQ(a.TextAt(7, 1), Ansi("&<é"));
  EXPECT_EQ(a.TextAt(8, 1), "? beyond?");  // outside 1252: one "?" per character
  EXPECT_EQ(a.At(9, 1), Cell::MakeText(""));
}

TEST(XlsxReader, CachedResultsOfEveryCellType) {
  ScratchDir dir;
  const std::string data =
      "<row r=\"1\">"
      "<c r=\"A1\" t=\"str\"><f>A2&amp;\"\"</f><v>texto_x000D_</v></c>"
      "<c r=\"B1\" t=\"b\"><f>TRUE()</f><v>1</v></c>"
      "<c r=\"C1\" t=\"e\"><f>1/0</f><v>#DIV/0!</v></c>"
      "<c r=\"D1\" t=\"e\"><v>#N/A</v></c>"
      "<c r=\"E1\"><f>1+1</f><v>2</v></c>"
      "<c r=\"F1\"><f>1+1</f></c>"  // never calculated: no cached value
      "<c r=\"G1\" t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r><rPh><t>x</t></rPh></is></c>"
      "<c r=\"H1\" t=\"d\"><v>2021-01-01T10:10:10</v></c>"
      "<c r=\"I1\" t=\"d\"><v>10:10:10</v></c>"
      "<c r=\"J1\" t=\"n\"><v> 1.5E+3 </v></c>"
      "<c r=\"K1\" t=\"s\"></c>"
      "<c r=\"L1\" s=\"3\"/>"
      "</row>";
  const WorksheetArray a = ReadOnly(Package({{"S", SheetXml(data)}}), dir);
  EXPECT_EQ(a.At(1, 1), Cell::MakeText("texto\r"));
  EXPECT_EQ(a.At(1, 2), Cell::MakeBoolean(true));
  EXPECT_EQ(a.At(1, 3), Cell::MakeError("#DIV/0!"));
  EXPECT_EQ(a.At(1, 4), Cell::MakeError("#N/A"));
  EXPECT_EQ(a.At(1, 5), Cell::MakeNumber(2));
  EXPECT_TRUE(a.At(1, 6).IsEmpty());
  EXPECT_EQ(a.At(1, 7), Cell::MakeText("inline"));
  EXPECT_EQ(a.At(1, 8), Cell::MakeNumber(44197 + 36610.0 / 86400));
  EXPECT_EQ(a.At(1, 9), Cell::MakeNumber(36610.0 / 86400));
  EXPECT_EQ(a.At(1, 10), Cell::MakeNumber(1500));
  EXPECT_TRUE(a.At(1, 11).IsEmpty());
  EXPECT_EQ(a.Columns(), 10);  // L1 only carries a style
}

TEST(XlsxReader, The1904DateSystemKeepsRawSerials) {
  ScratchDir dir;
  const std::string data =
      "<row r=\"1\"><c r=\"A1\" s=\"1\"><v>42735</v></c><c r=\"B1\" t=\"d\"><v>2021-01-01</v></c></row>";
  const WorksheetArray a = ReadOnly(Package({{"S", SheetXml(data)}}, "", "date1904=\"1\""), dir);
  EXPECT_EQ(a.At(1, 1), Cell::MakeNumber(42735));      // as stored, never shifted
  EXPECT_EQ(a.At(1, 2), Cell::MakeNumber(44197 - 1462));  // an ISO date in the workbook's own system

  // The workbook says which system its serials count in, and so does every
  // worksheet read from it by name, for the dates to be read as the user sees them.
  const auto path = dir / "book.xlsx";
  EXPECT_EQ(Open(path)->Dates(), DateSystem::From1904);
  EXPECT_EQ(Open(path)->ReadSheet(Text("S")).Dates(), DateSystem::From1904);
  WriteZip(path.string(), Package({{"S", SheetXml(data)}}));
  EXPECT_EQ(Open(path)->Dates(), DateSystem::From1900);
  EXPECT_EQ(Open(path)->ReadSheet(Text("S")).Dates(), DateSystem::From1900);
}

TEST(XlsxReader, CellsAndRowsWithoutReferencesFollowTheirNeighbours) {
  ScratchDir dir;
  const std::string data =
      "<row><c><v>1</v></c><c><v>2</v></c></row>"
      "<row r=\"4\"><c r=\"C4\"><v>3</v></c><c><v>4</v></c></row>"
      "<row><c><v>5</v></c></row>";
  const WorksheetArray a = ReadOnly(Package({{"S", SheetXml(data)}}), dir);
  EXPECT_EQ(a.TextAt(1, 1), "1");
  EXPECT_EQ(a.TextAt(1, 2), "2");
  EXPECT_EQ(a.TextAt(4, 3), "3");
  EXPECT_EQ(a.TextAt(4, 4), "4");
  EXPECT_EQ(a.TextAt(5, 1), "5");
  EXPECT_EQ(a.Rows(), 7);
}

TEST(XlsxReader, TheDeclaredExtentIsOnlyAHint) {
  ScratchDir dir;
  // Padding makes the part large enough for its declared extent to be taken
  // at its word.
  const std::string cells = "<row r=\"2\"><c r=\"B2\"><v>1</v></c></row><row r=\"4\"><c r=\"C4\"><v>2</v></c></row>" +
                            std::string(40000, ' ');
  auto shaped = [&](const std::string& dimension) {
    return ReadOnly(Package({{"S", "<worksheet xmlns=\"" + std::string(testing::kMainNs) + "\"><dimension ref=\"" +
                                       dimension + "\"/><sheetData>" + cells + "</sheetData></worksheet>"}}),
                    dir);
  };
  // Exact, larger (formatting counted), smaller (cells outside it), a single
  // cell, nonsense, and far larger than the part could hold: the same array.
  for (const char* dimension : {"B2:C4", "A1:Z90", "A1:B2", "B2", "C4:A1", "junk", "A1:XFD1048576"}) {
    SCOPED_TRACE(dimension);
    const WorksheetArray a = shaped(dimension);
    EXPECT_EQ(a.Rows(), 6);
    EXPECT_EQ(a.Columns(), 3);
    EXPECT_EQ(a.At(2, 2), Cell::MakeNumber(1));
    EXPECT_EQ(a.At(4, 3), Cell::MakeNumber(2));
    EXPECT_TRUE(a.At(1, 1).IsEmpty());
  }
}

TEST(XlsxReader, PrefixesPathsAndPartNamesAsWritersChooseThem) {
  ScratchDir dir;
  const std::string rels = "http://schemas.openxmlformats.org/package/2006/relationships";
  const std::string main = testing::kMainNs;
  // No package relationships, prefixed elements, an absolute and a
  // backslashed target, part names in another case, a chart sheet between
  // the worksheets, and a shared-string table without its relationship.
  WriteZip((dir / "odd.xlsx").string(),
           {{"XL/Workbook.xml",
             "<x:workbook xmlns:x=\"" + main + "\" xmlns:rel=\"" + testing::kRelNs +
                 "\"><x:sheets><x:sheet name=\"Um\" sheetId=\"1\" rel:id=\"a\"/>"
                 "<x:sheet name=\"Gráfico\" sheetId=\"2\" rel:id=\"c\"/>"
                 "<x:sheet name=\"Dois\" sheetId=\"3\" rel:id=\"b\"/></x:sheets></x:workbook>"},
            {"xl/_rels/workbook.xml.rels",
             "<Relationships xmlns=\"" + rels + "\"><Relationship Id=\"a\" Type=\"" + testing::kRelNs +
                 "/worksheet\" Target=\"/xl/worksheets/one.xml\"/><Relationship Id=\"b\" Type=\"" +
                 testing::kRelNs + "/worksheet\" Target=\"worksheets\\two.xml\"/><Relationship Id=\"c\" Type=\"" +
                 testing::kRelNs + "/chartsheet\" Target=\"chartsheets/sheet1.xml\"/></Relationships>"},
            {"xl/worksheets/one.xml",
             "<x:worksheet xmlns:x=\"" + main +
                 "\"><x:sheetData><x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c></x:row></x:sheetData>"
                 "</x:worksheet>"},
            {"xl/worksheets/two.xml", SheetXml("<row r=\"2\"><c r=\"B2\"><v>9</v></c></row>")},
            {"xl/chartsheets/sheet1.xml", "<chartsheet/>"},
            {"xl/sharedStrings.xml", SharedStringsXml("<si><t>prefixed</t></si>")}});
  auto book = Open(dir / "odd.xlsx");
  ASSERT_EQ(book->SheetNames().size(), 2u);  // a chart sheet is not a worksheet
  EXPECT_EQ(book->ReadSheet("um").TextAt(1, 1), "prefixed");
  EXPECT_EQ(book->ReadSheet("DOIS").TextAt(2, 2), "9");
  EXPECT_FALSE(book->FindSheet(Ansi("Gráfico")));
}

}  // namespace
}  // namespace voske
