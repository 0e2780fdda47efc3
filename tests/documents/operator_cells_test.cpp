// The key cells of "Dados Cadastrais" and the reference year, which the load
// sequence, the envelope and both builders read through one function each.
#include <gtest/gtest.h>

#include "documents/operator_cells.h"
#include "text/error.h"
#include "text/cp1252.h"

namespace voske {
namespace {

Worksheets Registration(Cell period, const char* kind = "", const char* subKind = "") {
  WorksheetArray sheet(30, 2);
  sheet.Mutable(3, 2) = std::move(period);
  sheet.Mutable(5, 2) = Cell::MakeText("12345-6");
  sheet.Mutable(6, 2) = Cell::MakeNumber(1234567000189);
  sheet.Mutable(7, 2) = Cell::MakeText("Operadora Exemplo");
  if (*kind) sheet.Mutable(26, 2) = Cell::MakeText(kind);
  if (*subKind) sheet.Mutable(27, 2) = Cell::MakeText(subKind);
  Worksheets sheets;
  sheets.Set(SheetId::DadosCadastrais, std::move(sheet));
  return sheets;
}

TEST(OperatorCells, ReadTheIdentificationAndUpperCaseTheKindCodes) {
  const Worksheets sheets = Registration(Cell::MakeNumber(41364), "autog", " patrs");
  EXPECT_EQ(RegistrationNumberText(sheets), "12345-6");
  EXPECT_EQ(CnpjText(sheets), "1234567000189");
  EXPECT_EQ(CompanyNameText(sheets), "Operadora Exemplo");
  EXPECT_EQ(PeriodCell(sheets).number, 41364);
  EXPECT_EQ(KindCode(sheets), "AUTOG");
  EXPECT_EQ(SubKindCode(sheets), " PATRS");  // compared as typed, blanks and all
}

TEST(OperatorCells, TheReferenceYearComesFromADateSerialOrADateText) {
  EXPECT_EQ(ReferenceYear(Registration(Cell::MakeNumber(41364))), 2013);  // 2013-03-31
  EXPECT_EQ(ReferenceYear(Registration(Cell::MakeNumber(40178))), 2009);  // 2009-12-31
  EXPECT_EQ(ReferenceYear(Registration(Cell::MakeText("31/12/2011"))), 2011);
  EXPECT_EQ(ReferenceYear(Registration(Cell::MakeText("01/03/2012"))), 2012);
}

TEST(OperatorCells, AReferenceDateThatIsNoDateStopsWithTheDateMessage) {
  for (const char* text : {"", "março de 2012", "31/13/2012", "12/2012"}) {
    try {
      ReferenceYear(Registration(Cell::MakeText(Ansi(text))));
      ADD_FAILURE() << "accepted \"" << text << "\"";
    } catch (const EGenerica& e) {
      EXPECT_EQ(ToUtf8(e.Message()), std::string("A data \"") + text + "\" não é uma data válida.");
    }
  }
}

TEST(OperatorCells, WhichOptionalWorksheetsTheOperatorsKindCarries) {
  EXPECT_FALSE(HasShareholderSheet("AUTOG"));
  EXPECT_TRUE(HasShareholderSheet("MEGRP"));
  EXPECT_TRUE(HasShareholderSheet(""));

  EXPECT_TRUE(HasMaintainerAssets("AUTOG", ""));
  EXPECT_TRUE(HasMaintainerAssets("AUTOG", "AUTMN"));
  EXPECT_FALSE(HasMaintainerAssets("AUTOG", "NPATR"));
  EXPECT_FALSE(HasMaintainerAssets("AUTOG", "AUTSM"));
  EXPECT_FALSE(HasMaintainerAssets("MEGRP", "AUTMN"));
}

}  // namespace
}  // namespace voske
