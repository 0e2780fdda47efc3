#pragma once
// Which schema type a document's leaf has, from its element name and, where
// a name is shared by leaves of different types, the element it stands in.
#include <vector>

#include "text/text.h"

namespace voske {

// What the value of a leaf is checked as.
struct LeafType {
  // A simple type of the schema tables ("st_UF"), or empty.
  TextView simpleType;
  // A built-in type: "float", "integer" or "date", or empty. A simple type
  // brings its own base from the tables.
  TextView builtIn;
  // The registry-number check digits the value must carry.
  enum class Digits { None, Cnpj, Cpf } digits = Digits::None;
  // Only the simple type's maximum length is checked: the element is known
  // by its first declaration alone, which is what the generator measures.
  bool lengthOnly = false;
};

// The type of a leaf ("oxr:" prefix on its name and its ancestors'), or
// null when the schema tables say nothing checkable about it.
// `ancestors` runs from the root element to the leaf's parent.
const LeafType* LeafTypeOf(TextView leafName, const std::vector<Text>& ancestors);

}  // namespace voske
