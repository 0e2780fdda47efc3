#pragma once
// The regulator's schema, reduced to constant tables: the simple types with
// their facets, and the element declarations of the complex types flattened
// into rows. The only thing the system asks of them is the maximum length of
// the value of an element: element name -> its first declaration's type ->
// that simple type's maximum length.
#include <cstdint>
#include <span>
#include <string_view>

namespace voske::schema {

// The schema header: the namespace bound to "oxr" and the element form.
struct SchemaHeader {
  std::string_view oxr;
  std::string_view targetNamespace;
  std::string_view elementFormDefault;
};

// One simple type. Texts are Windows-1252; empty means the facet is absent.
struct SimpleType {
  std::string_view name;       // without prefix ("st_cnpj")
  std::string_view base;       // "string", "float" or "integer"
  std::string_view maxLength;  // decimal digits, or empty
  std::string_view pattern;    // at most 32 characters, as stored
  std::span<const std::string_view> enumeration;  // in schema order
};

// One element declaration of a complex type or model group.
struct ElementDecl {
  // Key and group of the row; 0 where the table does not carry them (rows
  // kept for their name alone, which is all the first-match lookup reads).
  std::int32_t primaryKey;
  std::int32_t foreignKey;
  std::string_view maxOccurs;
  std::string_view minOccurs;
  std::string_view name;  // without prefix; empty on reference rows
  std::string_view ref;   // referenced global element with prefix, or empty
  std::string_view type;  // "oxr:st_cnpj", a built-in ("date"), or empty
};

const SchemaHeader& Header();
std::span<const SimpleType> SimpleTypes();      // 49 rows, stored order
std::span<const ElementDecl> ElementDecls();    // stored order

// First element row whose name equals `name` exactly (no prefix), or null.
const ElementDecl* FindElement(std::string_view name);
// The simple type of that exact name (no prefix), or null.
const SimpleType* FindSimpleType(std::string_view name);

}  // namespace voske::schema
