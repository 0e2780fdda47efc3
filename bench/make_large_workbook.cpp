// make-large-workbook OUT.xlsx [ROWS]: writes the benchmarks' large workbook.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "large_workbook.h"

int main(int argc, char** argv) {
  const char* usage = "Uso: make-large-workbook SAIDA.xlsx [LINHAS_POR_PLANILHA]\n";
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(usage, stdout);
    return 0;
  }
  // An option is never taken for the name of the workbook to write.
  if (argc < 2 || argc > 3 || argv[1][0] == '-') {
    std::fputs(usage, stderr);
    return 2;
  }
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
