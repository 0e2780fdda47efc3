#pragma once
// Checks on a saved document, independent of the code that wrote it: parse
// the file as the regulator would (ISO-8859-1), list its leaf values in
// document order, and recompute the epilogue hash with nettle's MD5 rather
// than the program's own.
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <nettle/md5.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/files.h"
#include "support/xml_tree.h"

namespace voske::support {

// The parse hands out UTF-8; the document's values are one byte per character.
// Code points above 255 cannot occur in a Latin-1 parse and come out as "?".
inline std::string Latin1FromUtf8(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
      out.push_back(static_cast<char>(((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F)));
    } else {
      out.push_back('?');
      while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
    }
  }
  return out;
}

// Passes when `bytes` are a well-formed XML 1.0 document, to the letter of
// XML 1.0 (character references such as "&#01;" are refused).
inline ::testing::AssertionResult StrictlyWellFormed(std::string_view bytes) {
  xmlParserCtxtPtr parser = xmlNewParserCtxt();
  if (!parser) return ::testing::AssertionFailure() << "no XML parser";
  xmlDocPtr doc = xmlCtxtReadMemory(parser, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
  ::testing::AssertionResult result = ::testing::AssertionSuccess();
  if (!doc || !parser->wellFormed) {
    const xmlError* e = xmlCtxtGetLastError(parser);
    result = ::testing::AssertionFailure() << "not well-formed XML 1.0: " << (e && e->message ? e->message : "?")
                                           << " at line " << (e ? e->line : 0) << ", column " << (e ? e->int2 : 0);
  }
  xmlFreeDoc(doc);
  xmlFreeParserCtxt(parser);
  return result;
}

// A saved document: the file's bytes and their parse.
struct SavedDocument {
  std::string bytes;
  XmlDocument doc;

  XmlNode Root() const { return doc.Root(); }
  // The element at a "/"-separated path of qualified names below the root
  // ("oxr:identificador/oxr:CNPJ"), or a null node.
  XmlNode At(const std::string& path) const {
    XmlNode node = Root();
    for (size_t start = 0; node && start <= path.size();) {
      const size_t slash = std::min(path.find('/', start), path.size());
      node = node.child(std::string_view(path).substr(start, slash - start));
      start = slash + 1;
    }
    return node;
  }
  // Its text, as the file's bytes hold it; empty for a missing element.
  std::string ValueAt(const std::string& path) const { return Latin1FromUtf8(At(path).child_value()); }
};

// Reads and parses a saved document; records a test failure and returns
// nullptr when the file cannot be read or is not well-formed XML.
inline std::unique_ptr<SavedDocument> LoadSavedDocument(const std::filesystem::path& file) {
  auto saved = std::make_unique<SavedDocument>();
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << file;
    return nullptr;
  }
  saved->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (::testing::AssertionResult strict = StrictlyWellFormed(saved->bytes); !strict) {
    ADD_FAILURE() << file << " " << strict.message();
    return nullptr;
  }
  if (!saved->doc.LoadBuffer(saved->bytes)) {
    ADD_FAILURE() << file << " is not well-formed: " << saved->doc.error;
    return nullptr;
  }
  return saved;
}

// The names of the child elements of `node`, in order.
inline std::vector<std::string> ChildNames(XmlNode node) {
  std::vector<std::string> names;
  for (XmlNode c : node.children())
    if (c.IsElement()) names.push_back(c.name());
  return names;
}

// The elements named `name` directly under `node`, in order.
inline std::vector<XmlNode> Children(XmlNode node, const char* name) {
  return node.children(name);
}

struct Leaf {
  std::string name;
  std::string value;  // the file's bytes
  bool operator==(const Leaf&) const = default;
};

// Every element below `node` without child elements, in document order, with
// its text. An empty container counts too, with an empty value.
inline std::vector<Leaf> LeafValues(XmlNode node) {
  std::vector<Leaf> leaves;
  for (const XmlNode& c : node.children()) {
    if (!c.IsElement()) continue;
    if (!c.find_node([](const XmlNode&) { return true; })) {
      leaves.push_back({c.name(), Latin1FromUtf8(c.child_value())});
    } else {
      for (Leaf& leaf : LeafValues(c)) leaves.push_back(std::move(leaf));
    }
  }
  return leaves;
}

// A readable picture of an element and everything under it, in UTF-8, one
// element a line, two blanks of indentation per level; an element without
// child elements shows its text after " = " (nothing after "=" when empty):
//   oxr:telefone
//     oxr:codigoDDI = 55
//     oxr:ramal =
// Comparing whole outlines checks element order, values, and empty versus
// absent elements in one go.
inline std::string Outline(XmlNode node, int depth = 0) {
  std::string out(static_cast<std::size_t>(depth) * 2, ' ');
  out += node.name();
  const bool leaf = !node.find_node([](const XmlNode&) { return true; });
  if (leaf) {
    const std::string value = node.child_value();
    out += value.empty() ? " =" : " = " + value;
  }
  out += "\n";
  for (XmlNode c : node.children())
    if (c.IsElement()) out += Outline(c, depth + 1);
  return out;
}

// Lowercase hexadecimal MD5 of `bytes`, by nettle (a shell's md5sum is not
// there on Windows).
inline std::string Md5Hex(std::string_view bytes) {
  md5_ctx ctx;
  md5_init(&ctx);
  md5_update(&ctx, bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
  uint8_t digest[MD5_DIGEST_SIZE];
  md5_digest(&ctx, sizeof digest, digest);
  static const char* const kHex = "0123456789abcdef";
  std::string hex;
  for (const uint8_t b : digest) {
    hex += kHex[b >> 4];
    hex += kHex[b & 15];
  }
  return hex;
}

// The content hash a document should carry: MD5 of every leaf value before
// oxr:epilogo/oxr:hash, concatenated in document order without separators.
inline std::string RecomputeContentHash(const SavedDocument& saved) {
  std::string text;
  for (const Leaf& leaf : LeafValues(saved.Root())) {
    if (leaf.name == "oxr:hash") break;
    text += leaf.value;
  }
  return Md5Hex(text);
}

// Passes when the document's oxr:epilogo/oxr:hash equals the hash recomputed
// from its leaf values.
inline ::testing::AssertionResult HashMatchesContent(const SavedDocument& saved) {
  const std::string stored = saved.ValueAt("oxr:epilogo/oxr:hash");
  const std::string expected = RecomputeContentHash(saved);
  if (!stored.empty() && stored == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "oxr:hash is \"" << stored << "\", the leaf values give \"" << expected
                                       << "\"";
}

}  // namespace voske::support
