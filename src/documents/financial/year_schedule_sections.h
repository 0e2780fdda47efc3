#pragma once
// The section writers behind WriteYearSchedules, one per element of the root,
// in document order. Each returns to the root before opening its element; the
// caller decides by the reference year which of them run.
#include "documents/financial/financial_context.h"

namespace voske {

// oxr:intercambio from "Intercâmbio": the 2010 layout (operators only, data
// from row 5) or the layout of 2011 on (operators and non-operators, from row 6).
void WriteInterchange(FinancialContext& ctx);
// oxr:corresponsabilidade from "Corresponsabilidade".
void WriteCoResponsibility(FinancialContext& ctx);
// oxr:segProvEventosSinistrosLiq from "Provisão".
void WriteProvisions(FinancialContext& ctx);
// oxr:contratosEstipulados from "Contratos Estipulados".
void WriteStipulatedContracts(FinancialContext& ctx);
// oxr:coberturaAssistencial from "Quadros Auxiliares Eventos".
void WriteCoverageEvents(FinancialContext& ctx);
// oxr:intercambioEventual from "Intercâmbio Eventual Receber" and "... Pagar".
void WriteEventualInterchange(FinancialContext& ctx);
// The two tables of "IN_20", which share one status line.
bool HasCooperativeAccounts(const FinancialContext& ctx);
bool HasTaxLiabilities(const FinancialContext& ctx);
// oxr:contaCorrenteCooperado, when HasCooperativeAccounts.
void WriteCooperativeAccounts(FinancialContext& ctx);
// oxr:contaTributoPassivo, when HasTaxLiabilities.
void WriteTaxLiabilities(FinancialContext& ctx);

}  // namespace voske
