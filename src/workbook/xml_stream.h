#pragma once
// Streaming XML parsing of package parts, through libxml2's push parser: the
// part inflates chunk by chunk into the parser, so a worksheet of any size is
// never held whole in memory.
// Element and attribute names reach the handler without their namespace
// prefix ("x:c" arrives as "c"), because writers choose prefixes freely.
// Document type declarations are refused: no package part has one, and
// entity expansion is how a small part grows without bound.
#include <atomic>
#include <string_view>

#include "workbook/text_budget.h"
#include "workbook/zip_archive.h"

namespace voske {

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  // `attributes` alternates names (without prefix) and values, ending in
  // nullptr, as the parser hands them over. Handlers may throw ReaderError.
  virtual void StartElement(std::string_view name, const char** attributes) = 0;
  virtual void EndElement(std::string_view name) = 0;
  // A piece of character data; one text node may arrive in several pieces.
  virtual void CharacterData(std::string_view text) = 0;
};

// The local part of a possibly prefixed name, in one pass over it.
inline std::string_view LocalName(const char* name) {
  const char* local = name;
  const char* p = name;
  for (; *p; ++p)
    if (*p == ':') local = p + 1;
  return std::string_view(local, static_cast<std::size_t>(p - local));
}

// Thrown out of ParseXmlPart when its cancel flag is raised.
struct XmlParseCancelled {};

// The value of the attribute with local name `name`, or nullptr.
const char* FindAttribute(const char** attributes, std::string_view name);

// Parses one part of `archive` through `handler`; every attribute value
// counts against `texts`. Throws ReaderError: Corrupt for malformed XML,
// TooLarge for an element of more than limits::kMaxXmlAttributes attributes
// or once `texts` is exhausted, or whatever the handler or the part reader
// throws; and XmlParseCancelled soon after `cancel` (when given) becomes true.
void ParseXmlPart(ZipArchive& archive, std::uint64_t entry, XmlHandler& handler, TextBudget& texts,
                  const std::atomic<bool>* cancel = nullptr);

}  // namespace voske
