// oxr:representante and oxr:represRN117, from "Representantes": when the
// address is written, which phone rows belong to whom, and the identity
// document of the second representative.
#include <gtest/gtest.h>

#include "registration_run.h"

namespace voske::support {
namespace {

TEST(Representante, IncompleteAddressDropsAddressAndTelephones) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Representantes"].Clear("E5");  // no complement
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);
  EXPECT_EQ(ChildNames(run->Kind().child("oxr:representante")),
            (std::vector<std::string>{"oxr:CPF", "oxr:nome", "oxr:eMail"}));
}

TEST(Representante, EveryTelephoneRowOfItsCpfAndNoFax) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& rep = wb["Representantes"];
  rep.Clear("B6");
  // The CPF is typed with punctuation in B4; the rows hold it as a number
  // and as text with other punctuation.
  rep.SetRow(5, 9, {28461593782.0, "T", 55.0, 11.0, "99812-3344"});
  rep.SetRow(6, 9, {"284615937-82", " t", 55.0, 11.0, "3251-4000", 201.0});
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const XmlNode r = run->Kind().child("oxr:representante");
  EXPECT_EQ(ChildNames(r), (std::vector<std::string>{"oxr:CPF", "oxr:nome", "oxr:enderecoRepresentante",
                                                     "oxr:telefone", "oxr:telefone"}));
  ASSERT_EQ(Children(r, "oxr:telefone").size(), 2u);
  EXPECT_EQ(std::string(Children(r, "oxr:telefone")[0].child("oxr:numeroTel").child_value()), "998123344");
  EXPECT_EQ(std::string(Children(r, "oxr:telefone")[1].child("oxr:ramal").child_value()), "201");
}

TEST(RepresRN117, CpfWithLeadingZeroTypedAsNumberInThePhoneRows) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& rep = wb["Representantes"];
  rep.Set("B9", "045.218.736-26");
  // Typed bare into a number cell, the CPF loses its leading zero.
  rep.SetRow(8, 9, {4521873626.0, "T", 55.0, 19.0, "3234-8800", 15.0});
  rep.SetRow(9, 9, {4521873626.0, "F", 55.0, 19.0, "3234-8801"});
  rep.Clear(10, 9);
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const XmlNode r = run->Kind().child("oxr:represRN117");
  EXPECT_EQ(std::string(r.child("oxr:CPF").child_value()), "04521873626");
  EXPECT_EQ(std::string(r.child("oxr:telefone").child("oxr:numeroTel").child_value()), "32348800");
  EXPECT_EQ(std::string(r.child("oxr:fax").child("oxr:numeroTel").child_value()), "32348801");
}

const char* const kEmptyTelephone = R"(oxr:telefone
  oxr:codigoDDI =
  oxr:codigoDDD =
  oxr:numeroTel =
  oxr:ramal =
)";

TEST(RepresRN117, WithoutPhoneRowsHoldsOneEmptyTelephone) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& rep = wb["Representantes"];
  for (int row = 8; row <= 10; ++row) rep.Clear(row, 9);  // the second representative's rows
  rep.ClearRowsFrom(11);
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const XmlNode r = run->Kind().child("oxr:represRN117");
  ASSERT_EQ(Children(r, "oxr:telefone").size(), 1u);
  EXPECT_EQ(Outline(r.child("oxr:telefone")), kEmptyTelephone);
  EXPECT_FALSE(r.child("oxr:fax"));
}

TEST(RepresRN117, WithoutCpfHoldsOneEmptyTelephoneAndNoFax) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Representantes"].Clear("B9");
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const XmlNode r = run->Kind().child("oxr:represRN117");
  EXPECT_EQ(std::string(r.child("oxr:CPF").child_value()), "");
  EXPECT_EQ(Outline(r.child("oxr:telefone")), kEmptyTelephone);
  EXPECT_FALSE(r.child("oxr:fax"));
}

TEST(RepresRN117, MunicipalityMissingFromListasOrEmpty) {
  sample::Workbook unlisted = sample::MakeSampleWorkbook();
  unlisted["Representantes"].Set("G11", 999999.0);
  auto run = RunCadastralOk(unlisted);
  ASSERT_TRUE(run->document);
  XmlNode address = run->Kind().child("oxr:represRN117").child("oxr:enderecoRepresentante");
  EXPECT_EQ(ChildNames(address), (std::vector<std::string>{"oxr:logradouro", "oxr:numLogradouro", "oxr:complemento",
                                                           "oxr:bairro", "oxr:municipioIBGE", "oxr:cep"}));
  EXPECT_TRUE(run->Kind().child("oxr:represRN117").child("oxr:fax"));

  // An empty code gives an empty state, and an incomplete address no fax.
  sample::Workbook empty = sample::MakeSampleWorkbook();
  empty["Representantes"].Clear("G11");
  run = RunCadastralOk(empty);
  ASSERT_TRUE(run->document);
  address = run->Kind().child("oxr:represRN117").child("oxr:enderecoRepresentante");
  EXPECT_EQ(Outline(address), R"(oxr:enderecoRepresentante
  oxr:logradouro = Rua Barão de Jaguara
  oxr:numLogradouro = 1481
  oxr:complemento = Sala 72
  oxr:bairro = Centro
  oxr:municipioIBGE =
  oxr:siglaUF =
  oxr:cep = 13015910
)");
  EXPECT_FALSE(run->Kind().child("oxr:represRN117").child("oxr:fax"));
  EXPECT_EQ(Children(run->Kind().child("oxr:represRN117"), "oxr:telefone").size(), 1u);
}

TEST(RepresRN117, IdentityDocumentWithoutDatesOrEmail) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& rep = wb["Representantes"];
  rep.Clear("B11");
  rep.Clear("B13");
  rep.Clear("B14");
  auto run = RunCadastralOk(wb);
  ASSERT_TRUE(run->document);

  const XmlNode r = run->Kind().child("oxr:represRN117");
  EXPECT_EQ(ChildNames(r),
            (std::vector<std::string>{"oxr:CPF", "oxr:nome", "oxr:enderecoRepresentante", "oxr:telefone", "oxr:fax",
                                      "oxr:numeroRG", "oxr:dataExpedicao", "oxr:orgaoExpedidor", "oxr:pais",
                                      "oxr:cargo"}));
  EXPECT_EQ(std::string(r.child("oxr:dataExpedicao").child_value()), "");
}

}  // namespace
}  // namespace voske::support
