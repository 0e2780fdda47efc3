// "voske-cli celulas": what a user runs to see what the reader found.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "workbook/package_writer.h"
#include "support/cli_runner.h"
#include "support/files.h"
#include "support/paths.h"

namespace voske {
namespace {

using support::ScratchDir;

// "voske-cli celulas" with `args`; the test reads both outputs apart.
support::CliResult Celulas(std::vector<std::string> args) {
  args.insert(args.begin(), "celulas");
  support::CliRun run;
  run.args = std::move(args);
  return support::RunCli(run);
}

class CelulasCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    book_ = (dir_ / "planilha.xlsx").string();
    support::WriteZip(
        book_, support::Package(
                   {{"Dados Cadastrais",
                     support::SheetXml("<row r=\"3\"><c r=\"B3\"><v>41364</v></c><c r=\"C3\" t=\"b\"><v>1</v></c>"
                                       "</row><row r=\"5\"><c r=\"A5\" t=\"s\"><v>0</v></c>"
                                       "<c r=\"B5\" t=\"e\"><v>#N/A</v></c><c r=\"C5\"><v>0.1</v></c></row>")},
                    {"Dependências", support::SheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c></row>")}},
                   support::SharedStringsXml("<si><t>Operadora\tSaúde\\1</t></si><si><t>linha\nnova</t></si>")));
  }
  ScratchDir dir_;
  std::string book_;
};

TEST_F(CelulasCommand, ListsEveryWorksheetInWorkbookOrderOrJustTheOneAskedFor) {
  const support::CliResult all = Celulas({"--planilha", book_});
  EXPECT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.out,
            "sheet\tDados Cadastrais\n"
            "3\t2\tn\t41364.0\n"
            "3\t3\tb\t1\n"
            "5\t1\ts\tOperadora\\tSaúde\\\\1\n"
            "5\t2\te\t#N/A\n"
            "5\t3\tn\t0.1\n"
            "sheet\tDependências\n"
            "1\t1\ts\tlinha\\nnova\n");
  EXPECT_EQ(all.err, "");

  const support::CliResult one = Celulas({"--aba", "DEPENDÊNCIAS", "--planilha=" + book_});
  EXPECT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out, "sheet\tDependências\n1\t1\ts\tlinha\\nnova\n");  // the workbook's own name
}

TEST_F(CelulasCommand, AFailureShowsTheLoadMessageAndUsageErrorsShowHelp) {
  const support::CliResult missing = Celulas({"--planilha", book_, "--aba", "Listas"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err,
            "A planilha \"Listas\" não foi encontrada na pasta de trabalho.\nListas\n"
            "Arquivo: " + book_ + "\n"
            "Confira se o arquivo é a Planilha Padrão (.xlsx, .xlsm, .xls ou .ods) e tente novamente.\n");

  const support::CliResult noFile = Celulas({"--planilha", (dir_ / "nada.xlsx").string()});
  EXPECT_EQ(noFile.status, 1);
  EXPECT_EQ(noFile.err.substr(0, noFile.err.find('\n')),
            "O arquivo da planilha não foi encontrado ou não pôde ser aberto para leitura.");

  // Without --aba no worksheet is named: the message has no line for one,
  // rather than an empty line inside it.
  const std::string damaged = (dir_ / "danificada.xlsx").string();
  std::ofstream(damaged, std::ios::binary) << "isto n\xC3\xA3o \xC3\xA9 uma pasta de trabalho\n";
  const support::CliResult bad = Celulas({"--planilha", damaged});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err,
            "O arquivo informado não é uma pasta de trabalho (.xlsx, .xlsm, .xls ou .ods).\n"
            "Arquivo: " + damaged + "\n"
            "Confira se o arquivo é a Planilha Padrão (.xlsx, .xlsm, .xls ou .ods) e tente novamente.\n");
  EXPECT_EQ(noFile.err.find("\n\n"), std::string::npos) << noFile.err;

  EXPECT_EQ(Celulas({}).status, 2);
  EXPECT_EQ(Celulas({"--planilha"}).status, 2);
  EXPECT_EQ(Celulas({"--planilha", book_, "--linhas", "3"}).status, 2);
  const support::CliResult help = Celulas({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Uso: voske-cli celulas --planilha ARQUIVO [--aba NOME]"), std::string::npos);
}

}  // namespace
}  // namespace voske
