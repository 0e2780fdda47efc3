#include "verification/document_verifier.h"

#include <cstring>
#include <map>
#include <memory>

#include "text/cp1252.h"
#include "verification/check_digits.h"
#include "verification/lexical_forms.h"
#include "verification/schema_pattern.h"
#include "xml/schema_tables.h"

namespace voske {

namespace {

// A simple type with its pattern compiled once for every verification.
struct CheckedType {
  const schema::SimpleType* type = nullptr;
  std::optional<SchemaPattern> pattern;
};

const CheckedType* CheckedTypeOf(TextView name) {
  static const auto types = [] {
    std::map<TextView, CheckedType, std::less<>> map;
    for (const schema::SimpleType& t : schema::SimpleTypes())
      map.emplace(t.name, CheckedType{&t, SchemaPattern::Compile(t.pattern)});
    return map;
  }();
  const auto it = types.find(name);
  return it == types.end() ? nullptr : &it->second;
}

std::optional<Text> BaseRefusal(TextView base, TextView value) {
  if (base == "float" && !IsSchemaFloat(value)) return Ansi("não é um número decimal válido");
  if (base == "integer" && !IsSchemaInteger(value)) return Ansi("não é um número inteiro válido");
  if (base == "date" && !IsSchemaDate(value)) return Ansi("não é uma data válida (aaaa-mm-dd)");
  return std::nullopt;
}

bool IsListed(const schema::SimpleType& type, TextView value) {
  for (TextView v : type.enumeration)
    if (v == value) return true;
  return false;
}

}  // namespace

std::optional<Text> RefusalOf(const LeafType& type, TextView value) {
  if (value.empty()) return std::nullopt;
  if (!type.builtIn.empty()) {
    if (auto refusal = BaseRefusal(type.builtIn, value)) return refusal;
  }
  if (!type.simpleType.empty()) {
    const CheckedType* checked = CheckedTypeOf(type.simpleType);
    if (!checked) return std::nullopt;
    const schema::SimpleType& st = *checked->type;
    const Text name(st.name);
    if (!st.enumeration.empty() && !IsListed(st, value))
      return Ansi("valor fora da lista aceita (") + name + ")";
    if (checked->pattern && !checked->pattern->Matches(value))
      return Ansi("não segue o formato exigido (") + name + ": " + Text(st.pattern) + ")";
    if (auto refusal = BaseRefusal(st.base, value)) return refusal;
  }
  if (type.digits == LeafType::Digits::Cnpj && !HasValidCnpjCheckDigits(value)) {
    // A value that is not 14 digits at all is refused by the pattern above.
    return Ansi("dígitos verificadores do CNPJ inválidos");
  }
  if (type.digits == LeafType::Digits::Cpf && !HasValidCpfCheckDigits(value))
    return Ansi("dígitos verificadores do CPF inválidos");
  return std::nullopt;
}

template <typename Where>
void DocumentVerifier::Check(const std::vector<Text>& ancestors, const Text& name, TextView value,
                             const CellOrigin* origin, const Where& where) {
  const LeafType* type = LeafTypeOf(name, ancestors);
  if (!type) return;
  std::optional<Text> reason = RefusalOf(*type, value);
  if (!reason) return;
  Finding f{origin ? origin->Reference() : where(), name, Text(value), std::move(*reason)};
  if (seen_.insert(f.Line()).second) findings_.push_back(std::move(f));
}

void DocumentVerifier::OnLeaf(const std::vector<Text>& ancestors, const Text& name, TextView value,
                              const CellOrigin* origin) {
  // A streamed document keeps only the open elements, so the path of a leaf
  // without a source cell carries no positions among same-named siblings.
  Check(ancestors, name, value, origin, [&] {
    Text path;
    for (std::size_t i = 1; i < ancestors.size(); ++i) path += ancestors[i] + "/";
    return path + name;
  });
}

void DocumentVerifier::VerifyLoaded(pugi::xml_node root) {
  // Depth first, in document order, without recursion: a hostile file may
  // nest deeper than the stack.
  pugi::xml_node node = root.first_child();
  while (node) {
    if (node.type() == pugi::node_element) {
      if (node.find_child([](pugi::xml_node c) { return c.type() == pugi::node_element; })) {
        node = node.first_child();
        continue;
      }
      std::vector<Text> ancestors;
      for (pugi::xml_node a = node.parent(); a && a.type() == pugi::node_element; a = a.parent())
        ancestors.insert(ancestors.begin(), a.name());
      Check(ancestors, node.name(), FromUtf8(node.text().get()), nullptr, [&] { return ElementPath(node); });
    }
    while (node != root && !node.next_sibling()) node = node.parent();
    if (node == root) break;
    node = node.next_sibling();
  }
}

Text ElementPath(pugi::xml_node node) {
  Text path;
  for (pugi::xml_node n = node; n && n.parent() && n.parent().type() == pugi::node_element; n = n.parent()) {
    Text step = n.name();
    int position = 0, count = 0;
    for (pugi::xml_node s = n.parent().child(n.name()); s; s = s.next_sibling(n.name())) {
      ++count;
      if (s == n) position = count;
    }
    if (count > 1) step += "[" + std::to_string(position) + "]";
    path = path.empty() ? step : step + "/" + path;
  }
  return path;
}

}  // namespace voske
