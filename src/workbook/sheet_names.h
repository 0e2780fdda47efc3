#pragma once
// The worksheets of the standard workbook that a generation reads, and the
// one place that spells their names. A name mistyped anywhere else would read
// as a missing worksheet; an identifier cannot be mistyped.
#include <array>
#include <cstddef>

#include "text/text.h"

namespace voske {

// Every worksheet a generation reads, once: its identifier and its name in
// the workbook (UTF-8, as the source is written). The identifiers and the
// names are both made from this one list.
#define VOSKE_WORKSHEETS(X)                                         \
  X(DadosCadastrais, "Dados Cadastrais")                            \
  X(Listas, "Listas")                                               \
  X(Administradores, "Administradores")                             \
  X(Representantes, "Representantes")                              \
  X(Acionistas, "Acionistas")                                       \
  X(Controladas, "Controladas")                                     \
  X(Dependencias, "Dependências")                                   \
  X(AtivosVinculados, "Ativos Vinculados")                          \
  X(AtivosVinculadosMantenedor, "Ativos Vinculados Mantenedor")     \
  X(FluxoDeCaixa, "Fluxo De Caixa")                                 \
  X(IdadeDeSaldos, "Idade de Saldos")                               \
  X(LucrosOuPrejuizos, "Lucros ou Prejuízos")                       \
  X(Solvencia, "Solvência")                                         \
  X(BalanceteAtivo, "Balancete Ativo")                              \
  X(BalancetePassivo, "Balancete Passivo")                          \
  X(BalanceteReceita, "Balancete Receita")                          \
  X(BalanceteDespesa, "Balancete Despesa")                          \
  X(Intercambio, "Intercâmbio")                                     \
  X(Corresponsabilidade, "Corresponsabilidade")                     \
  X(Provisao, "Provisão")                                           \
  X(ContratosEstipulados, "Contratos Estipulados")                  \
  X(QuadrosAuxiliaresEventos, "Quadros Auxiliares Eventos")         \
  X(IntercambioEventualReceber, "Intercâmbio Eventual Receber")     \
  X(IntercambioEventualPagar, "Intercâmbio Eventual Pagar")         \
  X(In20, "IN_20")

#define VOSKE_SHEET_ID(id, name) id,
enum class SheetId { VOSKE_WORKSHEETS(VOSKE_SHEET_ID) };
#undef VOSKE_SHEET_ID

#define VOSKE_COUNT_SHEET(id, name) +1
inline constexpr std::size_t kSheetCount = 0 VOSKE_WORKSHEETS(VOSKE_COUNT_SHEET);
#undef VOSKE_COUNT_SHEET

// The worksheet's name in the workbook (Windows-1252), as the readers look it up.
const Text& SheetName(SheetId id);

}  // namespace voske
