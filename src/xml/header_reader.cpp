#include "xml/header_reader.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <new>

#include "platform/file_reading.h"
#include "text/cp1252.h"

namespace voske {

namespace {

// Follows the parse and keeps only what the value needs. The rules: the
// first `element` in document order; among its children, in order, the first
// element named `child` in each child's subtree (the child itself included);
// the first of those whose text is not empty. The text is every character
// below that element, where a run of blanks alone between two tags does not
// count, while a CDATA section always does.
class Scan {
 public:
  Scan(xmlParserCtxtPtr parser, std::string element, std::string child)
      : parser_(parser), element_(std::move(element)), child_(std::move(child)) {}

  bool done() const { return done_; }
  std::string& value() { return value_; }

  void Start(const std::string& name) {
    ++depth_;
    if (depth_ > kMaxDepth) return Finish(false);
    if (selectedDepth_ == 0) {
      if (element_ == name) selectedDepth_ = depth_;
      return;
    }
    if (capturing_) return FlushText();
    if (depth_ == selectedDepth_ + 1) childTaken_ = false;
    if (!childTaken_ && child_ == name) {
      childTaken_ = true;
      capturing_ = true;
      captureDepth_ = depth_;
      value_.clear();
      pending_.clear();
    }
  }

  void End() {
    if (capturing_) {
      FlushText();
      if (depth_ == captureDepth_) {
        capturing_ = false;
        if (!value_.empty()) return Finish(true);
      }
    }
    if (selectedDepth_ != 0 && depth_ == selectedDepth_) return Finish(false);  // no value in the first one
    --depth_;
  }

  void Characters(const char* s, int length) {
    if (!capturing_) return;
    pending_.append(s, static_cast<size_t>(length));
    CapValue();
  }

  // A CDATA section counts even when it holds only blanks.
  void Cdata(const char* s, int length) {
    if (!capturing_) return;
    FlushText();
    value_.append(s, static_cast<size_t>(length));
    CapValue();
  }

  // A document type declaration could declare entities whose references
  // would be expanded; no document of the system has one.
  void Doctype() { Finish(false); }

 private:
  void FlushText() {
    if (pending_.find_first_not_of(" \t\r\n") != std::string::npos) value_ += pending_;
    pending_.clear();
  }

  void CapValue() {
    if (value_.size() + pending_.size() <= kMaxValueSize) return;
    FlushText();
    value_.resize(std::min(value_.size(), kMaxValueSize));
    Finish(true);
  }

  void Finish(bool found) {
    if (done_) return;
    done_ = true;
    if (!found) value_.clear();
    xmlStopParser(parser_);
  }

  xmlParserCtxtPtr parser_;
  const std::string element_, child_;
  int depth_ = 0;
  int selectedDepth_ = 0;  // 0 until the first `element` starts
  bool childTaken_ = false;
  bool capturing_ = false;
  int captureDepth_ = 0;
  bool done_ = false;
  std::string value_, pending_;
};

Scan& Of(void* context) { return *static_cast<Scan*>(static_cast<xmlParserCtxtPtr>(context)->_private); }
const char* Chars(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

// The name as written: a prefix the document declared comes apart from the
// local name, one it never declared stays part of it.
std::string QualifiedName(const xmlChar* localName, const xmlChar* prefix) {
  return prefix ? std::string(Chars(prefix)) + ":" + Chars(localName) : std::string(Chars(localName));
}

xmlSAXHandler MakeHandler() {
  xmlSAXHandler h;
  std::memset(&h, 0, sizeof h);
  h.initialized = XML_SAX2_MAGIC;
  h.startElementNs = [](void* c, const xmlChar* localName, const xmlChar* prefix, const xmlChar*, int,
                        const xmlChar**, int, int, const xmlChar**) { Of(c).Start(QualifiedName(localName, prefix)); };
  h.endElementNs = [](void* c, const xmlChar*, const xmlChar*, const xmlChar*) { Of(c).End(); };
  h.characters = [](void* c, const xmlChar* s, int n) { Of(c).Characters(Chars(s), n); };
  h.ignorableWhitespace = h.characters;
  h.cdataBlock = [](void* c, const xmlChar* s, int n) { Of(c).Cdata(Chars(s), n); };
  h.internalSubset = [](void* c, const xmlChar*, const xmlChar*, const xmlChar*) { Of(c).Doctype(); };
  // A file that is no document simply gives no value: nothing is printed.
  h.serror = [](void*, xmlError*) {};
  return h;
}

class Parser {
 public:
  // `head`: the file's first bytes (up to four), by which the parser tells
  // the encoding before anything is declared.
  Parser(xmlSAXHandler* handler, const char* head, int size)
      : parser_(xmlCreatePushParserCtxt(handler, nullptr, head, size, nullptr)) {
    if (!parser_) throw std::bad_alloc();
    // Nothing is fetched from the network or from other files.
    xmlCtxtUseOptions(parser_, XML_PARSE_NONET);
  }
  ~Parser() { xmlFreeParserCtxt(parser_); }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;
  xmlParserCtxtPtr get() const { return parser_; }

 private:
  xmlParserCtxtPtr parser_;
};

HeaderValue Failure(int error) {
  HeaderValue result;
  result.outcome = (error == ENOENT || error == ENOTDIR) ? HeaderValue::Outcome::Missing
                                                         : HeaderValue::Outcome::Unreadable;
  result.error = error;
  return result;
}

}  // namespace

HeaderValue ReadHeaderValue(const std::string& path, const Text& element, const Text& child) {
  // Only a regular file opens, and the open never waits: a pipe or a device
  // may never end.
  const platform::ReadOnlyFile file(path);
  if (!file.IsOpen()) return Failure(file.Error());

  // The library sets up its tables once, before any thread parses.
  static std::once_flag initialised;
  std::call_once(initialised, [] { xmlInitParser(); });
  HeaderValue result;
  char buffer[64 * 1024];
  std::uint64_t offset = 0;
  std::ptrdiff_t n = file.ReadAt(offset, buffer, sizeof buffer);
  if (n < 0) return Failure(file.Error());
  const int head = static_cast<int>(std::min<std::ptrdiff_t>(n, 4));
  xmlSAXHandler handler = MakeHandler();
  const Parser parser(&handler, buffer, head);
  Scan scan(parser.get(), ToUtf8(element), ToUtf8(child));
  parser.get()->_private = &scan;

  offset += static_cast<std::uint64_t>(n);
  const char* piece = buffer + head;
  int size = static_cast<int>(n) - head;
  for (bool last = n == 0;;) {
    const int code = xmlParseChunk(parser.get(), piece, size, last ? 1 : 0);
    // Stopped on purpose once the value was known, or not XML at all.
    if (scan.done()) break;
    if (code != 0 || !parser.get()->wellFormed) break;
    if (last) break;
    if (offset >= kMaxHeaderOffset) return result;  // no header where a header is
    n = file.ReadAt(offset, buffer, sizeof buffer);
    if (n < 0) return Failure(file.Error());
    offset += static_cast<std::uint64_t>(n);
    piece = buffer;
    size = static_cast<int>(n);
    last = n == 0;
  }
  // A value is taken only when its element was closed or it reached its cap;
  // a file that ends before that is not a document.
  if (!scan.done()) scan.value().clear();
  result.value = FromUtf8(scan.value());
  return result;
}

}  // namespace voske
