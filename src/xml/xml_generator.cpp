#include "xml/xml_generator.h"

#include <cctype>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>

#include "text/cp1252.h"
#include "values/converters.h"
#include "xml/atomic_file.h"
#include "xml/md5.h"
#include "xml/xsd_parse_manager.h"

namespace voske {

namespace {

Text InvalidNumberMessage(const Text& value) {
  return Ansi("O valor \"") + value + Ansi("\" não é um número válido, verifique na planilha.");
}

// A number IsFloat accepts, in the plain form the regulator reads: "." as
// the decimal separator and no exponent ("1.5E3" -> "1500", "1E-5" ->
// "0.00001", "12,5" -> "12.5"), rewritten digit for digit so that the cut to
// two decimals below keeps its value. Other texts come back unchanged.
Text PlainDecimal(const Text& v) {
  const size_t e = v.find_first_of("Ee");
  if (e == Text::npos) return ReplaceAll(v, ",", ".");

  Text mantissa = v.substr(0, e);
  Text sign;
  if (!mantissa.empty() && (mantissa[0] == '-' || mantissa[0] == '+')) {
    sign = mantissa.substr(0, 1);
    mantissa.erase(0, 1);
  }
  // The exponent saturates: IsFloat held, so a large one only comes with as
  // many leading zeros in the mantissa, and the work stays bounded by the
  // length of the text.
  long exponent = 0;
  size_t i = e + 1;
  const bool negative = i < v.size() && v[i] == '-';
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) ++i;
  for (; i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])); ++i)
    if (exponent < 10000000) exponent = exponent * 10 + (v[i] - '0');
  if (negative) exponent = -exponent;

  const size_t point = mantissa.find_first_of(".,");
  Text digits = mantissa;
  long intDigits = static_cast<long>(mantissa.size());
  if (point != Text::npos) {
    digits.erase(point, 1);
    intDigits = static_cast<long>(point);
  }
  long at = intDigits + exponent;  // digits before the point once shifted
  if (at < -2) return sign + "0.000";  // below 0.001: nothing survives the cut
  if (at <= 0) {
    digits.insert(0, static_cast<size_t>(-at) + 1, '0');
    at = 1;
  } else if (at > static_cast<long>(digits.size())) {
    digits.append(static_cast<size_t>(at) - digits.size(), '0');
  }
  Text whole = digits.substr(0, static_cast<size_t>(at));
  const Text fraction = digits.substr(static_cast<size_t>(at));
  while (whole.size() > 1 && whole[0] == '0') whole.erase(0, 1);
  return fraction.empty() ? sign + whole : sign + whole + "." + fraction;
}

// An optional minus, digits, and at most one "." followed by digits, short
// enough to fit a double: a number IsFloat accepts (with the point read as
// its comma) and that PlainDecimal leaves as it is.
bool IsPlainDecimal(const Text& v) {
  if (v.size() > 40) return false;
  size_t i = v.size() > 1 && v[0] == '-' ? 1 : 0;
  const size_t firstDigit = i;
  while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i]))) ++i;
  if (i == firstDigit) return false;
  if (i == v.size()) return true;
  if (v[i] != '.') return false;
  const size_t fractionStart = ++i;
  while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i]))) ++i;
  return i == v.size() && i > fractionStart;
}

// Characters the written file must carry as character references:
// - the bytes 0x80-0x9F: Windows-1252 puts letters and signs there (the euro
//   sign, curly quotes, the per-mille sign...) where ISO-8859-1, the file's
//   declared encoding, has only control codes. Written as references to
//   their Unicode code points, they reach any reader as the characters the
//   workbook held, and the file stays true to its declaration;
// - the carriage return inside a value, which a reader would otherwise turn
//   into a line feed, changing the value the document's hash covers.
bool NeedsReference(unsigned char byte) { return (byte >= 0x80 && byte <= 0x9F) || byte == 0x0D; }

// Appends `text` to `out` with those characters as references. Runs of plain
// bytes are copied whole: a large document is mostly plain.
void AppendForLatin1(std::string& out, std::string_view text) {
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!NeedsReference(byte)) continue;
    out.append(text, run, i - run);
    out += "&#" + std::to_string(static_cast<unsigned long>(ToCodePoint(byte))) + ";";
    run = i + 1;
  }
  out.append(text, run, text.size() - run);
}

// Receives the DOM's serialisation piece by piece and passes it on, escaped
// for Latin-1, in pieces of about a megabyte. The escaping and the writing
// run on a thread of their own while the DOM goes on serialising, so saving a
// large document costs little more than serialising it. When the document
// has a literal root start tag, the DOM's own start tag (everything up to its
// first ">") is left out, since the literal replaces it.
class ContentWriter : public pugi::xml_writer {
 public:
  ContentWriter(const PieceWriter& out, bool skipStartTag)
      : out_(out), skippingStartTag_(skipStartTag), thread_([this] { Run(); }) {
    pending_.reserve(kPiece + kPiece / 8);
  }
  ContentWriter(const ContentWriter&) = delete;
  ContentWriter& operator=(const ContentWriter&) = delete;
  // Stops the thread when the content was not finished (an error on the way).
  ~ContentWriter() {
    if (thread_.joinable()) Stop();
  }

  // Text of the document: values and markup, escaped.
  void Append(std::string_view text) {
    pending_ += text;
    if (pending_.size() >= kPiece) HandOver();
  }
  // The file's own lines: the declaration, line ends, the root start tag.
  void AppendRaw(std::string_view text) {
    HandOver();
    Enqueue({std::string(text), false});
  }
  // Writes what is left and waits for it; raises what writing raised.
  void Finish() {
    HandOver();
    Stop();
    if (failure_) std::rethrow_exception(failure_);
  }
  void write(const void* data, size_t size) override {
    std::string_view piece(static_cast<const char*>(data), size);
    if (skippingStartTag_) {
      const size_t close = piece.find('>');
      if (close == std::string_view::npos) return;
      piece.remove_prefix(close + 1);
      skippingStartTag_ = false;
    }
    Append(piece);
  }

 private:
  struct Piece {
    std::string text;
    bool escape;
  };
  static constexpr size_t kPiece = 1 << 20;
  static constexpr size_t kMaxWaiting = 4;

  void HandOver() {
    if (pending_.empty()) return;
    Enqueue({std::move(pending_), true});
    pending_ = std::string();
    pending_.reserve(kPiece + kPiece / 8);
  }
  void Enqueue(Piece piece) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < kMaxWaiting; });
    waiting_.push_back(std::move(piece));
    lock.unlock();
    changed_.notify_all();
  }
  void Stop() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      finished_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  void Run() {
    std::string escaped;
    for (;;) {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return finished_ || !waiting_.empty(); });
      if (waiting_.empty()) return;  // finished, and all written
      Piece piece = std::move(waiting_.front());
      waiting_.pop_front();
      lock.unlock();
      changed_.notify_all();
      // After a failure the rest is only drained: the save has failed.
      if (failure_) continue;
      try {
        if (piece.escape) {
          escaped.clear();
          AppendForLatin1(escaped, piece.text);
          out_(escaped);
        } else {
          out_(piece.text);
        }
      } catch (...) {
        failure_ = std::current_exception();
      }
    }
  }

  const PieceWriter& out_;
  bool skippingStartTag_;
  std::string pending_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Piece> waiting_;
  bool finished_ = false;
  std::exception_ptr failure_;  // read by the caller only after the thread ended
  std::thread thread_;          // last: it starts once the rest is ready
};

// The file: declaration, leading line, root start tag, then the DOM's
// serialisation, each line ended by CR LF.
void WriteContent(const pugi::xml_document& doc, const Text& leadingLine, const Text& rootStartTag,
                  const PieceWriter& out) {
  static constexpr TextView kLineEnd = "\r\n";
  // The literal start tag, with the namespace declarations, replaces the
  // DOM's own; the end tag stays the DOM's.
  const bool literalStartTag = !Trim(rootStartTag).empty();
  ContentWriter writer(out, literalStartTag);
  writer.AppendRaw("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
  writer.AppendRaw(kLineEnd);
  writer.Append(leadingLine);
  writer.AppendRaw(kLineEnd);
  if (literalStartTag) writer.AppendRaw(rootStartTag);
  // Unindented, no declaration of its own, empty elements as start/end pairs
  // (so the root always has an end tag after its start tag). The text bytes
  // are Windows-1252 and pass through unconverted.
  doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags,
           pugi::encoding_utf8);
  writer.AppendRaw(kLineEnd);
  writer.Finish();
}

}  // namespace

TXMLGenerator::TXMLGenerator(const Text& rootName, const Text& rootStartTag, const Text& leadingLine)
    : leadingLine_(leadingLine), rootStartTag_(rootStartTag) {
  root_ = doc_.append_child(rootName.c_str());
  current_ = root_;
}

pugi::xml_node TXMLGenerator::AddElement(const Text& name, bool keepCurrent, const Text& parentPath) {
  pugi::xml_node parent = parentPath.empty() ? current_ : FindNode(parentPath);
  // An element whose parent is not found is appended nowhere: it lives in a
  // document of its own that is never written, and so do its children.
  pugi::xml_node node = parent ? parent.append_child(name.c_str()) : detached_.append_child(name.c_str());
  if (!keepCurrent) current_ = node;
  return node;
}

void TXMLGenerator::AddTextElement(const Text& name, const Text& value, const Text& parentPath) {
  const Text v = Trim(TXSDParseManager().ValidateLength(name, Trim(WithoutControlCharacters(value))));
  pugi::xml_node node = AddElement(name, true, parentPath);
  if (!v.empty()) node.text().set(v.c_str());
  hashText_ += v;
}

void TXMLGenerator::AddDecimalElement(const Text& name, const Text& value, const Text& parentPath) {
  Text v = Trim(TXSDParseManager().ValidateLength(name, Trim(WithoutControlCharacters(value))));
  if (v.empty()) {
    v = "0.0";
  } else {
    // Amounts the converters wrote are already plain decimals and need no
    // further check; anything else is checked and rewritten.
    if (!IsPlainDecimal(v)) {
      if (v.find('.') == Text::npos) {
        if (!IsFloat(v)) throw EGenerica(InvalidNumberMessage(v));
      } else {
        // A decimal point where the workbook's numbers have their comma.
        Text copy = v;
        copy[copy.find('.')] = ',';
        if (!IsFloat(copy)) throw EGenerica(InvalidNumberMessage(v));
      }
      v = PlainDecimal(v);
    }
    const size_t point = v.find('.');
    if (point == Text::npos) {
      v += ".0";
    } else {
      // At most two digits after the point, cut and never rounded, then one
      // trailing zero dropped: 12.345 -> 12.34, 12.30 -> 12.3, 12.0 -> 12.
      if (v.size() > point + 3) v.resize(point + 3);
      if (v.back() == '0') v.pop_back();
    }
  }
  pugi::xml_node node = AddElement(name, true, parentPath);
  node.text().set(v.c_str());
  hashText_ += v;
}

void TXMLGenerator::ReturnTo(const Text& name) {
  pugi::xml_node n = current_;
  while (n && !(n.type() == pugi::node_element && name == n.name())) n = n.parent();
  if (!n) {
    throw EGenerica(Ansi("Erro interno na geração do XML: o elemento \"") + name +
                    Ansi("\" não é o elemento atual nem um de seus ancestrais."));
  }
  current_ = n;
}

pugi::xml_node TXMLGenerator::FindNode(const Text& path) const {
  // The builders name a child of the root by its qualified name; the prefix
  // is compared as text, as no namespace is attached to the elements.
  for (pugi::xml_node child = root_.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element && path == child.name()) return child;
  return pugi::xml_node();
}

void TXMLGenerator::SetCurrent(pugi::xml_node node) { current_ = node; }
pugi::xml_node TXMLGenerator::Current() const { return current_; }
pugi::xml_node TXMLGenerator::Root() const { return root_; }

Text TXMLGenerator::ContentHash() const { return HashText(hashText_); }
const Text& TXMLGenerator::ContentHashText() const { return hashText_; }
Text TXMLGenerator::HashText(const Text& text) { return DigestToHex(Md5Of(text)); }

std::string TXMLGenerator::FileContent() const {
  std::string content;
  WriteContent(doc_, leadingLine_, rootStartTag_, [&content](std::string_view piece) { content += piece; });
  return content;
}

void TXMLGenerator::SaveToFile(const std::string& fileName) const {
  // Written as it is serialised: a document of a hundred megabytes is never
  // held a second time in memory.
  WriteFileAtomically(fileName,
                      [this](const PieceWriter& out) { WriteContent(doc_, leadingLine_, rootStartTag_, out); });
}

}  // namespace voske
