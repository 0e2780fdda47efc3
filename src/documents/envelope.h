#pragma once
// The frame both documents share: prologue and root start tag, the
// identification block with the password hash, and the epilogue hash.
#include <functional>
#include <memory>
#include <string>

#include "port/document_kind.h"
#include "port/front_end.h"
#include "text/error.h"
#include "text/program_version.h"
#include "text/text.h"
#include "workbook/worksheets.h"
#include "xml/xml_generator.h"

namespace voske {

// The root elements of the two documents; the sections climb back to them.
inline constexpr const char* kCadastralRoot = "oxr:voskeCadastral";
inline constexpr const char* kFinancialRoot = "oxr:voskeFinanc";

// A document could not be built: the message names it and quotes the cause
// (DocumentFailureMessage), or is the one message of a document rule. Both
// builders end every failure with it and leave no file; the generation
// shows it.
class EDocumentoNaoGerado : public EVoske {
 public:
  using EVoske::EVoske;
};

// What a document builder needs from the generation that runs it.
struct DocumentContext {
  const Worksheets& sheets;
  FrontEnd& frontEnd;
  std::string outputPath;        // native path of the file to write
  Text passwordUpper;            // OxrPasswordUpper of the current run
  Text programVersion = ProgramVersion();
  // Told of every leaf the document's generator writes (the verification);
  // none when null.
  LeafObserver* leafObserver = nullptr;
  // Asked once the last leaf is written, before the document takes its
  // name: false keeps it out of the folder (a strict run with findings), so
  // nothing is linked and nothing removed. None: always delivered.
  std::function<bool()> deliverable = {};
  // The name to take when the previous one is found taken at the moment of
  // saving (another run of the same second). None: such a save fails.
  NextName nextName = {};
  // Told the name the document took, once it is in the folder.
  std::function<void(const std::string& path)> saved = {};
};

// The regulator's schema namespace URI (43 characters).
const Text& SchemaNamespace();
Text RootElementName(DocumentKind kind);
Text RootStartTag(DocumentKind kind);

// Creates the generator, streaming into a temporary file beside
// ctx.outputPath (EGravaArquivo when it cannot be made), and writes
// oxr:identificador; the root is current on return.
std::unique_ptr<TXMLGenerator> OpenDocument(DocumentKind kind, const DocumentContext& ctx);
// Writes oxr:epilogo with the content hash and, unless ctx.deliverable
// says no, saves to ctx.outputPath (or the free name ctx.nextName offers).
void CloseDocument(TXMLGenerator& gen, DocumentKind kind, const DocumentContext& ctx);

// The message that ends a document: "Não foi possível gerar o arquivo XML
// "Dados Cadastrais"." (or "Dados Financeiros"), CR, then the cause's message.
Text DocumentFailureMessage(DocumentKind kind, const Text& cause);

// Runs `build`, turning any failure of the system or of the platform into
// EDocumentoNaoGerado with DocumentFailureMessage(kind, its message).
void BuildOrFail(DocumentKind kind, const std::function<void()>& build);

}  // namespace voske
