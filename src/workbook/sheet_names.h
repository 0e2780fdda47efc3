#pragma once
// The worksheets of the standard workbook that a generation reads, and the
// one place that spells their names. A name mistyped anywhere else would read
// as a missing worksheet; an identifier cannot be mistyped.
#include <array>

#include "text/text.h"

namespace voske {

enum class SheetId {
  DadosCadastrais,
  Listas,
  Administradores,
  Representantes,
  Acionistas,
  Controladas,
  Dependencias,
  AtivosVinculados,
  AtivosVinculadosMantenedor,
  FluxoDeCaixa,
  IdadeDeSaldos,
  LucrosOuPrejuizos,
  Solvencia,
  BalanceteAtivo,
  BalancetePassivo,
  BalanceteReceita,
  BalanceteDespesa,
  Intercambio,
  Corresponsabilidade,
  Provisao,
  ContratosEstipulados,
  QuadrosAuxiliaresEventos,
  IntercambioEventualReceber,
  IntercambioEventualPagar,
  In20,
};

inline constexpr std::size_t kSheetCount = static_cast<std::size_t>(SheetId::In20) + 1;

// The worksheet's name in the workbook (Windows-1252), as the readers look it up.
const Text& SheetName(SheetId id);

}  // namespace voske
