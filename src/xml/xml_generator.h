#pragma once
// TXMLGenerator: writes one document top-down through a cursor (the current
// element). Every leaf value is length-checked against the schema tables and
// appended to the content-hash text from which the epilogue hash is made.
#include <string>

#include <pugixml.hpp>

#include "text/error.h"
#include "text/text.h"
#include "xml/leaf_observer.h"

namespace voske {

// A value longer than the regulator's schema allows.
class EMaxLengthError : public EVoske {
 public:
  using EVoske::EVoske;
};

// The document could not be written to disk. The message names the file and
// the reason; nothing of the document is left behind.
class EGravaArquivo : public EVoske {
 public:
  using EVoske::EVoske;
};

class TXMLGenerator {
 public:
  // CreateDocument: root element name ("oxr:voskeFinanc"), the literal root
  // start tag written to the file in place of the DOM's, and the leading line.
  TXMLGenerator(const Text& rootName, const Text& rootStartTag, const Text& leadingLine);
  TXMLGenerator(const TXMLGenerator&) = delete;
  TXMLGenerator& operator=(const TXMLGenerator&) = delete;

  // Opens a container (keepCurrent false) or adds a leaf (true) under the
  // current element, or under FindNode(parentPath) when a path is given.
  pugi::xml_node AddElement(const Text& name, bool keepCurrent = false, const Text& parentPath = Text());
  void AddTextElement(const Text& name, const Text& value, const Text& parentPath = Text());
  void AddDecimalElement(const Text& name, const Text& value, const Text& parentPath = Text());
  // The same leaves, for a value taken from one worksheet cell: the cell is
  // passed on to the leaf observer, so that what it finds names that cell.
  void AddTextElement(const Text& name, const Text& value, const CellOrigin& origin);
  void AddDecimalElement(const Text& name, const Text& value, const CellOrigin& origin);
  // The watcher told of every leaf written from now on (none when null). It
  // must outlive the generator's use of it.
  void SetLeafObserver(LeafObserver* observer) { observer_ = observer; }
  // Climbs from the current element to the named one (itself or an ancestor).
  // A name that is neither raises EGenerica and leaves the cursor in place.
  void ReturnTo(const Text& name);
  // The root's first child element of that qualified name, or a null node.
  pugi::xml_node FindNode(const Text& path) const;
  void SetCurrent(pugi::xml_node node);
  pugi::xml_node Current() const;
  pugi::xml_node Root() const;

  // Lowercase hex MD5 of every value written so far.
  Text ContentHash() const;
  const Text& ContentHashText() const;
  static Text HashText(const Text& text);

  // Declaration, leading line, root start tag, then the DOM's serialisation;
  // written to a temporary file in the same folder and renamed into place.
  // Raises EGravaArquivo; a failed save leaves no file of its own.
  void SaveToFile(const std::string& fileName) const;
  // The bytes SaveToFile writes.
  std::string FileContent() const;

 private:
  pugi::xml_document doc_;
  pugi::xml_document detached_;  // holds elements appended nowhere
  pugi::xml_node root_;
  pugi::xml_node current_;
  Text leadingLine_;
  Text rootStartTag_;
  Text hashText_;
  LeafObserver* observer_ = nullptr;

  pugi::xml_node WriteText(const Text& name, const Text& value, const Text& parentPath);
  pugi::xml_node WriteDecimal(const Text& name, const Text& value, const Text& parentPath);
  void Notify(pugi::xml_node leaf, const CellOrigin* origin) const;
};

}  // namespace voske
