#include "xml/header_reader.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include <expat.h>

#include "platform/file_reading.h"
#include "text/cp1252.h"

namespace voske {

namespace {

// Follows the parse and keeps only what the value needs. The rules: the
// first `element` in document order; among its children, in order, the first
// element named `child` in each child's subtree (the child itself included);
// the first of those whose text is not empty. The text is every character
// below that element, where a run of blanks alone between two tags does not
// count.
class Scan {
 public:
  Scan(XML_Parser parser, std::string element, std::string child)
      : parser_(parser), element_(std::move(element)), child_(std::move(child)) {}

  bool done() const { return done_; }
  std::string& value() { return value_; }

  void Start(const char* name) {
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
    (inCdata_ ? cdata_ : pending_).append(s, static_cast<size_t>(length));
    if (value_.size() + pending_.size() + cdata_.size() > kMaxValueSize) {
      FlushText();
      value_ += cdata_;
      value_.resize(std::min(value_.size(), kMaxValueSize));
      Finish(true);
    }
  }

  void StartCdata() {
    if (!capturing_) return;
    FlushText();
    inCdata_ = true;
  }

  void EndCdata() {
    if (!capturing_) return;
    value_ += cdata_;  // a CDATA section counts even when it holds only blanks
    cdata_.clear();
    inCdata_ = false;
  }

  // Entity declarations would have their references expanded; the document
  // reader never expands them, and no document of the system declares any.
  void EntityDeclared() { Finish(false); }

 private:
  void FlushText() {
    if (pending_.find_first_not_of(" \t\r\n") != std::string::npos) value_ += pending_;
    pending_.clear();
  }

  void Finish(bool found) {
    if (done_) return;
    done_ = true;
    if (!found) value_.clear();
    XML_StopParser(parser_, XML_FALSE);
  }

  XML_Parser parser_;
  const std::string element_, child_;
  int depth_ = 0;
  int selectedDepth_ = 0;  // 0 until the first `element` starts
  bool childTaken_ = false;
  bool capturing_ = false;
  int captureDepth_ = 0;
  bool inCdata_ = false;
  bool done_ = false;
  std::string value_, pending_, cdata_;
};

Scan& Of(void* data) { return *static_cast<Scan*>(data); }

// An encoding expat does not know is read as Windows-1252, the system's own.
int SingleByteEncoding(void*, const XML_Char*, XML_Encoding* info) {
  for (int byte = 0; byte < 256; ++byte) info->map[byte] = static_cast<int>(ToCodePoint(static_cast<unsigned char>(byte)));
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

class Parser {
 public:
  Parser() : parser_(XML_ParserCreate(nullptr)) {}
  ~Parser() {
    if (parser_) XML_ParserFree(parser_);
  }
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;
  XML_Parser get() const { return parser_; }

 private:
  XML_Parser parser_;
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

  const Parser parser;
  if (!parser.get()) throw std::bad_alloc();
  Scan scan(parser.get(), ToUtf8(element), ToUtf8(child));
  XML_SetUserData(parser.get(), &scan);
  XML_SetElementHandler(
      parser.get(), [](void* d, const XML_Char* name, const XML_Char**) { Of(d).Start(name); },
      [](void* d, const XML_Char*) { Of(d).End(); });
  XML_SetCharacterDataHandler(parser.get(), [](void* d, const XML_Char* s, int n) { Of(d).Characters(s, n); });
  XML_SetCdataSectionHandler(
      parser.get(), [](void* d) { Of(d).StartCdata(); }, [](void* d) { Of(d).EndCdata(); });
  XML_SetEntityDeclHandler(parser.get(), [](void* d, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                            const XML_Char*, const XML_Char*, const XML_Char*) {
    Of(d).EntityDeclared();
  });
  XML_SetUnknownEncodingHandler(parser.get(), SingleByteEncoding, nullptr);

  HeaderValue result;
  char buffer[64 * 1024];
  std::uintmax_t offset = 0;
  while (!scan.done()) {
    if (offset >= kMaxHeaderOffset) return result;  // no header where a header is
    const std::ptrdiff_t n = file.ReadAt(offset, buffer, sizeof buffer);
    if (n < 0) return Failure(file.Error());
    offset += static_cast<std::uintmax_t>(n);
    const bool last = n == 0;
    if (XML_Parse(parser.get(), buffer, static_cast<int>(n), last ? XML_TRUE : XML_FALSE) == XML_STATUS_ERROR) {
      // Stopped on purpose once the value was known, or not XML at all.
      if (XML_GetErrorCode(parser.get()) != XML_ERROR_ABORTED) scan.value().clear();
      break;
    }
    if (last) break;
  }
  // A value is taken only when its element was closed or it reached its cap;
  // a file that ends before that is not a document.
  if (!scan.done()) scan.value().clear();
  result.value = FromUtf8(scan.value());
  return result;
}

}  // namespace voske
