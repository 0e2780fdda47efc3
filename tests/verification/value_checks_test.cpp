// The checks one value gets: check digits, lexical forms of the built-in
// types, and the schema tables' enumerations and patterns.
#include <gtest/gtest.h>

#include "text/cp1252.h"
#include "verification/check_digits.h"
#include "verification/document_verifier.h"
#include "verification/lexical_forms.h"
#include "verification/schema_pattern.h"
#include "xml/schema_tables.h"

namespace voske {
namespace {

TEST(CheckDigits, CnpjAcceptsRealNumbersAndRefusesAnyChangedDigit) {
  // Registry numbers with correct digits, including a remainder below 2.
  for (const char* good : {"11222333000181", "24681357000140", "00000000000191", "00000000000000"})
    EXPECT_TRUE(HasValidCnpjCheckDigits(good)) << good;
  EXPECT_FALSE(HasValidCnpjCheckDigits("24681357000141"));  // last digit off by one
  EXPECT_FALSE(HasValidCnpjCheckDigits("11222333000191"));  // first check digit wrong
  EXPECT_FALSE(HasValidCnpjCheckDigits("1122233300018"));   // 13 digits
  EXPECT_FALSE(HasValidCnpjCheckDigits("11.222.333/0001-81"));
  EXPECT_FALSE(HasValidCnpjCheckDigits(""));
}

TEST(CheckDigits, CpfAcceptsRealNumbersAndRefusesAnyChangedDigit) {
  for (const char* good : {"52998224725", "11144477735", "00000000000"}) EXPECT_TRUE(HasValidCpfCheckDigits(good)) << good;
  EXPECT_FALSE(HasValidCpfCheckDigits("52998224726"));
  EXPECT_FALSE(HasValidCpfCheckDigits("52998224715"));
  EXPECT_FALSE(HasValidCpfCheckDigits("5299822472"));
  EXPECT_FALSE(HasValidCpfCheckDigits("529982247250"));
  EXPECT_FALSE(HasValidCpfCheckDigits("5299822472a"));
}

TEST(LexicalForms, FloatsAsTheSchemaWritesThem) {
  for (const char* good : {"0", "12.5", "-12.5", "+1", ".5", "5.", "1E3", "1.5e-3", "INF", "-INF", "NaN"})
    EXPECT_TRUE(IsSchemaFloat(good)) << good;
  for (const char* bad : {"", "12,5", "1.2.3", "abc", "1E", "e5", ".", "-", "1 000", "inf", "R$ 10"})
    EXPECT_FALSE(IsSchemaFloat(bad)) << bad;
}

TEST(LexicalForms, Integers) {
  for (const char* good : {"0", "007", "-3", "+42"}) EXPECT_TRUE(IsSchemaInteger(good)) << good;
  for (const char* bad : {"", "-", "1.0", "1e3", " 1", "12a"}) EXPECT_FALSE(IsSchemaInteger(bad)) << bad;
}

TEST(LexicalForms, DatesMustBeRealCalendarDays) {
  for (const char* good : {"2024-02-29", "2000-02-29", "1999-12-31", "2010-01-01Z", "2010-01-01-03:00"})
    EXPECT_TRUE(IsSchemaDate(good)) << good;
  for (const char* bad : {"2023-02-29", "1900-02-29", "2010-13-01", "2010-04-31", "2010-00-10", "0000-01-01",
                          "10/01/2010", "2010-1-1", "2010-01-01 00:00:00", "2010-01-01+15:00", ""})
    EXPECT_FALSE(IsSchemaDate(bad)) << bad;
}

TEST(SchemaPatterns, SchemaSyntaxIsTranslatedAndAnchoredAtBothEnds) {
  auto cep = SchemaPattern::Compile("[0-9]{8}");
  ASSERT_TRUE(cep);
  EXPECT_TRUE(cep->Matches("01310100"));
  EXPECT_FALSE(cep->Matches("013101000"));  // a match of a part is not enough
  EXPECT_FALSE(cep->Matches("x01310100"));
  // An alternation is anchored as a whole.
  auto kind = SchemaPattern::Compile("M|D");
  ASSERT_TRUE(kind);
  EXPECT_TRUE(kind->Matches("D"));
  EXPECT_FALSE(kind->Matches("MD"));
  // "^" and "$" are ordinary characters; "." stops at line ends; "\d" digits.
  auto literal = SchemaPattern::Compile("a^b$\\d.");
  ASSERT_TRUE(literal);
  EXPECT_TRUE(literal->Matches("a^b$7x"));
  EXPECT_FALSE(literal->Matches("a^b$7\r"));
  auto names = SchemaPattern::Compile("\\i\\c*");
  ASSERT_TRUE(names);
  EXPECT_TRUE(names->Matches("oxr:CNPJ"));
  EXPECT_FALSE(names->Matches("1abc"));
  // Class subtraction has no equivalent: not checked rather than misread.
  EXPECT_FALSE(SchemaPattern::Compile("[a-z-[aeiou]]+"));
  EXPECT_FALSE(TranslatePattern("[a-z-[aeiou]]"));
}

TEST(SchemaPatterns, EveryStoredPatternCompilesExceptTheOneCutByItsField) {
  int compiled = 0;
  for (const schema::SimpleType& t : schema::SimpleTypes()) {
    if (t.pattern.empty()) continue;
    if (t.name == "st_nome60") {
      EXPECT_EQ(t.pattern.size(), kPatternFieldWidth);
      EXPECT_FALSE(SchemaPattern::Compile(t.pattern)) << "a cut pattern must not be checked";
      continue;
    }
    EXPECT_LT(t.pattern.size(), kPatternFieldWidth) << t.name;
    EXPECT_TRUE(SchemaPattern::Compile(t.pattern)) << t.name << ": " << t.pattern;
    ++compiled;
  }
  EXPECT_GE(compiled, 20);
}

TEST(SchemaPatterns, StoredPatternsReadAsTheSchemaMeansThem) {
  auto e = SchemaPattern::Compile(schema::FindSimpleType("st_eMail")->pattern);
  EXPECT_TRUE(e->Matches("contato@operadora.com.br"));
  EXPECT_FALSE(e->Matches("contato.operadora.com.br"));
  EXPECT_FALSE(e->Matches("contato@operadora"));
  // "[.-_]" is a range from "." to "_", which takes in digits and capitals.
  auto asset = SchemaPattern::Compile(schema::FindSimpleType("st_codigoAtivo")->pattern);
  EXPECT_TRUE(asset->Matches("LTN2025.01"));
  EXPECT_FALSE(asset->Matches("ltn"));
  EXPECT_FALSE(asset->Matches("LTN-01"));  // "-" lies below "."
  auto account = SchemaPattern::Compile(schema::FindSimpleType("st_contaDespesa")->pattern);
  EXPECT_TRUE(account->Matches("41111"));
  EXPECT_TRUE(account->Matches("6"));
  EXPECT_FALSE(account->Matches("51111"));
  // Windows-1252 bytes match byte for byte.
  auto phone = SchemaPattern::Compile(schema::FindSimpleType("st_numeroTel")->pattern);
  EXPECT_TRUE(phone->Matches("3333-4444"));
  EXPECT_FALSE(phone->Matches(Ansi("3333-444é")));
}

TEST(Refusals, EachKindOfTypeGivesItsReasonInPortuguese) {
  const LeafType uf{"st_UF", {}, LeafType::Digits::None};
  EXPECT_FALSE(RefusalOf(uf, "SP"));
  EXPECT_EQ(*RefusalOf(uf, "XX"), Ansi("valor fora da lista aceita (st_UF)"));
  const LeafType cep{"st_CEP", {}, LeafType::Digits::None};
  EXPECT_EQ(*RefusalOf(cep, "1234"), Ansi("não segue o formato exigido (st_CEP: [0-9]{8})"));
  const LeafType cnpj{"st_cnpj", {}, LeafType::Digits::Cnpj};
  EXPECT_EQ(*RefusalOf(cnpj, "24681357000141"), Ansi("dígitos verificadores do CNPJ inválidos"));
  EXPECT_EQ(*RefusalOf(cnpj, "2468135700014"), Ansi("não segue o formato exigido (st_cnpj: [0-9]{14})"));
  const LeafType cpf{"st_cpf", {}, LeafType::Digits::Cpf};
  EXPECT_EQ(*RefusalOf(cpf, "52998224726"), Ansi("dígitos verificadores do CPF inválidos"));
  const LeafType amount{"st_valorContabil", {}, LeafType::Digits::None};
  EXPECT_EQ(*RefusalOf(amount, "12,5"), Ansi("não é um número decimal válido"));
  const LeafType ageing{"st_idadeSaldo", {}, LeafType::Digits::None};
  EXPECT_FALSE(RefusalOf(ageing, "365"));
  EXPECT_TRUE(RefusalOf(ageing, "45"));
  const LeafType date{{}, "date", LeafType::Digits::None};
  EXPECT_EQ(*RefusalOf(date, "2023-02-30"), Ansi("não é uma data válida (aaaa-mm-dd)"));
  // An empty leaf is what the builders write for an empty cell.
  EXPECT_FALSE(RefusalOf(uf, ""));
  EXPECT_FALSE(RefusalOf(date, ""));
}

}  // namespace
}  // namespace voske
