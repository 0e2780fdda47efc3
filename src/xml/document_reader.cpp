#include "xml/document_reader.h"

#include "platform/file_reading.h"
#include "text/cp1252.h"

namespace voske {

namespace {

// The node after `node` in depth-first pre-order, staying inside `top`;
// a null node at the end. Iterative, so a deeply nested file cannot exhaust
// the stack.
pugi::xml_node NextInPreOrder(pugi::xml_node node, pugi::xml_node top) {
  if (pugi::xml_node child = node.first_child()) return child;
  while (node && node != top) {
    if (pugi::xml_node sibling = node.next_sibling()) return sibling;
    node = node.parent();
  }
  return pugi::xml_node();
}

}  // namespace

void TUtilXML::LoadFromFile(const std::string& fileName) {
  doc_.reset();
  selected_.clear();
  first_ = pugi::xml_node();

  // Only a regular file opens: a pipe or a device could block or never end.
  const platform::ReadOnlyFile file(fileName);
  if (!file.IsOpen() || file.Size() == 0 || file.Size() > kMaxFileSize) return;
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  const std::ptrdiff_t got = file.ReadFullyAt(0, bytes.data(), bytes.size());
  if (got < 0) return;
  bytes.resize(static_cast<size_t>(got));

  // The default options skip a document type declaration and leave unknown
  // entity references as text; the encoding comes from the declaration
  // (ISO-8859-1 for the documents the system writes) or a byte order mark.
  const pugi::xml_parse_result result =
      doc_.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
  if (!result) doc_.reset();
}

void TUtilXML::SelectElements(const Text& name) {
  selected_.clear();
  first_ = pugi::xml_node();
  const std::string wanted = ToUtf8(name);
  for (pugi::xml_node n = doc_.first_child(); n; n = NextInPreOrder(n, doc_))
    if (n.type() == pugi::node_element && wanted == n.name()) selected_.push_back(n);
  if (!selected_.empty()) first_ = selected_.front();
}

pugi::xml_node TUtilXML::FindDescendant(pugi::xml_node node, const Text& name) {
  const std::string wanted = ToUtf8(name);
  for (pugi::xml_node n = node; n; n = NextInPreOrder(n, node))
    if (n.type() == pugi::node_element && wanted == n.name()) return n;
  return pugi::xml_node();
}

Text TUtilXML::TextContent(pugi::xml_node node) {
  std::string utf8;
  for (pugi::xml_node n = node; n; n = NextInPreOrder(n, node))
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) utf8 += n.value();
  return FromUtf8(utf8);
}

Text TUtilXML::ChildValue(const Text& name) const {
  if (!first_) return Text();
  for (pugi::xml_node child = first_.first_child(); child; child = child.next_sibling()) {
    if (pugi::xml_node found = FindDescendant(child, name)) {
      Text text = TextContent(found);
      if (!text.empty()) return text;
    }
  }
  return Text();
}

}  // namespace voske
