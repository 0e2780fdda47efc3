// Writes the sample workbook: make-sample-workbook OUTPUT.xlsx
#include <cstdio>
#include <exception>

#include "sample_workbook.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: make-sample-workbook SAIDA.xlsx\n");
    return 2;
  }
  try {
    voske::sample::WriteXlsx(voske::sample::MakeSampleWorkbook(), argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
