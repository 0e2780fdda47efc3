// Writes the sample workbook: make-sample-workbook OUTPUT.xlsx
#include <cstdio>
#include <exception>

#include "common/program_arguments.h"
#include "sample_workbook.h"

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "make-sample-workbook",
      "Uso: make-sample-workbook SAIDA.xlsx\n"
      "Grava a Planilha Padrão da operadora de exemplo (examples/planilha-exemplo.xlsx).\n",
      {}, 1, 1};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  try {
    voske::sample::WriteXlsx(voske::sample::MakeSampleWorkbook(), argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
