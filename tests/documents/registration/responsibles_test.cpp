// oxr:dadosBasicos and oxr:administradores, from "Administradores": which row
// answers for each responsibility, and the administrators' mandates.
#include <gtest/gtest.h>

#include "registration_run.h"

namespace voske::support {
namespace {

TEST(DadosBasicos, PersonBeforeFirmEarlierRowFirstAndUntrimmedCodes) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& adm = wb["Administradores"];
  // Firms from row 16: no audit firm any more, but one for accounting and
  // one for actuarial work.
  adm.ClearRowsFrom(16);
  adm.SetRow(17, 8, {"C", "11.222.333/0001-81", "Contabilidade Exemplo Ltda.", "2SP000001/O-1"});
  adm.SetRow(18, 8, {"T", "11.222.333/0001-81", "Atuaria Exemplo Ltda.", "MIBA 77"});
  // Accounting: a later person (row 12) carries the code too; row 10 wins.
  adm.SetRow(12, 8, {"c", "111.444.777-35", "Outra Contadora", "1SP999999/O-1"});
  // Actuarial: the person's code has a leading blank, so the firm answers.
  adm.Set("H11", " T");
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  EXPECT_EQ(Outline(run->Kind().child("oxr:dadosBasicos")), R"(oxr:dadosBasicos
  oxr:respContabilidade
    oxr:identifResp
      oxr:CPF = 21534876928
    oxr:nome = Paulo Henrique Nogueira
    oxr:numRegistro = 1SP245678/O-3
  oxr:respAtuaria
    oxr:identifResp
      oxr:CNPJ = 11222333000181
    oxr:nome = Atuaria Exemplo Ltda.
    oxr:numRegistro = MIBA 77
  oxr:respAuditoria =
)");
}

TEST(Administradores, MandatesAndTechnicalResponsibles) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& adm = wb["Administradores"];
  adm.Clear(6, 5);            // no start of mandate
  adm.Set("H5", " m");        // council code trimmed and upper-cased
  adm.Set("H6", "X");         // neither medicine nor dentistry
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const XmlNode a = run->Kind().child("oxr:administradores");
  const auto admins = Children(a, "oxr:administrador");
  ASSERT_EQ(admins.size(), 3u);
  EXPECT_EQ(std::string(admins[1].child("oxr:dataIniMandato").child_value()), "");
  EXPECT_TRUE(admins[1].child("oxr:dataIniMandato"));
  EXPECT_EQ(std::string(admins[1].child("oxr:dataFimMandato").child_value()), "2026-03-31");
  EXPECT_FALSE(admins[2].child("oxr:dataFimMandato"));
  EXPECT_EQ(ChildNames(a).back(), "oxr:respTecnico");
  ASSERT_EQ(Children(a, "oxr:respTecnico").size(), 1u);
  EXPECT_EQ(Outline(a.child("oxr:respTecnico")), R"(oxr:respTecnico
  oxr:CPF = 19368245746
  oxr:tipoConsRegional = M
  oxr:numConsRegional = 98765/SP
)");
}

TEST(Administradores, NoAdministratorsGiveAnEmptySection) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb.Remove("Administradores");
  wb["Administradores"];
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);
  EXPECT_EQ(Outline(run->Kind().child("oxr:administradores")), "oxr:administradores =\n");
  EXPECT_EQ(Outline(run->Kind().child("oxr:dadosBasicos")),
            "oxr:dadosBasicos\n  oxr:respContabilidade =\n  oxr:respAtuaria =\n  oxr:respAuditoria =\n");
}

}  // namespace
}  // namespace voske::support
