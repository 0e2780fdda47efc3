// BuildCadastralDocument: the frame of the registration document. It reads
// the operator's kind, picks the kind element and the sections that kind
// receives, writes them in order and saves. It is the catch point of its own
// failures: the user sees one message and no file is left behind.
#include "documents/registration/cadastral_builder.h"

#include <exception>
#include <memory>

#include "documents/cell_date.h"
#include "documents/registration/cadastral_sections.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {

namespace {

const Text& InvalidKindMessage() {
  static const Text m = Ansi("Enquadramento inválido. Verifique na planilha Dados Cadastrais.");
  return m;
}

int PeriodYear(const WorksheetArray& dc) {
  const Text period = CellDate(CellRef(dc, "B3"), dc.Dates());
  int year = 0;
  for (char c : period.substr(0, 4)) year = year * 10 + (c - '0');
  return year;
}

void WriteBody(CadastralBuild& b) {
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

void ReportFailure(const DocumentContext& ctx, const Text& cause) {
  ctx.frontEnd.SetBusy(false);
  ctx.frontEnd.ShowError(DocumentFailureMessage(DocumentKind::Cadastral, cause));
  ctx.generationFailed = true;
}

}  // namespace

void BuildCadastralDocument(const DocumentContext& ctx) {
  try {
    const WorksheetArray& dc = ctx.sheets[SheetDadosCadastrais()];
    const int year = PeriodYear(dc);
    const Text subKindCode = UpperAscii(CellAt(dc, "B27"));
    const Text kindElement = KindElement(UpperAscii(CellAt(dc, "B26")), subKindCode, year);
    if (kindElement.empty() || subKindCode.empty()) {
      ctx.frontEnd.ShowError(InvalidKindMessage());
      ctx.generationFailed = true;
      return;
    }

    std::unique_ptr<TXMLGenerator> gen = OpenDocument(DocumentKind::Cadastral, ctx);
    CadastralBuild build{*gen, ctx.sheets, ctx.frontEnd, kindElement, ConditionsFor(kindElement)};
    WriteBody(build);
    CloseDocument(*gen, DocumentKind::Cadastral, ctx);
  } catch (const EVoske& e) {
    ReportFailure(ctx, e.Message());
  } catch (const std::exception& e) {
    // Failures from below the system's own messages (the file system, memory)
    // carry a plain text of their own; it is still the best cause to show.
    ReportFailure(ctx, FromUtf8(e.what()));
  } catch (...) {
    ReportFailure(ctx, Text());
  }
}

}  // namespace voske
