// Small hand-made workbooks built to make a reader take gigabytes or hours:
// each must be read, or refused as too large, within a bounded peak resident
// size measured in a child process, and in well under a minute.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/cli_runner.h"
#include "support/paths.h"
#include "support/peak_memory.h"
#include "workbook/package_writer.h"
#include "workbook/workbook_file.h"
#include "workbook/xls/xls_reader.h"
#include "workbook/xls/xls_test_files.h"

namespace voske {
namespace {

using support::ScratchDir;
using namespace std::chrono_literals;

// The program users run, built beside the tests.
const std::string kHostileCli = support::CliBinary().string();

constexpr long kMiB = 1024;  // ru_maxrss counts KiB

// Reads every worksheet of `path` and keeps them all, as a generation does;
// true when `check` accepts the arrays.
support::ChildRun ReadAllInChild(const std::string& path,
                                 const std::function<bool(const std::vector<WorksheetArray>&)>& check) {
  return support::MeasureInChild(
      [&] {
        auto book = OpenWorkbookFile(path);
        std::vector<WorksheetArray> arrays;
        for (std::size_t i = 0; i < book->SheetNames().size(); ++i) arrays.push_back(book->ReadSheet(i));
        return check(arrays);
      },
      60s);
}

// An .ods whose one table holds one row: `text` in a cell repeated across
// all 16,384 columns.
void WriteRowOfOneRepeatedText(const std::string& path, const std::string& text) {
  support::WriteZip(
      path, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
             {"content.xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document-content "
              "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
              "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
              "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
              "<table:table table:name=\"Plan1\"><table:table-row><table:table-cell "
              "table:number-columns-repeated=\"16384\" office:value-type=\"string\"><text:p>" +
                  text +
                  "</text:p></table:table-cell></table:table-row></table:table>"
                  "</office:spreadsheet></office:body></office:document-content>"}});
}

TEST(HostileWorkbooks, AnUnclosedNestOfElementsIsRefusedAsTooLargeAtOnce) {
  ScratchDir dir;
  const std::string path = (dir / "ninho.xlsx").string();
  {
    std::string nest = "<?xml version=\"1.0\"?><worksheet><sheetData>";
    for (int i = 0; i < 5'000'000; ++i) nest += "<a>";  // about 700 MB of open elements in the parser
    support::WriteZip(path, support::Package({{"Plan1", nest}}));
  }
  const auto run = support::MeasureProgram(kHostileCli, {"celulas", "--planilha", path}, (dir / "out").string(),
                                           (dir / "err").string(), 60s);
  ASSERT_TRUE(run.finished);
  EXPECT_NE(run.status, 0);
  EXPECT_NE(support::FileContents(dir / "err").find("excede os limites"), std::string::npos)
      << support::FileContents(dir / "err");
  EXPECT_LT(run.peakKiB, 100 * kMiB);
}

TEST(HostileWorkbooks, OneLongSharedStringInManyCellsIsHeldOnce) {
  ScratchDir dir;
  const std::string path = (dir / "texto.xlsx").string();
  const std::string text(32000, 'x');
  {
    std::string rows;
    for (int r = 1; r <= 7000; ++r)
      rows += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\" t=\"s\"><v>0</v></c></row>";
    support::WriteZip(path, support::Package({{"Plan1", support::SheetXml(rows)}},
                                             support::SharedStringsXml("<si><t>" + text + "</t></si>")));
  }
  const auto run = ReadAllInChild(path, [&](const std::vector<WorksheetArray>& a) {
    return a[0].Rows() == 7002 && a[0].At(1, 1).text == text && a[0].At(7000, 1).text == text &&
           a[0].At(7001, 1).IsEmpty();
  });
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.status, 0);
  EXPECT_LT(run.peakKiB, 100 * kMiB);  // 224 MB when each cell held a copy
}

TEST(HostileWorkbooks, ACellRepeatedAcrossEveryColumnOfAnOdsRowIsHeldOnce) {
  ScratchDir dir;
  const std::string path = (dir / "repetida.ods").string();
  const std::string text(8000, 'y');
  WriteRowOfOneRepeatedText(path, text);
  const auto run = ReadAllInChild(path, [&](const std::vector<WorksheetArray>& a) {
    return a[0].Columns() == 16384 && a[0].At(1, 1).text == text && a[0].At(1, 16384).text == text;
  });
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.status, 0);
  EXPECT_LT(run.peakKiB, 100 * kMiB);  // 131 MB when each cell held a copy
}

TEST(HostileWorkbooks, ALongXlsSharedStringInManyCellsIsHeldOnce) {
  using support::ByteVec, support::Put32, support::Unicode16, support::LabelSst, support::WorkbookStream,
      support::SstRecords;
  const std::u16string text(8000, u'z');
  ByteVec sst;
  Put32(sst, 60000);
  Put32(sst, 1);
  const ByteVec s = Unicode16(text);
  sst.insert(sst.end(), s.begin(), s.end());
  std::vector<ByteVec> cells;
  for (std::uint32_t r = 0; r < 30000; ++r) cells.push_back(LabelSst(r, 0, 0));
  ByteVec stream = WorkbookStream(false, SstRecords(sst, {}), {{"Plan1", 0, 0, std::move(cells)}});
  const auto run = support::MeasureInChild(
      [&] {
        auto book = OpenBiffWorkbook(std::move(stream));
        const WorksheetArray a = book->ReadSheet(std::size_t{0});
        return a.Rows() == 30002 && a.At(30000, 1).text.size() == 8000 && a.At(1, 1).text == a.At(29999, 1).text;
      },
      60s);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.status, 0);
  EXPECT_LT(run.peakKiB, 100 * kMiB);  // 240 MB when each cell held a copy
}

TEST(HostileWorkbooks, OneCellAtTheFarCornerOfEveryWorksheetCostsOneCell) {
  ScratchDir dir;
  const std::string path = (dir / "canto.xlsx").string();
  // Row 1,048,574 and column H: with the two rows below, exactly the largest
  // area a worksheet may have.
  std::vector<std::pair<std::string, std::string>> sheets;
  for (int i = 1; i <= 20; ++i)
    sheets.emplace_back("P" + std::to_string(i),
                        support::SheetXml("<row r=\"1048574\"><c r=\"H1048574\"><v>" + std::to_string(i) +
                                          "</v></c></row>"));
  support::WriteZip(path, support::Package(sheets));
  const auto run = ReadAllInChild(path, [](const std::vector<WorksheetArray>& a) {
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i].Rows() != 1048576 || a[i].Columns() != 8 || a[i].StoredCells() != 1) return false;
      if (a[i].At(1048574, 8).number != static_cast<double>(i + 1) || !a[i].At(1048573, 8).IsEmpty()) return false;
    }
    return a.size() == 20;
  });
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.status, 0);
  EXPECT_LT(run.peakKiB, 100 * kMiB);  // 400 MB a worksheet when the area was stored
}

TEST(HostileWorkbooks, WorksheetsNamingOnePartReadItOnce) {
  ScratchDir dir;
  const std::string path = (dir / "mesma-parte.xlsx").string();
  {
    support::Parts parts = support::Package({{"P1", support::SheetXml("<row r=\"1\"><c r=\"A1\"><v>5</v></c></row>" +
                                                                      std::string(60 << 20, ' '))}});
    // Every worksheet of the workbook points at the one part.
    for (auto& [name, content] : parts) {
      if (name == "xl/workbook.xml") {
        std::string list;
        for (int i = 1; i <= 2000; ++i)
          list += "<sheet name=\"P" + std::to_string(i) + "\" sheetId=\"" + std::to_string(i) + "\" r:id=\"rId1\"/>";
        const auto from = content.find("<sheets>") + 8, to = content.find("</sheets>");
        content.replace(from, to - from, list);
      }
    }
    support::WriteZip(path, parts);
  }
  const auto run = support::MeasureProgram(kHostileCli, {"celulas", "--planilha", path}, (dir / "out").string(),
                                           (dir / "err").string(), 60s);
  ASSERT_TRUE(run.finished) << "still reading after a minute";
  EXPECT_EQ(run.status, 0) << support::FileContents(dir / "err");
  const std::string out = support::FileContents(dir / "out");
  EXPECT_NE(out.find("sheet\tP2000\n1\t1\tn\t5.0\n"), std::string::npos);
  EXPECT_LT(run.peakKiB, 300 * kMiB);
}

TEST(HostileWorkbooks, TheListingOfOneTextInManyCellsIsWrittenAsItGoes) {
  ScratchDir dir;
  const std::string path = (dir / "lista.ods").string();
  WriteRowOfOneRepeatedText(path, std::string(12 * 1024, 'w'));
  // 192 MB of listing, which was gathered whole before it was written.
  const auto run = support::MeasureProgram(kHostileCli, {"celulas", "--planilha", path}, "",
                                           (dir / "err").string(), 60s);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.status, 0) << support::FileContents(dir / "err");
  EXPECT_LT(run.peakKiB, 100 * kMiB);
}

// The workbooks the generator beside these tests writes, each built so that
// a few megabytes of file ask for gigabytes of text or minutes of parsing:
// `celulas` and `gerar` refuse every one as too large, within a minute, in
// bounded memory, leaving nothing in the destination folder.
TEST(HostileWorkbooks, GeneratedAmplificationsAreRefusedAsTooLarge) {
  ScratchDir dir;
  const std::string folder = (dir / "pastas").string();
  const std::string generator = (support::SourceDir() / "tests" / "workbook" / "hostile_workbooks.py").string();
  if (std::system(("python3 " + generator + " " + folder).c_str()) != 0)
    GTEST_SKIP() << "python3 could not run " << generator;
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(folder)) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  ASSERT_GE(files.size(), 8u);
  support::SetEnvironment("VOSKE_SENHA", "segredo");
  for (const auto& file : files) {
    const std::string destination = (dir / "saida").string();
    std::filesystem::create_directories(destination);
    const std::vector<std::vector<std::string>> commands = {
        {"celulas", "--planilha", file.string()},
        {"gerar", "--documento", "cadastral", "--planilha", file.string(), "--destino", destination}};
    for (const auto& args : commands) {
      const auto run = support::MeasureProgram(kHostileCli, args, "", (dir / "err").string(), 60s);
      const std::string err = support::FileContents(dir / "err");
      std::printf("%-28s %-8s %5.1f s %6ld MB\n", file.filename().string().c_str(), args[0].c_str(), run.seconds,
                  run.peakKiB / kMiB);
      ASSERT_TRUE(run.finished) << file << " " << args[0];
      EXPECT_EQ(run.status, 1) << file << " " << args[0];
      EXPECT_NE(err.find("excede os limites"), std::string::npos) << file << " " << args[0] << "\n" << err;
      EXPECT_LT(run.peakKiB, 1024 * kMiB) << file << " " << args[0];
    }
    EXPECT_TRUE(std::filesystem::is_empty(destination)) << file;
  }
  support::SetEnvironment("VOSKE_SENHA", std::nullopt);
}

}  // namespace
}  // namespace voske
