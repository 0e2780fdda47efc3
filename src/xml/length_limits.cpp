#include "xml/length_limits.h"

#include <charconv>
#include <string>
#include <unordered_map>

#include "text/cp1252.h"
#include "xml/schema_tables.h"
#include "xml/xml_generator.h"

namespace voske {

Text LengthLimits::StripPrefix(const Text& name) {
  static constexpr TextView kPrefix = "oxr:";
  Text out = name;
  const size_t at = out.find(kPrefix);
  if (at != Text::npos) out.erase(at, kPrefix.size());
  return out;
}

long LengthLimits::MaxLength(const Text& elementName) {
  // The tables are constant, so each name's limit is looked up once. A
  // document writes a few dozen names millions of times over.
  thread_local std::unordered_map<Text, long> known;
  if (const auto it = known.find(elementName); it != known.end()) return it->second;
  const long limit = LookUpMaxLength(elementName);
  known.emplace(elementName, limit);
  return limit;
}

long LengthLimits::LookUpMaxLength(const Text& elementName) {
  const schema::ElementDecl* element = schema::FindElement(StripPrefix(elementName));
  if (!element) return -1;
  const schema::SimpleType* type = schema::FindSimpleType(StripPrefix(Text(element->type)));
  if (!type || type->maxLength.empty()) return -1;
  long limit = -1;
  const auto [ptr, ec] = std::from_chars(type->maxLength.data(), type->maxLength.data() + type->maxLength.size(), limit);
  return ec == std::errc() ? limit : -1;
}

Text LengthLimits::ValidateLength(const Text& elementName, const Text& value) const {
  const long limit = MaxLength(elementName);
  if (limit >= 0 && static_cast<size_t>(limit) < value.size()) {
    // The field is named without its prefix.
    throw EMaxLengthError(Ansi("O campo \"") + StripPrefix(elementName) + Ansi("\" pode ter no máximo ") +
                          std::to_string(limit) + " caracteres." + CR + Ansi("O valor informado \"") + value +
                          Ansi("\" excede o limite.") + CR +
                          Ansi("Para mais detalhes verifique os arquivos XSD fornecidos no site da OXR."));
  }
  return value;
}

}  // namespace voske
