#include "xml/xml_generator.h"

#include <array>
#include <cctype>
#include <string>
#include <utility>

#include "text/cp1252.h"
#include "values/converters.h"
#include "xml/atomic_file.h"
#include "xml/background_writer.h"
#include "xml/md5.h"
#include "xml/length_limits.h"

namespace voske {

namespace {

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

// How each byte of a value is written. The file declares ISO-8859-1 and
// carries the Windows-1252 bytes as they are, except:
// - the markup characters & < >, as entities;
// - control codes other than TAB, LF and CR, as two-digit references
//   ("&#01;"), the form the document has always had for them;
// - the bytes 0x80-0x9F: Windows-1252 puts letters and signs there (the euro
//   sign, curly quotes, the per-mille sign...) where ISO-8859-1 has only
//   control codes. Written as references to their Unicode code points, they
//   reach any reader as the characters the workbook held, and the file stays
//   true to its declaration;
// - the carriage return inside a value, which a reader would otherwise turn
//   into a line feed, changing the value the document's hash covers.
enum ByteForm : unsigned char { kPlain, kEntity, kControl, kCodePoint };

constexpr std::array<unsigned char, 256> MakeByteForms() {
  std::array<unsigned char, 256> forms{};
  for (int b = 1; b < 32; ++b) forms[b] = kControl;
  forms['\t'] = forms['\n'] = kPlain;
  forms['\r'] = kCodePoint;
  forms['&'] = forms['<'] = forms['>'] = kEntity;
  for (int b = 0x80; b <= 0x9F; ++b) forms[b] = kCodePoint;
  return forms;
}
constexpr std::array<unsigned char, 256> kByteForms = MakeByteForms();

void AppendReference(std::string& out, unsigned char byte) {
  const unsigned char form = kByteForms[byte];
  if (form == kEntity) {
    out += byte == '&' ? "&amp;" : byte == '<' ? "&lt;" : "&gt;";
  } else if (form == kControl) {
    const char ref[] = {'&', '#', static_cast<char>('0' + byte / 10), static_cast<char>('0' + byte % 10), ';'};
    out.append(ref, sizeof ref);
  } else {
    out += "&#" + std::to_string(static_cast<unsigned long>(ToCodePoint(byte))) + ";";
  }
}

// Appends `text` with each byte in its written form; `markupToo` false keeps
// & < > and control codes as they are (the leading line is no element
// content). Runs of plain bytes are copied whole: a document is mostly plain.
void AppendWritten(std::string& out, std::string_view text, bool markupToo) {
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const unsigned char form = kByteForms[byte];
    if (form == kPlain || (!markupToo && form != kCodePoint)) continue;
    out.append(text, run, i - run);
    AppendReference(out, byte);
    run = i + 1;
  }
  out.append(text, run, text.size() - run);
}

// The file is handed to the disk in pieces of about this size.
constexpr size_t kPiece = 1 << 20;

constexpr TextView kDeclaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
constexpr TextView kLineEnd = "\r\n";

}  // namespace

TXMLGenerator::TXMLGenerator(const Text& rootName, const Text& rootStartTag, const Text& leadingLine,
                             const std::string& outputPath)
    : file_(std::make_unique<AtomicFile>(outputPath)), writer_(std::make_unique<BackgroundWriter>(*file_)) {
  out_.reserve(kPiece + kPiece / 8);
  Begin(rootName, rootStartTag, leadingLine);
}

// Without SaveToFile, the temporary file goes with the AtomicFile.
TXMLGenerator::~TXMLGenerator() = default;

// The declaration and the leading line, each ended by CR LF, then the root's
// start tag: the literal one, with the namespace declarations, when given.
void TXMLGenerator::Begin(const Text& rootName, const Text& rootStartTag, const Text& leadingLine) {
  out_ += kDeclaration;
  out_ += kLineEnd;
  AppendWritten(out_, leadingLine, false);
  out_ += kLineEnd;
  if (Trim(rootStartTag).empty()) {
    out_ += "<" + rootName + ">";
  } else {
    out_ += rootStartTag;
  }
  open_.ids.push_back(++lastId_);
  open_.names.push_back(rootName);
  current_ = TXMLElement(lastId_, rootName);
}

void TXMLGenerator::EnsureWritable() const {
  if (saved_) {
    throw EElementoFechado(Ansi("Erro interno na geração do XML: o documento já foi gravado e não pode mais receber "
                                "elementos."));
  }
}

TXMLGenerator::OpenPath* TXMLGenerator::OpenUnder(const TXMLElement& parent, const Text& newChild) {
  for (OpenPath* path : {&open_, &detached_}) {
    for (size_t i = path->ids.size(); i-- > 0;) {
      if (path->ids[i] != parent.id_) continue;
      while (path->ids.size() > i + 1) EndElement(*path);
      return path;
    }
  }
  throw EElementoFechado(Ansi("Erro interno na geração do XML: o elemento \"") + parent.name() +
                         Ansi("\" já foi encerrado e não pode receber \"") + newChild + "\".");
}

TXMLGenerator::OpenPath* TXMLGenerator::ParentFor(const Text& parentPath, const Text& newChild) {
  EnsureWritable();
  if (parentPath.empty()) return OpenUnder(current_, newChild);
  const TXMLElement parent = FindNode(parentPath);
  return parent ? OpenUnder(parent, newChild) : nullptr;
}

void TXMLGenerator::EndElement(OpenPath& path) {
  if (&path == &open_) {
    out_ += "</";
    out_ += path.names.back();
    out_ += '>';
  }
  path.ids.pop_back();
  path.names.pop_back();
}

TXMLElement TXMLGenerator::AddElement(const Text& name, bool keepCurrent, const Text& parentPath) {
  OpenPath* path = ParentFor(parentPath, name);
  const TXMLElement element(++lastId_, name);
  if (!path) {
    // Its parent is not found: it starts a tree of its own that is never
    // written, and so do its children.
    detached_.ids.clear();
    detached_.names.clear();
    path = &detached_;
  } else if (path == &open_) {
    if (open_.ids.size() == 1) NoteRootChild(element);
    if (observer_) observer_->OnElement(name, open_.ids.size());
    out_ += '<';
    out_ += name;
    out_ += '>';
  }
  path->ids.push_back(element.id_);
  path->names.push_back(name);
  if (!keepCurrent) current_ = element;
  if (out_.size() >= kPiece) Flush();
  return element;
}

void TXMLGenerator::NoteRootChild(const TXMLElement& element) {
  for (const TXMLElement& known : rootChildren_)
    if (known.name() == element.name()) return;
  rootChildren_.push_back(element);
}

void TXMLGenerator::PlaceLeaf(const Text& name, const Text& value, const Text& parentPath, const CellOrigin* origin) {
  OpenPath* path = ParentFor(parentPath, name);
  // Here the leaf's name, the open elements it goes under (path->names; none
  // when it is appended nowhere) and its final value are all known.
  hash_.Update(value);
  const std::uint64_t id = ++lastId_;
  if (path != &open_) return;
  if (observer_) observer_->OnLeaf(open_.names, name, value, origin && origin->Known() ? origin : nullptr);
  if (open_.ids.size() == 1) NoteRootChild(TXMLElement(id, name));
  out_ += '<';
  out_ += name;
  out_ += '>';
  // A value ends at its first NUL byte, as it always has in the file.
  AppendWritten(out_, std::string_view(value.c_str()), true);
  out_ += "</";
  out_ += name;
  out_ += '>';
  if (out_.size() >= kPiece) Flush();
}

void TXMLGenerator::Flush() {
  writer_->Write(std::move(out_));
  out_ = std::string();
  out_.reserve(kPiece + kPiece / 8);
}

void TXMLGenerator::AddTextElement(const Text& name, const Text& value, const Text& parentPath) {
  PlaceLeaf(name, TextValue(name, value), parentPath, nullptr);
}

void TXMLGenerator::AddDecimalElement(const Text& name, const Text& value, const Text& parentPath) {
  PlaceLeaf(name, DecimalValue(name, value), parentPath, nullptr);
}

void TXMLGenerator::AddTextElement(const Text& name, const Text& value, const CellOrigin& origin) {
  PlaceLeaf(name, TextValue(name, value), Text(), &origin);
}

void TXMLGenerator::AddDecimalElement(const Text& name, const Text& value, const CellOrigin& origin) {
  PlaceLeaf(name, DecimalValue(name, value), Text(), &origin);
}

Text TXMLGenerator::TextValue(const Text& name, const Text& value) {
  return Trim(LengthLimits().ValidateLength(name, Trim(WithoutControlCharacters(value))));
}

Text TXMLGenerator::DecimalValue(const Text& name, const Text& value) {
  Text v = Trim(LengthLimits().ValidateLength(name, Trim(WithoutControlCharacters(value))));
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
  return v;
}

void TXMLGenerator::ReturnTo(const Text& name) {
  for (const OpenPath* path : {&open_, &detached_}) {
    for (size_t i = path->ids.size(); i-- > 0;) {
      if (path->ids[i] != current_.id_) continue;
      // The current element and its ancestors; an element appended nowhere
      // has only those of its own tree.
      for (size_t k = i + 1; k-- > 0;) {
        if (path->names[k] == name) {
          current_ = TXMLElement(path->ids[k], path->names[k]);
          return;
        }
      }
      throw EGenerica(Ansi("Erro interno na geração do XML: o elemento \"") + name +
                      Ansi("\" não é o elemento atual nem um de seus ancestrais."));
    }
  }
  throw EElementoFechado(Ansi("Erro interno na geração do XML: o elemento atual \"") + current_.name() +
                         Ansi("\" já foi encerrado."));
}

TXMLElement TXMLGenerator::FindNode(const Text& path) const {
  // The builders name a child of the root by its qualified name; the prefix
  // is compared as text, as no namespace is attached to the elements.
  for (const TXMLElement& child : rootChildren_)
    if (child.name() == path) return child;
  return TXMLElement();
}

void TXMLGenerator::SetCurrent(const TXMLElement& element) { current_ = element; }
TXMLElement TXMLGenerator::Current() const { return current_; }
TXMLElement TXMLGenerator::Root() const { return TXMLElement(1, open_.names.empty() ? Text() : open_.names.front()); }

Text TXMLGenerator::ContentHash() const {
  Md5 sofar = hash_;  // the document goes on being hashed
  return DigestToHex(sofar.Finish());
}
Text TXMLGenerator::HashText(const Text& text) { return DigestToHex(Md5Of(text)); }

std::string TXMLGenerator::ClosingTags() const {
  std::string tags;
  for (size_t i = open_.names.size(); i-- > 0;) tags += "</" + open_.names[i] + ">";
  return tags + Text(kLineEnd);
}

std::string TXMLGenerator::SaveToFile(const std::string& fileName, const NextName& next) {
  if (fileName != file_->FileName()) {
    throw EGenerica(Ansi("Erro interno na geração do XML: o documento é gravado em \"") + FromUtf8(file_->FileName()) +
                    Ansi("\", não em \"") + FromUtf8(fileName) + "\".");
  }
  EnsureWritable();
  saved_ = true;  // whatever happens next, the document is ended
  out_ += ClosingTags();
  open_ = OpenPath();
  Flush();
  writer_->Finish();
  return file_->Commit(next);
}

}  // namespace voske
