#include "verification/document_file.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

#include <libxml/xmlerror.h>
#include <libxml/xmlreader.h>

#include "platform/file_reading.h"
#include "text/cp1252.h"
#include "verification/document_verifier.h"

namespace voske {

namespace {

// A leaf's value is kept up to this many bytes; the documents' longest
// values have a few hundred, and a hostile one must not grow without end.
constexpr std::size_t kMaxLeafValue = 1 << 20;

Text Quoted(const std::string& path) { return "\"" + FromUtf8(path) + "\""; }

// Why the file could not be opened for checking, in the user's words.
Text OpenProblem(const std::string& path, int error) {
  if (error == ENOENT || error == ENOTDIR) return Ansi("O arquivo ") + Quoted(path) + Ansi(" não foi encontrado.");
  if (error == EISDIR) return Quoted(path) + Ansi(" é uma pasta; indique o arquivo XML que está nela.");
  // A device or a pipe may never end, or never start.
  if (error == ENODEV)
    return Quoted(path) + Ansi(" não é um arquivo comum (é um dispositivo, um pipe ou um soquete); indique um "
                               "arquivo XML gravado no disco.");
  return Ansi("Não foi possível abrir o arquivo ") + Quoted(path) + ": " +
         FromUtf8(std::generic_category().message(error)) + ".";
}

// The file handed to the parser piece by piece.
struct FileCursor {
  const platform::ReadOnlyFile& file;
  std::uint64_t offset = 0;
  bool failed = false;
};

int ReadPiece(void* context, char* buffer, int size) {
  auto* cursor = static_cast<FileCursor*>(context);
  const std::ptrdiff_t got = cursor->file.ReadAt(cursor->offset, buffer, static_cast<std::size_t>(size));
  if (got < 0) {
    cursor->failed = true;
    return -1;
  }
  cursor->offset += static_cast<std::uint64_t>(got);
  return static_cast<int>(got);
}

int KeepOpen(void*) { return 0; }  // the file is closed by its owner

// What went wrong in the XML, in the user's words.
const char* ParseProblem(int code) {
  switch (code) {
    case XML_ERR_DOCUMENT_EMPTY: return "o arquivo não contém nenhum elemento XML";
    case XML_ERR_TAG_NAME_MISMATCH:
      return "uma marca de fim não corresponde à marca aberta (o arquivo pode estar incompleto)";
    case XML_ERR_TAG_NOT_FINISHED:
    case XML_ERR_DOCUMENT_END:
    case XML_ERR_LTSLASH_REQUIRED:
    case XML_ERR_GT_REQUIRED: return "o arquivo termina antes do fim do documento (pode estar incompleto)";
    case XML_ERR_NO_MEMORY: return "memória insuficiente para ler o arquivo";
    default: return "o conteúdo não é XML bem formado";
  }
}

// The first error the parser met.
struct ParseError {
  int code = 0;
  int line = 0;
};

void KeepFirstError(void* arg, xmlErrorPtr error) {
  auto* first = static_cast<ParseError*>(arg);
  if (first->code == 0 && error && error->level == XML_ERR_FATAL) *first = {error->code, error->line};
}

// Turns the reader's nodes into the generator's calls: a container when an
// element turns out to hold elements, a leaf when it ends holding none.
class LeafStream {
 public:
  explicit LeafStream(DocumentVerifier& verifier) : verifier_(verifier) {}

  void Start(const char* utf8Name, bool empty) {
    FlushContainer();
    pending_ = FromUtf8(utf8Name);
    value_.clear();
    if (empty) End();
  }
  void Characters(const char* utf8) {
    if (!pending_.empty() && value_.size() < kMaxLeafValue) value_.append(utf8, strnlen(utf8, kMaxLeafValue - value_.size()));
  }
  void End() {
    if (pending_.empty()) {
      if (!open_.empty()) open_.pop_back();
      return;
    }
    verifier_.OnLeaf(open_, pending_, FromUtf8(value_), nullptr);
    pending_.clear();
  }

 private:
  void FlushContainer() {
    if (pending_.empty()) return;
    // The root is not told, as the generator does not tell it.
    if (!open_.empty()) verifier_.OnElement(pending_, open_.size());
    open_.push_back(pending_);
    pending_.clear();
  }

  DocumentVerifier& verifier_;
  std::vector<Text> open_;  // the open containers, root first
  Text pending_;            // an element started, not yet known as a leaf or not
  std::string value_;       // its text so far, UTF-8
};

}  // namespace

FileVerification VerifyDocumentFile(const std::string& path, const FindingSink& sink) {
  FileVerification result;
  // Only a regular file opens, and the open never waits: a folder, a pipe
  // or a device is refused before anything is read from it.
  const platform::ReadOnlyFile file(path);
  if (!file.IsOpen()) {
    result.problem = OpenProblem(path, file.Error());
    result.notAFile = file.Error() == EISDIR || file.Error() == ENODEV;
    return result;
  }

  // The reader keeps the current node and its ancestors only; no document
  // type declaration is loaded and no entity substituted.
  FileCursor cursor{file};
  xmlTextReaderPtr reader =
      xmlReaderForIO(ReadPiece, KeepOpen, &cursor, nullptr, nullptr, XML_PARSE_NONET | XML_PARSE_NOCDATA);
  if (!reader) {
    result.problem = Ansi("Não foi possível ler o arquivo ") + Quoted(path) + Ansi(": memória insuficiente.");
    return result;
  }
  ParseError error;
  xmlTextReaderSetStructuredErrorHandler(reader, KeepFirstError, &error);

  DocumentVerifier verifier([&result, &sink](const Finding& f) {
    ++result.findingCount;
    sink(f);
  });
  LeafStream leaves(verifier);
  int status = 0;
  bool foreignRoot = false;
  while ((status = xmlTextReaderRead(reader)) == 1) {
    const int type = xmlTextReaderNodeType(reader);
    if (type == XML_READER_TYPE_ELEMENT) {
      const char* name = reinterpret_cast<const char*>(xmlTextReaderConstName(reader));
      if (result.rootName.empty()) {
        result.rootName = FromUtf8(name);
        if (result.rootName != "oxr:voskeCadastral" && result.rootName != "oxr:voskeFinanc") {
          foreignRoot = true;
          break;
        }
      }
      leaves.Start(name, xmlTextReaderIsEmptyElement(reader) == 1);
    } else if (type == XML_READER_TYPE_END_ELEMENT) {
      leaves.End();
    } else if (type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_CDATA ||
               type == XML_READER_TYPE_WHITESPACE || type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE) {
      if (const xmlChar* text = xmlTextReaderConstValue(reader)) leaves.Characters(reinterpret_cast<const char*>(text));
    }
  }
  xmlFreeTextReader(reader);

  if (foreignRoot) {
    result.problem = Ansi("O arquivo ") + Quoted(path) +
                     Ansi(" não é um documento cadastral nem financeiro da OXR (elemento raiz \"") + result.rootName +
                     "\").";
  } else if (cursor.failed) {
    result.problem = Ansi("Não foi possível ler o arquivo ") + Quoted(path) + ": " +
                     FromUtf8(std::generic_category().message(file.Error())) + ".";
  } else if (status != 0 || error.code != 0 || result.rootName.empty()) {
    // Whatever stopped a file before its first element, it holds none.
    const int code = result.rootName.empty() ? XML_ERR_DOCUMENT_EMPTY : error.code;
    result.problem = Ansi("O arquivo ") + Quoted(path) + Ansi(" não é um documento XML válido: ") +
                     Ansi(ParseProblem(code)) + " (linha " + std::to_string(error.line > 0 ? error.line : 1) + ").";
  } else {
    verifier.Finish();
    result.read = true;
  }
  return result;
}

}  // namespace voske
