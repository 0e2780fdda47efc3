#include "workbook/xml_stream.h"

#include <expat.h>

#include <exception>
#include <new>
#include <string>

#include "workbook/reader_limits.h"
#include "workbook/workbook_file.h"

namespace voske {

namespace {

// Inflated bytes handed to the parser at a time: small parts get a buffer
// their size, worksheets one large enough to keep calls few.
constexpr std::uint64_t kMinChunk = 4 * 1024;
constexpr std::uint64_t kMaxChunk = 256 * 1024;

// Carries the handler through expat's C callbacks. An exception must not
// unwind through the C parser, so it is caught here, the parser is stopped,
// and the exception is thrown again once XML_ParseBuffer has returned.
struct Session {
  XML_Parser parser;
  XmlHandler* handler;
  std::exception_ptr failure;
  std::size_t depth = 0;

  void Fail(std::exception_ptr e) {
    if (!failure) failure = e;
    XML_StopParser(parser, XML_FALSE);
  }
};

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto* s = static_cast<Session*>(data);
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
    s->handler->StartElement(LocalName(name), attributes);
  } catch (...) {
    s->Fail(std::current_exception());
  }
}

void XMLCALL OnEnd(void* data, const XML_Char* name) {
  auto* s = static_cast<Session*>(data);
  if (s->failure) return;
  --s->depth;
  try {
    s->handler->EndElement(LocalName(name));
  } catch (...) {
    s->Fail(std::current_exception());
  }
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
  auto* s = static_cast<Session*>(data);
  if (s->failure) return;
  try {
    s->handler->CharacterData(std::string_view(text, static_cast<size_t>(length)));
  } catch (...) {
    s->Fail(std::current_exception());
  }
}

void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  auto* s = static_cast<Session*>(data);
  s->Fail(std::make_exception_ptr(
      ReaderError(ReaderError::Kind::Corrupt, "package part carries a document type declaration")));
}

class ParserHandle {
 public:
  ParserHandle() : parser_(XML_ParserCreate(nullptr)) {
    if (!parser_) throw std::bad_alloc();
  }
  ~ParserHandle() { XML_ParserFree(parser_); }
  ParserHandle(const ParserHandle&) = delete;
  ParserHandle& operator=(const ParserHandle&) = delete;
  XML_Parser get() const { return parser_; }

 private:
  XML_Parser parser_;
};

}  // namespace

const char* FindAttribute(const char** attributes, std::string_view name) {
  for (const char** a = attributes; a && *a; a += 2)
    if (LocalName(a[0]) == name) return a[1];
  return nullptr;
}

void ParseXmlPart(ZipArchive& archive, std::uint64_t entry, XmlHandler& handler, const std::atomic<bool>* cancel) {
  ZipArchive::PartReader reader(archive, entry);
  const std::uint64_t declared = reader.DeclaredSize() + 1;
  const int chunk = static_cast<int>(declared < kMinChunk ? kMinChunk : declared > kMaxChunk ? kMaxChunk : declared);
  ParserHandle handle;
  XML_Parser parser = handle.get();
  Session session{parser, &handler, nullptr};
  XML_SetUserData(parser, &session);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnText);
  XML_SetStartDoctypeDeclHandler(parser, OnDoctype);
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);

  while (true) {
    if (cancel && cancel->load(std::memory_order_relaxed)) throw XmlParseCancelled();
    void* buffer = XML_GetBuffer(parser, chunk);
    if (!buffer) throw std::bad_alloc();
    const std::size_t n = reader.Read(static_cast<char*>(buffer), static_cast<std::size_t>(chunk));
    const bool last = n == 0;
    const XML_Status status = XML_ParseBuffer(parser, static_cast<int>(n), last ? XML_TRUE : XML_FALSE);
    if (session.failure) std::rethrow_exception(session.failure);
    if (status != XML_STATUS_OK)
      throw ReaderError(ReaderError::Kind::Corrupt,
                        std::string("malformed XML in package part: ") + XML_ErrorString(XML_GetErrorCode(parser)) +
                            " at line " + std::to_string(XML_GetCurrentLineNumber(parser)));
    if (last) break;
  }
}

}  // namespace voske
