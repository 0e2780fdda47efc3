#pragma once
// The regulator's schema namespace: bound to the prefix "oxr" in the root
// start tag of both documents and in the schema header.
#include <string_view>

namespace voske {

inline constexpr std::string_view kSchemaNamespace = "http://www.oxr.gov.br/padroes/voske/schemas";
static_assert(kSchemaNamespace.size() == 43, "the namespace URI has 43 characters");

}  // namespace voske
