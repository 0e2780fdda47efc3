#include "verification/refusal.h"

#include <map>
#include <memory>
#include <string_view>

#include "text/cp1252.h"
#include "verification/check_digits.h"
#include "verification/lexical_forms.h"
#include "verification/schema_pattern.h"
#include "xml/schema_tables.h"

namespace voske {

// A simple type with its pattern compiled and its reason made once for
// every verification.
struct CheckedType {
  const schema::SimpleType* type = nullptr;
  std::optional<SchemaPattern> pattern;
  std::size_t maxLength = 0;  // 0: none
  Text reason;                // for any facet it refuses
  LeafCheck::Base base = LeafCheck::Base::None;
  bool integerList = false;   // an enumeration matched by value
};

namespace {

using sv = std::string_view;

// What each simple type accepts, in the user's words (UTF-8 here), for the
// types whose pattern or long list cannot speak for itself. A value refused
// by any facet of one of these types gets this reason, so each one names the
// whole accepted form, its length included. A short list is spelled out from
// the tables instead (ShortList).
struct TypeWords {
  sv type;
  const char* utf8;
};
constexpr TypeWords kTypeWords[] = {
    {"st_transacao", "não é um código de transação da OXR"},
    {"st_registroOXR", "o registro na OXR deve ter 6 dígitos"},
    {"st_codigoMunicipioIBGE", "o código IBGE do município deve ter 6 dígitos"},
    {"st_municRegAtuacao", "o código IBGE do município deve ter 6 dígitos"},
    {"st_contaAtivo", "a conta do ativo deve começar por 1 e ter só dígitos, no máximo 13"},
    {"st_contaPassivo", "a conta do passivo deve começar por 2 e ter só dígitos, no máximo 13"},
    {"st_contaReceita", "a conta de receita deve começar por 3 e ter só dígitos, no máximo 13"},
    {"st_contaDespesa", "a conta de despesa deve começar por 4 ou 6 e ter só dígitos, no máximo 13"},
    {"st_UF", "não é uma UF; use a sigla de um estado ou EX"},
    {"st_CEP", "o CEP deve ter 8 dígitos"},
    {"st_codigoAtivo",
     "o código deve ter só letras maiúsculas sem acento, dígitos e os sinais . / : ; < = > ? @ [ \\ ] ^ _ "
     "(sem espaços nem hífens), no máximo 50"},
    {"st_codigoOutros",
     "o código deve ter só letras maiúsculas sem acento, dígitos e os sinais . / : ; < = > ? @ [ \\ ] ^ _ "
     "(sem espaços nem hífens), no máximo 20"},
    {"st_codigoRGI", "o RGI deve ter de 1 a 50 dígitos"},
    {"st_tipoBem", "não está na lista de tipos de bem da OXR"},
    {"st_ctaFluxoCaixa", "não está na lista de contas do fluxo de caixa da OXR"},
    {"st_ctaAtivoLiquido", "não está na lista de contas do ativo líquido da OXR"},
    {"st_ctaLucroPrej", "não está na lista de contas de destinação de lucros ou prejuízos da OXR"},
    {"st_eMail", "o e-mail deve ter a forma nome@domínio"},
    {"st_codigoDDI", "o DDI deve ter no máximo 3 dígitos"},
    {"st_codigoDDD", "o DDD deve ter no máximo 3 dígitos"},
    {"st_numeroTel", "o telefone deve ter no máximo 12 caracteres, só dígitos, hífens e espaços"},
    {"st_numeroRamal", "o ramal deve ter no máximo 4 dígitos"},
    {"st_natJuridica", "não está na lista de naturezas jurídicas da OXR"},
    {"st_cpf", "o CPF deve ter 11 dígitos"},
    {"st_cnpj", "o CNPJ deve ter 14 dígitos"},
    {"st_numRegistro",
     "o número de registro deve ter no máximo 13 caracteres: letras sem acento, dígitos, espaços, / e -"},
    {"st_cargoFuncao", "não está na lista de cargos e funções da OXR (códigos de 1 a 140)"},
    {"st_tipoConsRegional", "deve ser M (conselho de medicina) ou D (de odontologia)"},
    {"st_numConsRegional",
     "o número no conselho deve ter de 1 a 15 caracteres: letras sem acento, dígitos e os sinais "
     "/ : ; < = > ? @ [ \\ ] ^ _"},
    {"st_pais", "não está na lista de países da OXR (códigos de 1 a 224)"},
};

// A list is spelled out when it reads in one short phrase.
constexpr std::size_t kShortListChars = 60;

// "deve ser 00, 30, 60, 90, 120, 365 ou 999", or nothing for a long list.
std::optional<Text> ShortList(const schema::SimpleType& t) {
  Text words;
  for (std::size_t i = 0; i < t.enumeration.size(); ++i) {
    if (i > 0) words += i + 1 == t.enumeration.size() ? " ou " : ", ";
    words += Text(t.enumeration[i]);
  }
  if (words.size() > kShortListChars) return std::nullopt;
  return "deve ser " + words;
}

Text ReasonFor(const schema::SimpleType& t, std::size_t maxLength) {
  for (const TypeWords& w : kTypeWords)
    if (w.type == t.name) return Ansi(w.utf8);
  if (!t.enumeration.empty()) {
    if (std::optional<Text> list = ShortList(t)) return *list;
    return Ansi("não está na lista de valores aceitos pela OXR");
  }
  if (maxLength > 0 && t.pattern.empty()) return Ansi("deve ter no máximo ") + std::to_string(maxLength) + " caracteres";
  if (t.base == "float") return Ansi("deve ser um número");
  if (t.base == "integer") return Ansi("deve ser um número inteiro");
  return Ansi("não tem a forma que a OXR aceita");
}

LeafCheck::Base BaseOf(TextView name) {
  if (name == "float") return LeafCheck::Base::Float;
  if (name == "integer") return LeafCheck::Base::Integer;
  if (name == "date") return LeafCheck::Base::Date;
  return LeafCheck::Base::None;
}

const CheckedType* CheckedTypeOf(TextView name) {
  static const auto types = [] {
    std::map<TextView, CheckedType, std::less<>> map;
    for (const schema::SimpleType& t : schema::SimpleTypes()) {
      std::size_t maxLength = 0;
      for (const char c : t.maxLength) maxLength = maxLength * 10 + static_cast<std::size_t>(c - '0');
      map.emplace(t.name, CheckedType{&t, SchemaPattern::Compile(t.pattern), maxLength, ReasonFor(t, maxLength),
                                      BaseOf(t.base), t.base == "integer"});
    }
    return map;
  }();
  const auto it = types.find(name);
  return it == types.end() ? nullptr : &it->second;
}

// The built-in types, as XML Schema reads their values.
std::optional<Refusal> BaseRefusal(LeafCheck::Base base, TextView value) {
  using Base = LeafCheck::Base;
  if (base == Base::Float && !IsSchemaFloat(value)) return Refusal{Ansi("deve ser um número"), "xs:float"};
  if (base == Base::Integer && !IsSchemaInteger(value))
    return Refusal{Ansi("deve ser um número inteiro"), "xs:integer"};
  if (base == Base::Date && !IsSchemaDate(value))
    return Refusal{Ansi("deve ser uma data válida, na forma aaaa-mm-dd"), "xs:date"};
  return std::nullopt;
}

bool NeedsCollapsing(TextView value) {
  if (value.empty()) return false;
  if (value.front() == ' ' || value.back() == ' ') return true;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\t' || c == '\n' || c == '\r' || (c == ' ' && value[i + 1] == ' ')) return true;
  }
  return false;
}

// XML Schema's "collapse": line ends and tabs become blanks, runs of blanks
// one, and the ends none. The types other than strings read values so.
Text Collapsed(TextView value) {
  Text out;
  out.reserve(value.size());
  bool blank = false;
  for (char c : value) {
    if (c == '\t' || c == '\n' || c == '\r' || c == ' ') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

bool IsListed(const CheckedType& checked, TextView value) {
  const bool byValue = checked.integerList && IsSchemaInteger(value);
  for (TextView listed : checked.type->enumeration)
    if (listed == value || (byValue && SameInteger(listed, value))) return true;
  return false;
}

Text CountOf(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + Ansi(n == 1 ? one : many);
}

}  // namespace

LeafCheck PrepareCheck(const LeafType& type) {
  LeafCheck check{&type, type.simpleType.empty() ? nullptr : CheckedTypeOf(type.simpleType), BaseOf(type.builtIn)};
  check.textual = type.builtIn.empty() && (!check.simple || check.simple->type->base == "string");
  const CheckedType* st = check.simple;
  const bool bareFloat = st && st->base == LeafCheck::Base::Float && st->type->enumeration.empty() &&
                         !st->pattern && st->maxLength == 0;
  check.floatOnly = type.digits == LeafType::Digits::None && !type.lengthOnly &&
                    ((check.builtIn == LeafCheck::Base::Float && !st) ||
                     (check.builtIn == LeafCheck::Base::None && bareFloat));
  // A string type with a pattern and at most a length: nothing else can
  // refuse a value that matches within that length.
  if (st && check.builtIn == LeafCheck::Base::None && type.digits == LeafType::Digits::None && !type.lengthOnly &&
      st->base == LeafCheck::Base::None && check.textual && st->type->enumeration.empty() && st->pattern &&
      st->pattern->Sequence()) {
    check.sequence = st->pattern->Sequence();
    if (st->maxLength > 0) check.sequenceMaxLength = st->maxLength;
  }
  return check;
}

std::optional<Refusal> RefusalOf(const LeafType& type, TextView value) {
  return RefusalOf(PrepareCheck(type), value);
}

std::optional<Refusal> RefusalOf(const LeafCheck& check, TextView raw) {
  // A float in its form has no blanks to collapse and nothing else to meet.
  if (PlainlySound(check, raw)) return std::nullopt;
  const LeafType& type = *check.type;
  const CheckedType* checked = check.simple;
  // Values are nearly always as the schema reads them already: a copy is
  // made only to collapse one.
  std::optional<Text> collapsed;
  if (!check.textual && NeedsCollapsing(raw)) collapsed = Collapsed(raw);
  const TextView value = collapsed ? TextView(*collapsed) : raw;
  if (value.empty()) return std::nullopt;

  if (check.builtIn != LeafCheck::Base::None) {
    if (auto refusal = BaseRefusal(check.builtIn, value)) return refusal;
  }
  if (checked && type.lengthOnly) {
    if (checked->maxLength == 0 || value.size() <= checked->maxLength) return std::nullopt;
    return Refusal{Ansi("deve ter no máximo ") + CountOf(checked->maxLength, "caractere", "caracteres"),
                   Text(checked->type->name) + Ansi(": no máximo ") +
                       CountOf(checked->maxLength, "caractere", "caracteres")};
  }
  if (checked) {
    const schema::SimpleType& st = *checked->type;
    const auto name = [&st] { return Text(st.name); };  // only a refusal needs it
    if (!st.enumeration.empty() && !IsListed(*checked, value))
      return Refusal{checked->reason,
                     name() + Ansi(": lista de ") + CountOf(st.enumeration.size(), "valor", "valores")};
    if (checked->pattern && !checked->pattern->Matches(value))
      return Refusal{checked->reason, name() + Ansi(": padrão ") + Text(st.pattern)};
    if (checked->maxLength > 0 && value.size() > checked->maxLength)
      return Refusal{checked->reason,
                     name() + Ansi(": no máximo ") + CountOf(checked->maxLength, "caractere", "caracteres")};
    if (auto refusal = BaseRefusal(checked->base, value))
      return Refusal{checked->reason, name() + " (" + refusal->rule + ")"};
  }
  if (type.digits == LeafType::Digits::Cnpj && !HasValidCnpjCheckDigits(value))
    return Refusal{Ansi("o CNPJ é inválido: os dígitos verificadores não conferem"),
                   Ansi("CNPJ: dígitos verificadores (módulo 11)")};
  if (type.digits == LeafType::Digits::Cpf && !HasValidCpfCheckDigits(value))
    return Refusal{Ansi("o CPF é inválido: os dígitos verificadores não conferem"),
                   Ansi("CPF: dígitos verificadores (módulo 11)")};
  return std::nullopt;
}

}  // namespace voske
