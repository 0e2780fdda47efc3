// The checks one value gets: check digits, lexical forms of the built-in
// types, and the schema tables' enumerations and patterns.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>
#include <string>

#include "text/cp1252.h"
#include "verification/check_digits.h"
#include "verification/refusal.h"
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
  for (const char* good : {"0", "12.5", "-12.5", "+1", ".5", "5.", "1E3", "1.5e-3", "1.5E+10", "INF", "-INF", "NaN"})
    EXPECT_TRUE(IsSchemaFloat(good)) << good;
  for (const char* bad : {"", "12,5", "1.2.3", "abc", "1E", "e5", ".", "-", "1 000", "inf", "R$ 10",
                          "-NaN", "INF5", "+-1", "1e+", "1e5x", ".e1"})
    EXPECT_FALSE(IsSchemaFloat(bad)) << bad;
}

TEST(LexicalForms, FloatsAgreeWithTheirGrammarOnGeneratedValues) {
  // Amounts of every length, mostly digits, broken anywhere by a byte next
  // to the digits' codes or by another sign, dot or exponent.
  const std::regex grammar(R"([+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([eE][+-]?[0-9]+)?|[+-]?INF|NaN)");
  const std::string others = std::string(".-+eE /:?Ip\xB0\xB9") + '\0';
  std::mt19937 random(7);
  for (int i = 0; i < 40000; ++i) {
    std::string s(random() % 20, '0');
    for (char& c : s)
      c = random() % 4 ? static_cast<char>('0' + random() % 10) : others[random() % others.size()];
    if (i % 2) s.erase(std::remove(s.begin() + (s.empty() ? 0 : 1), s.end(), '-'), s.end());
    ASSERT_EQ(IsSchemaFloat(s), std::regex_match(s, grammar)) << '"' << s << '"';
  }
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

TEST(Refusals, EachReasonSaysWhatIsAcceptedAndTheRuleGoesApart) {
  using D = LeafType::Digits;
  struct Case {
    LeafType type;
    const char* value;
    const char* reason;  // UTF-8; null: accepted
    const char* rule;
  };
  const Case cases[] = {
      {{"st_UF", {}, D::None, false}, "SP", nullptr, nullptr},
      {{"st_UF", {}, D::None, false}, "XX", "não é uma UF; use a sigla de um estado ou EX", "st_UF: lista de 28 valores"},
      {{"st_CEP", {}, D::None, false}, "1234", "o CEP deve ter 8 dígitos", "st_CEP: padrão [0-9]{8}"},
      {{"st_eMail", {}, D::None, false}, "contato.com", "o e-mail deve ter a forma nome@domínio",
       "st_eMail: padrão .+@.+\\..+"},
      {{"st_cnpj", {}, D::Cnpj, false}, "24681357000141", "o CNPJ é inválido: os dígitos verificadores não conferem",
       "CNPJ: dígitos verificadores (módulo 11)"},
      {{"st_cnpj", {}, D::Cnpj, false}, "2468135700014", "o CNPJ deve ter 14 dígitos", "st_cnpj: padrão [0-9]{14}"},
      {{"st_cpf", {}, D::Cpf, false}, "52998224726", "o CPF é inválido: os dígitos verificadores não conferem",
       "CPF: dígitos verificadores (módulo 11)"},
      {{"st_valorContabil", {}, D::None, false}, "12,5", "deve ser um número", "st_valorContabil (xs:float)"},
      {{"st_valorContabil", {}, D::None, false}, "\t12.5 \n", nullptr, nullptr},
      {{"st_valorContabil", {}, D::None, false}, "1  2", "deve ser um número", "st_valorContabil (xs:float)"},
      // A short list is spelled out; non-text values collapse their blanks
      // and a list of integers matches by value.
      {{"st_custodia", {}, D::None, false}, "BOVESPA", "deve ser CETIP, SELIC, CBLC ou OUTROS",
       "st_custodia: lista de 4 valores"},
      {{"st_idadeSaldo", {}, D::None, false}, "45", "deve ser 00, 30, 60, 90, 120, 365 ou 999",
       "st_idadeSaldo: lista de 7 valores"},
      {{"st_idadeSaldo", {}, D::None, false}, " 0\n", nullptr, nullptr},
      {{"st_idadeSaldo", {}, D::None, false}, "+030", nullptr, nullptr},
      {{{}, "float", D::None, false}, " 12.5\t", nullptr, nullptr},
      {{{}, "date", D::None, false}, "2023-02-30", "deve ser uma data válida, na forma aaaa-mm-dd", "xs:date"},
      // A trial-balance account is bounded by its type, not only by the
      // builder's 20 characters.
      {{"st_contaAtivo", {}, D::None, false}, "1234567890123", nullptr, nullptr},
      {{"st_contaAtivo", {}, D::None, false}, "12345678901234",
       "a conta do ativo deve começar por 1 e ter só dígitos, no máximo 13", "st_contaAtivo: no máximo 13 caracteres"},
      {{"st_nome60", {}, D::None, true}, "", nullptr, nullptr},
      {{"st_descricao20", {}, D::None, true}, "123456789012345678901", "deve ter no máximo 20 caracteres",
       "st_descricao20: no máximo 20 caracteres"},
      // An empty leaf is what the builders write for an empty cell.
      {{"st_UF", {}, D::None, false}, "", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    const std::optional<Refusal> refusal = RefusalOf(c.type, Ansi(c.value));
    if (!c.reason) {
      EXPECT_FALSE(refusal) << c.value << ": " << ToUtf8(refusal->reason);
      continue;
    }
    ASSERT_TRUE(refusal) << c.value;
    EXPECT_EQ(ToUtf8(refusal->reason), c.reason) << c.value;
    EXPECT_EQ(ToUtf8(refusal->rule), c.rule) << c.value;
  }
}

TEST(Refusals, NoReasonNamesATypeOrShowsAPattern) {
  for (const schema::SimpleType& t : schema::SimpleTypes()) {
    const std::optional<Refusal> refusal = RefusalOf({t.name, {}, LeafType::Digits::None, false}, "\x7f?");
    if (!refusal) continue;  // a cut pattern, or a free text
    EXPECT_EQ(refusal->reason.find("st_"), Text::npos) << t.name;
    if (!t.pattern.empty()) {
      EXPECT_EQ(refusal->reason.find(Text(t.pattern)), Text::npos) << t.name;
    }
    EXPECT_NE(refusal->rule.find(Text(t.name)), Text::npos) << t.name;
  }
}

TEST(LexicalForms, IntegersCompareByValue) {
  EXPECT_TRUE(SameInteger("00", "0"));
  EXPECT_TRUE(SameInteger("+5", "005"));
  EXPECT_TRUE(SameInteger("-0", "0"));
  EXPECT_FALSE(SameInteger("-5", "5"));
  EXPECT_FALSE(SameInteger("30", "300"));
}

}  // namespace
}  // namespace voske
