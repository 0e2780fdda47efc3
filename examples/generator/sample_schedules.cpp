// The schedules that depend on the reference year: interchange,
// co-responsibility, provisions, stipulated contracts, coverage events,
// eventual interchange and the IN_20 accounts.
#include "sample_workbook.h"

namespace voske::sample {

void AddScheduleSheets(Workbook& wb) {
  for (const char* name : {"Intercâmbio", "Corresponsabilidade", "Provisão", "Contratos Estipulados",
                           "Quadros Auxiliares Eventos", "Intercâmbio Eventual Receber",
                           "Intercâmbio Eventual Pagar", "IN_20"})
    wb[name];
}

}  // namespace voske::sample
