#include "workbook/sheet_names.h"

#include "text/cp1252.h"

namespace voske {

namespace {

// In the order of SheetId, in UTF-8 as the source is written; converted once.
constexpr std::array<const char*, kSheetCount> kNames = {
    "Dados Cadastrais",
    "Listas",
    "Administradores",
    "Representantes",
    "Acionistas",
    "Controladas",
    "Dependências",
    "Ativos Vinculados",
    "Ativos Vinculados Mantenedor",
    "Fluxo De Caixa",
    "Idade de Saldos",
    "Lucros ou Prejuízos",
    "Solvência",
    "Balancete Ativo",
    "Balancete Passivo",
    "Balancete Receita",
    "Balancete Despesa",
    "Intercâmbio",
    "Corresponsabilidade",
    "Provisão",
    "Contratos Estipulados",
    "Quadros Auxiliares Eventos",
    "Intercâmbio Eventual Receber",
    "Intercâmbio Eventual Pagar",
    "IN_20",
};

}  // namespace

const Text& SheetName(SheetId id) {
  static const std::array<Text, kSheetCount> names = [] {
    std::array<Text, kSheetCount> out;
    for (std::size_t i = 0; i < kSheetCount; ++i) out[i] = Ansi(kNames[i]);
    return out;
  }();
  return names[static_cast<std::size_t>(id)];
}

}  // namespace voske
