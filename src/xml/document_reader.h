#pragma once
// TUtilXML: reads an existing document into memory to take values out of it.
// (The sender reads only the transaction code, from the header, with
// ReadHeaderValue of header_reader.h, which gives the same value for a
// document of any size without loading it.) Any file is safe to
// hand it: one that cannot be read, is not XML, is empty, too large or nested
// without end simply leaves an empty document, so every selection finds
// nothing. Nothing outside the file is ever fetched: document type
// declarations are skipped and entities other than XML's own are not expanded.
#include <cstdint>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "text/text.h"

namespace voske {

class TUtilXML {
 public:
  // Files above this size are not loaded: a DOM of a file of tiny elements
  // takes many times its size in memory, which this bound keeps within
  // reason. A large operator's financial document can exceed it.
  static constexpr std::uintmax_t kMaxFileSize = 32u * 1024u * 1024u;

  TUtilXML() = default;
  TUtilXML(const TUtilXML&) = delete;
  TUtilXML& operator=(const TUtilXML&) = delete;

  // Loads the file at `fileName` (native path). The outcome is not reported:
  // a file that cannot be loaded leaves an empty document.
  void LoadFromFile(const std::string& fileName);
  // Every element of that qualified name ("oxr:identificador", Windows-1252),
  // in document order; remembers them, their count and the first of them.
  void SelectElements(const Text& name);
  int Count() const { return static_cast<int>(selected_.size()); }
  pugi::xml_node FirstNode() const { return first_; }
  // The first non-empty text content of a descendant named `name`, searched
  // child by child of the first selected element; empty when there is none.
  Text ChildValue(const Text& name) const;
  // `node` itself when it has that name, else the first match in depth-first
  // pre-order among its descendants; a null node when there is none.
  static pugi::xml_node FindDescendant(pugi::xml_node node, const Text& name);
  // All text under a node, in document order, as Windows-1252.
  static Text TextContent(pugi::xml_node node);

 private:
  pugi::xml_document doc_;
  std::vector<pugi::xml_node> selected_;
  pugi::xml_node first_;
};

}  // namespace voske
