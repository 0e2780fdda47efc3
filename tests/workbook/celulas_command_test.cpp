// "voske-cli celulas": what a user runs to see what the reader found.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "workbook/package_writer.h"
#include "support/files.h"
#include "support/paths.h"

namespace voske {
namespace {

using testing::ScratchDir;

struct CliRun {
  int status;
  std::string out, err;
};

#ifdef VOSKE_CLI_PROGRAM
const std::filesystem::path kCli = VOSKE_CLI_PROGRAM;
#else
const std::filesystem::path kCli;
#endif

CliRun Celulas(const ScratchDir& dir, const std::string& args) {
  const auto& cli = kCli;
  const auto out = dir / "out.txt", err = dir / "err.txt";
  const std::string command =
      cli.string() + " celulas " + args + " >" + out.string() + " 2>" + err.string();
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testing::FileContents(out), testing::FileContents(err)};
}

class CelulasCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    if (kCli.empty() || !std::filesystem::exists(kCli))
      GTEST_SKIP() << "voske-cli is not built";
    book_ = (dir_ / "planilha.xlsx").string();
    testing::WriteZip(
        book_, testing::Package(
                   {{"Dados Cadastrais",
                     testing::SheetXml("<row r=\"3\"><c r=\"B3\"><v>41364</v></c><c r=\"C3\" t=\"b\"><v>1</v></c>"
                                       "</row><row r=\"5\"><c r=\"A5\" t=\"s\"><v>0</v></c>"
                                       "<c r=\"B5\" t=\"e\"><v>#N/A</v></c><c r=\"C5\"><v>0.1</v></c></row>")},
                    {"Dependências", testing::SheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c></row>")}},
                   testing::SharedStringsXml("<si><t>Operadora\tSaúde\\1</t></si><si><t>linha\nnova</t></si>")));
  }
  ScratchDir dir_;
  std::string book_;
};

TEST_F(CelulasCommand, ListsEveryWorksheetInWorkbookOrderOrJustTheOneAskedFor) {
  const CliRun all = Celulas(dir_, "--planilha " + book_);
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

  const CliRun one = Celulas(dir_, "--aba DEPENDÊNCIAS --planilha=" + book_);
  EXPECT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out, "sheet\tDependências\n1\t1\ts\tlinha\\nnova\n");  // the workbook's own name
}

TEST_F(CelulasCommand, AFailureShowsTheLoadMessageAndUsageErrorsShowHelp) {
  const CliRun missing = Celulas(dir_, "--planilha " + book_ + " --aba Listas");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err,
            "A planilha \"Listas\" não foi encontrada na pasta de trabalho.\nListas\n"
            "Problema de comunicação com o Excel. Tente Novamente!\n"
            "Se persistir o problema verifique o funcionamento do Excel.\n");

  const CliRun noFile = Celulas(dir_, "--planilha " + (dir_ / "nada.xlsx").string());
  EXPECT_EQ(noFile.status, 1);
  EXPECT_EQ(noFile.err.substr(0, noFile.err.find('\n')),
            "O arquivo da planilha não foi encontrado ou não pôde ser aberto para leitura.");

  // Without --aba no worksheet is named: the message has no line for one,
  // rather than an empty line inside it.
  const std::string damaged = (dir_ / "danificada.xlsx").string();
  std::ofstream(damaged, std::ios::binary) << "isto n\xC3\xA3o \xC3\xA9 uma pasta de trabalho\n";
  const CliRun bad = Celulas(dir_, "--planilha " + damaged);
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err,
            "O arquivo informado não é uma pasta de trabalho do Excel (.xlsx, .xlsm ou .xls).\n"
            "Problema de comunicação com o Excel. Tente Novamente!\n"
            "Se persistir o problema verifique o funcionamento do Excel.\n");
  EXPECT_EQ(noFile.err.find("\n\n"), std::string::npos) << noFile.err;

  EXPECT_EQ(Celulas(dir_, "").status, 2);
  EXPECT_EQ(Celulas(dir_, "--planilha").status, 2);
  EXPECT_EQ(Celulas(dir_, "--planilha " + book_ + " --linhas 3").status, 2);
  const CliRun help = Celulas(dir_, "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Uso: voske-cli celulas --planilha ARQUIVO [--aba NOME]"), std::string::npos);
}

}  // namespace
}  // namespace voske
