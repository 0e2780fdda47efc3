// TUtil: one open workbook per generation, and the user's message for every
// way reading a worksheet can fail.
#include <gtest/gtest.h>

#include <fstream>

#include "workbook/package_writer.h"
#include "support/paths.h"
#include "text/cp1252.h"
#include "workbook/worksheet_loader.h"

namespace voske {
namespace {

using support::ScratchDir;

// The lines after the worksheet: the file, and what to check in it.
Text Advice(const std::string& path) {
  return Ansi("Arquivo: ") + FromUtf8(path) + CR +
         Ansi("Confira se o arquivo é a Planilha Padrão (.xlsx, .xlsm, .xls ou .ods) e tente novamente.");
}

std::string SampleBook(const ScratchDir& dir) {
  const std::string path = (dir / "planilha.xlsx").string();
  support::WriteZip(path, support::Package(
                              {{"Dados Cadastrais", support::SheetXml("<row r=\"5\"><c r=\"B5\" t=\"inlineStr\"><is>"
                                                                      "<t>12345-6</t></is></c></row>")},
                               {"Listas", support::SheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")}}));
  return path;
}

Text MessageOf(const std::string& path, const Text& sheet) {
  TUtil util;
  WorksheetArray out;
  try {
    util.LoadWorksheet(out, path, sheet);
  } catch (const ECarregaArquivo& e) {
    return e.Message();
  }
  return "no failure";
}

TEST(TUtil, EachFailureNamesTheProblemThenTheWorksheetThenTheFile) {
  ScratchDir dir;
  const std::string book = SampleBook(dir);
  EXPECT_EQ(MessageOf(book, Ansi("Provisão")),
            Ansi("A planilha \"Provisão\" não foi encontrada na pasta de trabalho.") + CR + Ansi("Provisão") + CR +
                Advice(book));
  EXPECT_EQ(MessageOf((dir / "nada.xlsx").string(), "Listas"),
            Ansi("O arquivo da planilha não foi encontrado ou não pôde ser aberto para leitura.") + CR + "Listas" +
                CR + Advice((dir / "nada.xlsx").string()));

  std::ofstream(dir / "texto.xlsx") << "isto não é uma planilha";
  const Text notBook = MessageOf((dir / "texto.xlsx").string(), "Listas");
  EXPECT_EQ(notBook.substr(0, notBook.find(CR)),
            Ansi("O arquivo informado não é uma pasta de trabalho (.xlsx, .xlsm, .xls ou .ods)."));

  support::WriteZip((dir / "quebrada.xlsx").string(),
                    support::Package({{"Listas", support::SheetXml("<row><c><v>1</c></row>")}}));
  const Text corrupt = MessageOf((dir / "quebrada.xlsx").string(), "Listas");
  EXPECT_EQ(corrupt.substr(0, corrupt.find(CR)),
            Ansi("A pasta de trabalho está corrompida ou danificada e não pôde ser lida."));
  EXPECT_EQ(corrupt.substr(corrupt.find(CR) + 1), "Listas" + Text(1, CR) + Advice((dir / "quebrada.xlsx").string()));

  support::WriteZip((dir / "grande.xlsx").string(),
                    support::Package({{"Listas", support::SheetXml("<row r=\"2000000\"><c><v>1</v></c></row>")}}));
  const Text large = MessageOf((dir / "grande.xlsx").string(), "Listas");
  EXPECT_EQ(large.substr(0, large.find(CR)),
            Ansi("A pasta de trabalho excede os limites do Excel ou do leitor e não pôde ser lida."));

  support::WriteZip((dir / "binaria.xlsx").string(), {{"xl/workbook.bin", "\x83\x01"}});
  const Text binary = MessageOf((dir / "binaria.xlsx").string(), "Listas");
  EXPECT_EQ(binary.substr(0, binary.find(CR)),
            Ansi("O formato desta pasta de trabalho não é suportado; salve-a no Excel como Pasta de Trabalho do "
                 "Excel (.xlsx)."));
  EXPECT_EQ(LoadError(ReaderError::Kind::Encrypted, "X", "/pasta/operadora ação.xlsx").Message(),
            Ansi("A pasta de trabalho está protegida por senha de abertura (criptografada); remova a senha no "
                 "Excel e tente novamente.") +
                CR + "X" + CR + Advice("/pasta/operadora ação.xlsx"));
}

// Each worksheet within its own budget may still, together with the others,
// hold more than one generation accepts: the read that crosses the line fails
// as too large, and opening the workbook again starts a new count.
TEST(TUtil, TheWorksheetsOfOneGenerationShareOneCellBudget) {
  ScratchDir dir;
  const std::string row = "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><v>2</v></c><c r=\"C1\"><v>3</v></c></row>";
  const std::string path = (dir / "grande.xlsx").string();
  support::WriteZip(path, support::Package({{"A", support::SheetXml(row)}, {"B", support::SheetXml(row)},
                                            {"C", support::SheetXml(row)}}));
  TUtil util(7);
  WorksheetArray a, b, c;
  util.LoadWorksheet(a, path, "A");
  util.LoadWorksheet(b, path, "B");
  EXPECT_EQ(b.StoredCells(), 3u);
  try {
    util.LoadWorksheet(c, path, "C");
    ADD_FAILURE() << "the third worksheet went past the budget";
  } catch (const ECarregaArquivo& e) {
    EXPECT_EQ(e.Message(), Ansi("A pasta de trabalho excede os limites do Excel ou do leitor e não pôde ser lida.") +
                               CR + "C" + CR + Advice(path));
  }
  EXPECT_EQ(c.StoredCells(), 0u);  // left as it was

  // Another file is another generation's workbook: the count starts again.
  const std::string other = (dir / "outra.xlsx").string();
  support::WriteZip(other, support::Package({{"A", support::SheetXml(row)}}));
  util.LoadWorksheet(a, other, "A");
  util.LoadWorksheet(c, path, "C");
  EXPECT_EQ(c.StoredCells(), 3u);
}

TEST(TUtil, AFailedReadLeavesTheArrayAsItWas) {
  ScratchDir dir;
  const std::string book = SampleBook(dir);
  TUtil util;
  WorksheetArray out;
  util.LoadWorksheet(out, book, "Listas");
  EXPECT_THROW(util.LoadWorksheet(out, book, "Ausente"), ECarregaArquivo);
  EXPECT_EQ(out.TextAt(1, 1), "1");
  EXPECT_THROW(util.LoadWorksheet(out, (dir / "nada.xlsx").string(), "Listas"), ECarregaArquivo);
  EXPECT_EQ(out.TextAt(1, 1), "1");
}

}  // namespace
}  // namespace voske
