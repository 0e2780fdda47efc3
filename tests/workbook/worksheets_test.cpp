// The worksheets of one generation: the one table of names, and a read of a
// worksheet the load sequence did not load, which is a fault of the program.
#include <gtest/gtest.h>

#include <set>

#include "text/cp1252.h"
#include "workbook/worksheets.h"

namespace voske {
namespace {

TEST(SheetNames, EveryWorksheetHasItsOwnNameAsTheWorkbookSpellsIt) {
  std::set<Text> names;
  for (std::size_t i = 0; i < kSheetCount; ++i) names.insert(SheetName(static_cast<SheetId>(i)));
  EXPECT_EQ(names.size(), kSheetCount);
  EXPECT_EQ(names.count(Text()), 0u);
  // The accented names, in Windows-1252 as the readers compare them.
  EXPECT_EQ(SheetName(SheetId::Dependencias), Ansi("Dependências"));
  EXPECT_EQ(SheetName(SheetId::LucrosOuPrejuizos), Ansi("Lucros ou Prejuízos"));
  EXPECT_EQ(SheetName(SheetId::Solvencia), Ansi("Solvência"));
  EXPECT_EQ(SheetName(SheetId::Provisao), Ansi("Provisão"));
  EXPECT_EQ(SheetName(SheetId::IntercambioEventualPagar), Ansi("Intercâmbio Eventual Pagar"));
  EXPECT_EQ(SheetName(SheetId::DadosCadastrais), "Dados Cadastrais");
  EXPECT_EQ(SheetName(SheetId::FluxoDeCaixa), "Fluxo De Caixa");
  EXPECT_EQ(SheetName(SheetId::In20), "IN_20");
}

TEST(Worksheets, ALoadedWorksheetIsReadWithItsNameAndAnUnloadedOneIsAnInternalFault) {
  WorksheetArray array(4, 3);
  array.Mutable(3, 2) = Cell::MakeText("valor");
  Worksheets sheets;
  sheets.Set(SheetId::Listas, std::move(array));

  EXPECT_TRUE(sheets.Loaded(SheetId::Listas));
  EXPECT_FALSE(sheets.Loaded(SheetId::Acionistas));
  const SheetView listas = sheets[SheetId::Listas];
  EXPECT_EQ(listas.Id(), SheetId::Listas);
  EXPECT_EQ(listas.Name(), "Listas");
  EXPECT_EQ(listas.TextAt(3, Col('B')), "valor");
  EXPECT_TRUE(listas.At(100, Col('Z')).IsEmpty());

  // Not an empty worksheet, and not a message for the user: the generation
  // stops on it, and the tests that run every builder see it.
  try {
    sheets[SheetId::Acionistas];
    ADD_FAILURE() << "an unloaded worksheet was read";
  } catch (const EWorksheetNotLoaded& e) {
    EXPECT_NE(std::string(e.what()).find("Acionistas"), std::string::npos) << e.what();
  }
  // An empty worksheet that was loaded is no fault.
  sheets.Set(SheetId::Acionistas, WorksheetArray());
  EXPECT_EQ(sheets[SheetId::Acionistas].TextAt(1, Col('A')), "");
}

TEST(Worksheets, ColumnLettersNumberFromA) {
  static_assert(Col('A') == 1);
  static_assert(Col('G') == 7);
  static_assert(Col('Z') == 26);
}

}  // namespace
}  // namespace voske
