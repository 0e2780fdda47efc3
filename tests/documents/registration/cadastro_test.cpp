// oxr:cadastro and oxr:enquadramento, from "Dados Cadastrais": the phone and
// fax walks, the addresses with their state from "Listas", and the sorted
// area of operation.
#include <gtest/gtest.h>

#include "registration_run.h"

namespace voske::support {
namespace {

std::vector<std::string> PhoneNumbers(XmlNode parent, const char* element) {
  std::vector<std::string> numbers;
  for (XmlNode p : Children(parent, element)) numbers.push_back(p.child("oxr:numeroTel").child_value());
  return numbers;
}

TEST(CadastroPhones, TelephonesThenFaxesUntilTheFirstEmptyType) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& dc = wb["Dados Cadastrais"];
  dc.SetRow(6, 7, {"T", 55.0, 11.0, "1111-1111"});
  dc.SetRow(7, 7, {"f", 55.0, 11.0, "2222-2222"});
  dc.SetRow(8, 7, {" ", 55.0, 11.0, "3333-3333"});  // only a blank: passed over
  dc.SetRow(9, 7, {" t ", 55.0, 11.0, "4444-4444"});
  dc.SetRow(10, 7, {"X", 55.0, 11.0, "5555-5555"});
  dc.SetRow(11, 7, {"F", 55.0, 11.0, "6666-6666", 9.0});
  // Row 12 is empty and ends the list: row 13 is never read.
  dc.SetRow(13, 7, {"T", 55.0, 11.0, "7777-7777"});
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const XmlNode cadastro = run->Kind().child("oxr:cadastro");
  EXPECT_EQ(ChildNames(cadastro),
            (std::vector<std::string>{"oxr:nomeFantasia", "oxr:enderecoMatriz", "oxr:telefone", "oxr:telefone",
                                      "oxr:fax", "oxr:fax", "oxr:eMail", "oxr:enderecoCorresp"}));
  EXPECT_EQ(PhoneNumbers(cadastro, "oxr:telefone"), (std::vector<std::string>{"11111111", "44444444"}));
  EXPECT_EQ(PhoneNumbers(cadastro, "oxr:fax"), (std::vector<std::string>{"22222222", "66666666"}));
  ASSERT_EQ(Children(cadastro, "oxr:fax").size(), 2u);
  EXPECT_EQ(Outline(Children(cadastro, "oxr:fax")[1]),
            "oxr:fax\n  oxr:codigoDDI = 55\n  oxr:codigoDDD = 11\n  oxr:numeroTel = 66666666\n  oxr:ramal = 9\n");
}

TEST(CadastroPhones, NoPhoneRowsAndNoEmailStillWriteTheEmptyEmail) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& dc = wb["Dados Cadastrais"];
  for (int row = 6; row <= 8; ++row) dc.Clear(row, 7);
  dc.Clear("B10");
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const XmlNode cadastro = run->Kind().child("oxr:cadastro");
  EXPECT_EQ(ChildNames(cadastro),
            (std::vector<std::string>{"oxr:nomeFantasia", "oxr:enderecoMatriz", "oxr:eMail", "oxr:enderecoCorresp"}));
  EXPECT_EQ(std::string(cadastro.child("oxr:eMail").child_value()), "");
}

TEST(CadastroAddresses, StateComesFromListasComparingCodesAsValues) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& dc = wb["Dados Cadastrais"];
  sample::Sheet& listas = wb["Listas"];
  // The head office's code is a number, the one in "Listas" a text.
  listas.SetRow(5, 1, {"355030", "sp"});
  dc.Set("D17", 355030.0);
  dc.Set("D16", "01310-200");
  // The mailing address names a municipality listed only below the gap that
  // ends the "Listas" table.
  listas.SetRow(30, 1, {999999.0, "ZZ"});
  dc.Set("D22", 999999.0);
  dc.Set("D21", 1310200.0);
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const XmlNode cadastro = run->Kind().child("oxr:cadastro");
  EXPECT_EQ(Outline(cadastro.child("oxr:enderecoMatriz")), R"(oxr:enderecoMatriz
  oxr:logradouro = Avenida Paulista
  oxr:numLogradouro = 1842
  oxr:complemento = Conjunto 155
  oxr:bairro = Bela Vista
  oxr:municipioIBGE = 355030
  oxr:siglaUF = SP
  oxr:cep = 01310200
)");
  EXPECT_EQ(Outline(cadastro.child("oxr:enderecoCorresp")), R"(oxr:enderecoCorresp
  oxr:logradouro = Rua Barão de Jaguara
  oxr:numLogradouro = 1481
  oxr:complemento = Sala 72
  oxr:bairro = Centro
  oxr:municipioIBGE = 999999
  oxr:cep = 01310200
)");
}

sample::Workbook WithAreaRows(std::initializer_list<std::pair<const char*, sample::Value>> rows) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& dc = wb["Dados Cadastrais"];
  dc.ClearRowsFrom(33);
  int row = 33;
  for (const auto& [uf, municipality] : rows) dc.SetRow(row++, 1, {std::string(uf), municipality});
  return wb;
}

TEST(Enquadramento, AreasAreSortedAndGroupedByState) {
  auto run = RunCadastralOk(WithAreaRows({{"SP", 355030.0}, {"rj", std::string("TODOS")}, {"SP", 350950.0}}));
  ASSERT_TRUE(run->document);
  EXPECT_EQ(Outline(run->Kind().child("oxr:enquadramento")), R"(oxr:enquadramento
  oxr:segmentacao = SPP
  oxr:UF
    oxr:siglaUF = RJ
    oxr:todosMunicipios = S
  oxr:UF
    oxr:siglaUF = SP
    oxr:listaMunicipios
      oxr:municipioIBGE = 350950
      oxr:municipioIBGE = 355030
)");
}

TEST(Enquadramento, StateTypedInEitherCaseIsListedOnce) {
  auto run = RunCadastralOk(WithAreaRows(
      {{"SP", 355030.0}, {"mg", std::string("todos")}, {"sp", 350950.0}, {"Sp", 354850.0}, {"MG", std::string("TODOS")}}));
  ASSERT_TRUE(run->document);
  EXPECT_EQ(Outline(run->Kind().child("oxr:enquadramento")), R"(oxr:enquadramento
  oxr:segmentacao = SPP
  oxr:UF
    oxr:siglaUF = MG
    oxr:todosMunicipios = S
  oxr:UF
    oxr:siglaUF = MG
    oxr:todosMunicipios = S
  oxr:UF
    oxr:siglaUF = SP
    oxr:listaMunicipios
      oxr:municipioIBGE = 350950
      oxr:municipioIBGE = 354850
      oxr:municipioIBGE = 355030
)");
}

TEST(Enquadramento, NoAreaRowsLeaveOnlyTheSegmentation) {
  auto run = RunCadastralOk(WithAreaRows({}));
  ASSERT_TRUE(run->document);
  EXPECT_EQ(Outline(run->Kind().child("oxr:enquadramento")), "oxr:enquadramento\n  oxr:segmentacao = SPP\n");
}

}  // namespace
}  // namespace voske::support
