#pragma once
// A saved document as the tests look at it: parsed whole by libxml2, the
// program's own XML parser, and walked read-only. Names are the qualified
// names as the file writes them ("oxr:CNPJ"); texts come back in UTF-8.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace voske::support {

class XmlNode {
 public:
  XmlNode() = default;
  explicit XmlNode(xmlNodePtr node) : node_(node) {}

  explicit operator bool() const { return node_ != nullptr; }
  bool empty() const { return node_ == nullptr; }
  bool operator==(const XmlNode&) const = default;
  bool IsElement() const { return node_ && node_->type == XML_ELEMENT_NODE; }

  // "prefix:local" for an element; empty for anything else.
  std::string name() const {
    if (!IsElement()) return {};
    std::string n = node_->ns && node_->ns->prefix ? Chars(node_->ns->prefix) + std::string(":") : std::string();
    return n + Chars(node_->name);
  }
  // The first child of any kind (element or text), or a null node.
  XmlNode first_child() const { return XmlNode(node_ ? node_->children : nullptr); }
  XmlNode last_child() const { return XmlNode(node_ ? node_->last : nullptr); }
  // The next sibling element, or a null node.
  XmlNode next_sibling() const {
    for (xmlNodePtr n = node_ ? node_->next : nullptr; n; n = n->next)
      if (n->type == XML_ELEMENT_NODE) return XmlNode(n);
    return XmlNode();
  }
  // The first child element named `name`, or a null node.
  XmlNode child(std::string_view name) const {
    for (xmlNodePtr n = node_ ? node_->children : nullptr; n; n = n->next)
      if (XmlNode(n).IsElement() && XmlNode(n).name() == name) return XmlNode(n);
    return XmlNode();
  }
  // Every child node (elements and texts), in order.
  std::vector<XmlNode> children() const {
    std::vector<XmlNode> out;
    for (xmlNodePtr n = node_ ? node_->children : nullptr; n; n = n->next) out.emplace_back(n);
    return out;
  }
  // The child elements named `name`, in order.
  std::vector<XmlNode> children(std::string_view name) const {
    std::vector<XmlNode> out;
    for (const XmlNode& c : children())
      if (c.IsElement() && c.name() == name) out.push_back(c);
    return out;
  }
  // The text of the first text (or CDATA) child; empty when there is none.
  std::string child_value() const {
    for (xmlNodePtr n = node_ ? node_->children : nullptr; n; n = n->next)
      if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) return n->content ? Chars(n->content) : "";
    return {};
  }
  std::string child_value(std::string_view name) const { return child(name).child_value(); }
  std::string text() const { return child_value(); }
  // The attribute's value as written, by its qualified name; empty when absent.
  std::string attribute(std::string_view name) const {
    if (!IsElement()) return {};
    for (xmlAttrPtr a = node_->properties; a; a = a->next) {
      std::string n = a->ns && a->ns->prefix ? Chars(a->ns->prefix) + std::string(":") : std::string();
      if (n + Chars(a->name) == name && a->children && a->children->content) return Chars(a->children->content);
    }
    // Namespace declarations are no attributes to libxml2.
    if (name.starts_with("xmlns:"))
      for (xmlNsPtr ns = node_->nsDef; ns; ns = ns->next)
        if (ns->prefix && name.substr(6) == Chars(ns->prefix)) return ns->href ? Chars(ns->href) : "";
    return {};
  }
  // The first element below this one, in document order, for which `match`
  // holds; a null node when there is none.
  XmlNode find_node(const std::function<bool(const XmlNode&)>& match) const {
    for (const XmlNode& c : children()) {
      if (!c.IsElement()) continue;
      if (match(c)) return c;
      if (XmlNode found = c.find_node(match)) return found;
    }
    return XmlNode();
  }
  // Every element below this one named `name`, in document order.
  std::vector<XmlNode> Descendants(std::string_view name) const {
    std::vector<XmlNode> out;
    for (const XmlNode& c : children()) {
      if (!c.IsElement()) continue;
      if (c.name() == name) out.push_back(c);
      for (const XmlNode& d : c.Descendants(name)) out.push_back(d);
    }
    return out;
  }

 private:
  static const char* Chars(const xmlChar* s) { return reinterpret_cast<const char*>(s); }
  xmlNodePtr node_ = nullptr;
};

// A whole document. Load* give false, with the parser's reason in `error`,
// for a file that is missing or not well-formed.
class XmlDocument {
 public:
  bool LoadBuffer(std::string_view bytes) {
    // Blanks alone between tags are no text of the document's: the generator
    // writes none, and a file laid out by hand reads the same.
    doc_.reset(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE |
                                 XML_PARSE_NOBLANKS));
    if (!doc_) {
      const xmlError* e = xmlGetLastError();
      error = e && e->message ? e->message : "not well-formed";
    }
    return static_cast<bool>(doc_);
  }
  bool LoadFile(const std::string& path) {
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
      char buf[1 << 16];
      for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
      std::fclose(f);
    } else {
      error = "cannot read " + path;
      return false;
    }
    return LoadBuffer(bytes);
  }
  XmlNode Root() const { return XmlNode(doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr); }

  std::string error;

 private:
  struct Free {
    void operator()(xmlDocPtr d) const { xmlFreeDoc(d); }
  };
  std::unique_ptr<xmlDoc, Free> doc_;
};

}  // namespace voske::support
