// The trial balance and the schedules that every reference year carries:
// linked assets, cash flow, balance ageing, profit or loss and solvency.
#include "sample_workbook.h"

namespace voske::sample {

void AddFinancialSheets(Workbook& wb) {
  for (const char* name : {"Ativos Vinculados", "Ativos Vinculados Mantenedor", "Fluxo De Caixa", "Idade de Saldos",
                           "Lucros ou Prejuízos", "Solvência", "Balancete Ativo", "Balancete Passivo",
                           "Balancete Receita", "Balancete Despesa"})
    wb[name];
}

}  // namespace voske::sample
