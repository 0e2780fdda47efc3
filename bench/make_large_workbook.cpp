// make-large-workbook OUT.xlsx [ROWS]: writes the benchmarks' large workbook.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "common/program_arguments.h"
#include "large_workbook.h"

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "make-large-workbook",
      "Uso: make-large-workbook SAIDA.xlsx [LINHAS_POR_PLANILHA]\n"
      "Grava a pasta de trabalho grande dos benchmarks: quatro planilhas de balancete\n"
      "com LINHAS_POR_PLANILHA linhas (padrão 100000) de 6 colunas.\n",
      {}, 1, 2};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  voske::bench::LargeWorkbookShape shape;
  if (argc == 3) shape.rows = std::atoi(argv[2]);
  if (shape.rows < 1) {
    std::fprintf(stderr, "make-large-workbook: número de linhas inválido\n");
    return 2;
  }
  try {
    voske::bench::WriteLargeWorkbook(argv[1], shape);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make-large-workbook: %s\n", e.what());
    return 1;
  }
  return 0;
}
