// BuildCadastralDocument: the frame of the registration document. It reads
// the operator's kind, picks the kind element and the sections that kind
// receives, writes them in order and saves. Any failure ends it with
// EDocumentoNaoGerado, and no file is left behind.
#include "documents/registration/cadastral_builder.h"

#include <memory>

#include "documents/operator_cells.h"
#include "documents/registration/cadastral_sections.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {

namespace {

const Text& InvalidKindMessage() {
  static const Text m = Ansi("Enquadramento inválido. Verifique na planilha Dados Cadastrais.");
  return m;
}

void WriteBody(CadastralContext& b) {
  b.gen.AddElement(b.kindElement);
  WriteCadastro(b);
  if (b.conditions.writesClassification) WriteEnquadramento(b);
  if (b.conditions.writesBasicData) {
    b.Breathe();
    WriteDadosBasicos(b);
  }
  b.Breathe();
  WriteAdministradores(b);
  b.Breathe();
  WriteRepresentante(b);
  b.Breathe();
  WriteRepresRN117(b);
  if (b.conditions.writesShareholders) {
    b.Breathe();
    WriteAcionQuotistas(b);
  }
  b.Breathe();
  WriteControlColigadas(b);
  WriteDependencias(b);
}

}  // namespace

void BuildCadastralDocument(const DocumentContext& ctx) {
  BuildOrFail(DocumentKind::Cadastral, [&] {
    const Text subKindCode = SubKindCode(ctx.sheets);
    const Text kindElement = KindElement(KindCode(ctx.sheets), subKindCode, ReferenceYear(ctx.sheets));
    // A rule of the document: its message stands alone.
    if (kindElement.empty() || subKindCode.empty()) throw EDocumentoNaoGerado(InvalidKindMessage());

    std::unique_ptr<TXMLGenerator> gen = OpenDocument(DocumentKind::Cadastral, ctx);
    CadastralContext build{{ctx.sheets, *gen, ctx.frontEnd}, kindElement, ConditionsFor(kindElement)};
    WriteBody(build);
    CloseDocument(*gen, DocumentKind::Cadastral, ctx);
  });
}

}  // namespace voske
