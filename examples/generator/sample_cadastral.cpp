// The registration worksheets of the sample operator.
#include "sample_workbook.h"

namespace voske::sample {

void AddCadastralSheets(Workbook& wb) {
  for (const char* name : {"Dados Cadastrais", "Listas", "Administradores", "Representantes", "Acionistas",
                           "Controladas", "Dependências"})
    wb[name];
}

}  // namespace voske::sample
