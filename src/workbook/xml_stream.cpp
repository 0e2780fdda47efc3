#include "workbook/xml_stream.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <string>
#include <vector>

#include "workbook/attribute_guard.h"
#include "workbook/reader_limits.h"
#include "workbook/workbook_file.h"

namespace voske {

namespace {

// Inflated bytes handed to the parser at a time: small parts get a buffer
// their size, worksheets one large enough to keep calls few.
constexpr std::uint64_t kMinChunk = 4 * 1024;
constexpr std::uint64_t kMaxChunk = 256 * 1024;

// Carries the handler through the parser's C callbacks. An exception must not
// unwind through the C parser, so it is caught here, the parser is stopped,
// and the exception is thrown again once the current chunk has returned.
struct Session {
  xmlParserCtxtPtr parser = nullptr;
  XmlHandler* handler = nullptr;
  std::exception_ptr failure;
  std::string firstError;  // the parser's own words for the first fatal error
  std::size_t depth = 0;
  // Attributes as the handlers take them: name, value, ..., nullptr. The
  // parser hands values over as ranges of its own buffer, so each name and
  // value is copied out with its terminating NUL.
  std::vector<const char*> attributes;
  std::vector<std::size_t> offsets;
  std::string values;
  TextMeter* texts = nullptr;

  void Fail(std::exception_ptr e) {
    if (!failure) failure = e;
    xmlStopParser(parser);
  }
};

Session* Of(void* context) {
  auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
  return static_cast<Session*>(ctxt->_private);
}

const char* Chars(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

void OnStart(void* context, const xmlChar* localName, const xmlChar*, const xmlChar*, int, const xmlChar**,
             int attributeCount, int, const xmlChar** attributes) {
  Session* s = Of(context);
  if (s->failure) return;
  // The parser keeps every open element; a part that never closes its
  // elements would grow it without end.
  if (++s->depth > limits::kMaxXmlDepth) {
    s->Fail(std::make_exception_ptr(ReaderError(
        ReaderError::Kind::TooLarge, "package part nests elements deeper than " +
                                         std::to_string(limits::kMaxXmlDepth) + " levels")));
    return;
  }
  try {
    // Each attribute arrives as five pointers: local name, prefix, namespace,
    // value start, value end. Handlers see the name as written ("calcext:
    // value-type" stays apart from "office:value-type"). Names and values are
    // laid out first and pointed at once the buffer no longer moves.
    s->values.clear();
    s->offsets.clear();
    for (int i = 0; i < attributeCount; ++i) {
      const xmlChar* const* a = attributes + 5 * i;
      s->offsets.push_back(s->values.size());
      if (a[1]) s->values.append(Chars(a[1])).push_back(':');
      s->values.append(Chars(a[0])).push_back('\0');
      s->offsets.push_back(s->values.size());
      s->values.append(Chars(a[3]), static_cast<std::size_t>(a[4] - a[3])).push_back('\0');
      s->texts->Count(static_cast<std::uint64_t>(a[4] - a[3]));
    }
    s->attributes.clear();
    for (const std::size_t offset : s->offsets) s->attributes.push_back(s->values.data() + offset);
    s->attributes.push_back(nullptr);
    // A prefix the part never declared stays part of the name; the handlers
    // match local names, as writers choose prefixes freely.
    s->handler->StartElement(LocalName(Chars(localName)), s->attributes.data());
  } catch (...) {
    s->Fail(std::current_exception());
  }
}

void OnEnd(void* context, const xmlChar* localName, const xmlChar*, const xmlChar*) {
  Session* s = Of(context);
  if (s->failure) return;
  --s->depth;
  try {
    s->handler->EndElement(LocalName(Chars(localName)));
  } catch (...) {
    s->Fail(std::current_exception());
  }
}

void OnText(void* context, const xmlChar* text, int length) {
  Session* s = Of(context);
  if (s->failure) return;
  try {
    s->handler->CharacterData(std::string_view(Chars(text), static_cast<std::size_t>(length)));
  } catch (...) {
    s->Fail(std::current_exception());
  }
}

// No package part has a document type declaration, and entity expansion is
// how a small part grows without bound: the parse stops at the declaration,
// before any of it is read.
void OnDoctype(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
  Of(context)->Fail(std::make_exception_ptr(
      ReaderError(ReaderError::Kind::Corrupt, "package part carries a document type declaration")));
}

// Errors are kept for the message, never printed: the reader's caller words
// the failure for the user.
void OnError(void* context, xmlError* error) {
  if (!error || error->level < XML_ERR_FATAL) return;
  Session* s = static_cast<Session*>(context ? static_cast<xmlParserCtxtPtr>(context)->_private : nullptr);
  if (!s || !s->firstError.empty()) return;
  std::string message = error->message ? error->message : "unknown error";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  s->firstError = message + " at line " + std::to_string(error->line);
}

xmlSAXHandler MakeHandler() {
  xmlSAXHandler h;
  std::memset(&h, 0, sizeof h);
  h.initialized = XML_SAX2_MAGIC;
  h.startElementNs = OnStart;
  h.endElementNs = OnEnd;
  h.characters = OnText;
  h.ignorableWhitespace = OnText;
  h.cdataBlock = OnText;
  h.internalSubset = OnDoctype;
  h.serror = OnError;
  return h;
}

class ParserHandle {
 public:
  ParserHandle(xmlSAXHandler* handler, const char* first, int size)
      : parser_(xmlCreatePushParserCtxt(handler, nullptr, first, size, nullptr)) {
    if (!parser_) throw std::bad_alloc();
  }
  ~ParserHandle() { xmlFreeParserCtxt(parser_); }
  ParserHandle(const ParserHandle&) = delete;
  ParserHandle& operator=(const ParserHandle&) = delete;
  xmlParserCtxtPtr get() const { return parser_; }

 private:
  xmlParserCtxtPtr parser_;
};

// The library sets up its tables once, before any thread parses.
void InitialiseParserOnce() {
  static std::once_flag once;
  std::call_once(once, [] { xmlInitParser(); });
}

}  // namespace

const char* FindAttribute(const char** attributes, std::string_view name) {
  for (const char** a = attributes; a && *a; a += 2)
    if (LocalName(a[0]) == name) return a[1];
  return nullptr;
}

void ParseXmlPart(ZipArchive& archive, std::uint64_t entry, XmlHandler& handler, TextBudget& texts,
                  const std::atomic<bool>* cancel) {
  InitialiseParserOnce();
  ZipArchive::PartReader reader(archive, entry);
  const std::uint64_t declared = reader.DeclaredSize() + 1;
  const std::size_t chunk =
      static_cast<std::size_t>(declared < kMinChunk ? kMinChunk : declared > kMaxChunk ? kMaxChunk : declared);
  std::vector<char> buffer(chunk);

  xmlSAXHandler sax = MakeHandler();
  ParserHandle handle(&sax, nullptr, 0);
  xmlParserCtxtPtr parser = handle.get();
  TextMeter meter(&texts);
  AttributeGuard guard;
  Session session;
  session.parser = parser;
  session.handler = &handler;
  session.texts = &meter;
  parser->_private = &session;
  // Nothing is fetched from the network or from other files, entities are
  // never substituted, and the parser's own size limits stay in force.
  xmlCtxtUseOptions(parser, XML_PARSE_NONET);

  while (true) {
    if (cancel && cancel->load(std::memory_order_relaxed)) throw XmlParseCancelled();
    const std::size_t n = reader.Read(buffer.data(), buffer.size());
    const bool last = n == 0;
    guard.Scan(buffer.data(), n);
    const int code = xmlParseChunk(parser, buffer.data(), static_cast<int>(n), last ? 1 : 0);
    if (session.failure) std::rethrow_exception(session.failure);
    if (code != 0 || !parser->wellFormed) {
      std::string what = session.firstError;
      if (what.empty()) what = "error " + std::to_string(code) + " at line " + std::to_string(xmlSAX2GetLineNumber(parser));
      throw ReaderError(ReaderError::Kind::Corrupt, "malformed XML in package part: " + what);
    }
    if (last) break;
  }
  meter.Flush();
}

}  // namespace voske
