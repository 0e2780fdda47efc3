// oxr:acionQuotistas, oxr:controlColigadas and oxr:dependencias, from
// "Acionistas", "Controladas" and "Dependências".
#include <gtest/gtest.h>

#include "registration_run.h"

namespace voske::support {
namespace {

XmlNode Shareholders(const CadastralRun& run) { return run.Kind().child("oxr:acionQuotistas"); }

TEST(AcionQuotistas, ListOnlyWhenB3IsExactlyCapitalN) {
  struct Case {
    const char* b3;
    const char* written;
    std::size_t listed;
  };
  for (const Case& c : {Case{"N", "N", 4}, Case{"n", "N", 0}, Case{"Não", "N", 0}, Case{"S", "S", 0}}) {
    SCOPED_TRACE(c.b3);
    sample::Workbook wb = sample::MakeSampleWorkbook();
    wb["Acionistas"].Set("B3", c.b3);
    auto run = RunCadastralOk(wb);
    ASSERT_TRUE(run->document);
    EXPECT_EQ(std::string(Shareholders(*run).child("oxr:totalmentePulverizado").child_value()), c.written);
    EXPECT_EQ(Children(Shareholders(*run), "oxr:acionistaQuotista").size(), c.listed);
    ASSERT_GE(ChildNames(Shareholders(*run)).size(), 2u);
    EXPECT_EQ(ChildNames(Shareholders(*run))[1], "oxr:totalAcoesQuotas");
  }
}

TEST(AcionQuotistas, QuantitiesNamesAndRowsWithOnlyOneHolder) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& ac = wb["Acionistas"];
  ac.Clear("B5");
  ac.ClearRowsFrom(9);
  // A firm without quantity whose name runs past 60 characters.
  ac.SetRow(9, 1, {"31.902.648/0001-87", "Serra Azul Participações e Empreendimentos Imobiliários da Região Sudeste S.A.", {}});
  ac.SetRow(10, 6, {"284.615.937-82", "Helena Duarte Figueiredo", 1234.567});
  ac.SetRow(11, 1, {"18337205000122", "Fundo Vale Verde", "2,5", {}, {}, "319.427.586-00", "Ricardo Almeida Tavares",
                    10.0});
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  EXPECT_EQ(Outline(Shareholders(*run)), R"(oxr:acionQuotistas
  oxr:totalmentePulverizado = N
  oxr:totalAcoesQuotas = 0.0
  oxr:acionistaQuotista
    oxr:acionistaPJ
      oxr:razaoSocial = Serra Azul Participações e Empreendimentos Imobiliários da R
      oxr:CNPJ = 31902648000187
      oxr:qtdAcoesQuotas = 0.0
  oxr:acionistaQuotista
    oxr:acionistaPF
      oxr:nome = Helena Duarte Figueiredo
      oxr:CPF = 28461593782
      oxr:qtdAcoesQuotas = 1234.57
  oxr:acionistaQuotista
    oxr:acionistaPJ
      oxr:razaoSocial = Fundo Vale Verde
      oxr:CNPJ = 18337205000122
      oxr:qtdAcoesQuotas = 2.5
  oxr:acionistaQuotista
    oxr:acionistaPF
      oxr:nome = Ricardo Almeida Tavares
      oxr:CPF = 31942758600
      oxr:qtdAcoesQuotas = 10.0
)");
}

TEST(ControlColigadas, QuantitiesAsTypedAndZeroWhenEmpty) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& ct = wb["Controladas"];
  ct.Clear("E5");
  ct.Set("F5", "1.000.000");
  ct.Set("C6", " colig ");
  auto run = RunCadastral(wb);
  EXPECT_FALSE(run->generationFailed());
  // Written as typed, so the document is generated and the verification
  // points at the number the schema refuses.
  EXPECT_EQ(run->Messages(MessageIcon::Warning),
            std::vector<Text>{Ansi("XML gerado com sucesso.\r1 aviso de verificação: valores que o esquema da OXR "
                                   "recusa.\rAviso: Controladas!F5: oxr:totalAcoesQuotas \"1.000.000\": deve ser um "
                                   "número")});
  ASSERT_TRUE(run->document);

  const auto companies = Children(run->Kind().child("oxr:controlColigadas"), "oxr:empresa");
  ASSERT_EQ(companies.size(), 2u);
  EXPECT_EQ(std::string(companies[0].child("oxr:qtdeAcoesQuotas").child_value()), "0");
  EXPECT_EQ(std::string(companies[0].child("oxr:totalAcoesQuotas").child_value()), "1.000.000");
  EXPECT_EQ(std::string(companies[1].child("oxr:tipoVinculo").child_value()), "COLIG");
}

TEST(Dependencias, DependentsSharingACnpjShareAddressAndPhones) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& dep = wb["Dependências"];
  // A second establishment under the Campinas branch's CNPJ, typed bare.
  dep.SetRow(8, 1, {"24681357000221", "Serra Azul - Anexo Campinas", "filial"});
  // A second address row for that CNPJ is never used; a phone row for a
  // CNPJ of no dependent is never written.
  dep.SetRow(8, 6, {"24681357000221", "Rua Outra", "1", {}, "Centro", 350950.0, "13000-000"});
  dep.SetRow(10, 14, {"99.999.999/0001-91", "T", 55.0, 11.0, "9999-9999"});
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const auto dependents = Children(run->Kind().child("oxr:dependencias"), "oxr:empresaDependente");
  ASSERT_EQ(dependents.size(), 4u);
  EXPECT_EQ(std::string(dependents[3].child("oxr:tipo").child_value()), "Filial");
  EXPECT_EQ(std::string(dependents[3].child("oxr:CNPJ").child_value()), "24681357000221");
  EXPECT_EQ(ChildNames(dependents[3]), (std::vector<std::string>{"oxr:tipo", "oxr:razaoSocial", "oxr:CNPJ",
                                                                 "oxr:enderecoDependente", "oxr:telefone",
                                                                 "oxr:fax"}));
  for (const char* part : {"oxr:enderecoDependente", "oxr:telefone", "oxr:fax"})
    EXPECT_EQ(Outline(dependents[3].child(part)), Outline(dependents[0].child(part))) << part;
  EXPECT_EQ(std::string(dependents[0].child("oxr:enderecoDependente").child("oxr:logradouro").child_value()),
            "Avenida Norte-Sul");
  EXPECT_EQ(run->document->bytes.find("99999999"), std::string::npos);
}

TEST(Dependencias, NoDependentsGiveAnEmptySection) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Dependências"].ClearRowsFrom(5);
  wb["Controladas"].ClearRowsFrom(5);
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);
  EXPECT_EQ(Outline(run->Kind().child("oxr:controlColigadas")), "oxr:controlColigadas =\n");
  EXPECT_EQ(Outline(run->Kind().child("oxr:dependencias")), "oxr:dependencias =\n");
}

}  // namespace
}  // namespace voske::support
