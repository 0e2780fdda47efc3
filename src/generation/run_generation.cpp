#include "generation/run_generation.h"

#include <exception>
#include <optional>

#include "documents/financial/year_schedules.h"
#include "documents/operator_cells.h"
#include "generation/output_name.h"
#include "verification/document_verifier.h"
#include "verification/finding_list.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "values/converters.h"
#include "workbook/worksheet_loader.h"
#include "workbook/worksheets.h"

namespace voske {

namespace {

// The messages of a generation, as the user reads them.
struct Messages {
  Text loadFailed = Ansi("Não foi possível carregar o arquivo: ");
  Text inconsistent = Ansi("Arquivo Excel inconsistente.");
  Text buildingCadastral = LoadingStatus(Ansi("Gerando Dados cadastrais"));
  Text buildingFinancial = LoadingStatus(Ansi("Gerando Dados financeiros"));
};

const Messages& Msg() {
  static const Messages m;
  return m;
}

// One generation's reads: each worksheet is announced on the status line,
// the window gets to repaint, then the sheet goes into the arrays the builder
// will read.
class SheetLoader {
 public:
  SheetLoader(WorksheetReader& reader, std::string path, FrontEnd& frontEnd, Worksheets& sheets)
      : reader_(reader), path_(std::move(path)), frontEnd_(frontEnd), sheets_(sheets) {}

  // Reads `id`; the status line names it by `utf8StatusSuffix`, or by the
  // worksheet's own name.
  void Load(SheetId id, const char* utf8StatusSuffix = nullptr) {
    const Text& name = SheetName(id);
    const Text suffix = utf8StatusSuffix ? Ansi(utf8StatusSuffix) : name;
    frontEnd_.Status(LoadingStatus(Ansi("Carregando ") + suffix));
    WorksheetArray array;
    reader_.LoadWorksheet(array, path_, name);
    sheets_.Set(id, std::move(array));
  }

 private:
  WorksheetReader& reader_;
  std::string path_;
  FrontEnd& frontEnd_;
  Worksheets& sheets_;
};

void LoadCadastralSheets(SheetLoader& loader, const Worksheets& sheets) {
  loader.Load(SheetId::Administradores);
  loader.Load(SheetId::Representantes);
  if (HasShareholderSheet(KindCode(sheets))) loader.Load(SheetId::Acionistas);
  loader.Load(SheetId::Controladas);
  loader.Load(SheetId::Dependencias);
}

void LoadFinancialSheets(SheetLoader& loader, const Worksheets& sheets) {
  loader.Load(SheetId::AtivosVinculados);
  if (HasMaintainerAssets(KindCode(sheets), SubKindCode(sheets))) loader.Load(SheetId::AtivosVinculadosMantenedor);
  loader.Load(SheetId::FluxoDeCaixa);
  loader.Load(SheetId::IdadeDeSaldos);
  loader.Load(SheetId::LucrosOuPrejuizos);
  loader.Load(SheetId::Solvencia);
  loader.Load(SheetId::BalanceteAtivo, "Ativo");
  loader.Load(SheetId::BalancetePassivo, "Passivo");
  loader.Load(SheetId::BalanceteReceita, "Receita");
  loader.Load(SheetId::BalanceteDespesa, "Despesa");

  // The financial builder writes the year's sections from the same table.
  for (const SheetId id : YearSheets(ReferenceYear(sheets))) loader.Load(id);
}

void Generate(const GenerationRequest& request, FrontEnd& frontEnd, GenerationState& state,
              const GenerationServices& services, WorksheetReader& reader) {
  Worksheets sheets;
  SheetLoader loader(reader, RemoveAll(request.workbookPath, '"'), frontEnd, sheets);
  loader.Load(SheetId::DadosCadastrais, "dados cadastrais");
  loader.Load(SheetId::Listas);
  frontEnd.ProcessEvents();

  const Text registration = RegistrationNumberText(sheets);
  std::tm when = services.localTime();
  state.outputPath = OutputPathFor(request.destinationFolder, OutputFileName(request.document, registration, when));

  // Every leaf is checked as it is written, so the document is never read
  // again for it.
  DocumentVerifier verifier;
  const DocumentContext context{.sheets = sheets,
                                .frontEnd = frontEnd,
                                .outputPath = state.outputPath,
                                .passwordUpper = request.passwordUpper,
                                .programVersion = request.programVersion,
                                .leafObserver = &verifier,
                                // A strict run with findings is refused before
                                // the document takes a name.
                                .deliverable = [&] { return !request.strict || verifier.Findings().empty(); },
                                // A document of the same name (an earlier run in
                                // the same second) stays: this one takes the next
                                // free second's name.
                                .nextName =
                                    [&](const std::string&) {
                                      when = NextSecond(when);
                                      return OutputPathFor(request.destinationFolder,
                                                           OutputFileName(request.document, registration, when));
                                    },
                                .saved = [&](const std::string& path) { state.outputPath = path; }};
  if (request.document == DocumentKind::Cadastral) {
    LoadCadastralSheets(loader, sheets);
    frontEnd.Status(Msg().buildingCadastral);
    services.buildCadastral(context);
  } else {
    LoadFinancialSheets(loader, sheets);
    frontEnd.Status(Msg().buildingFinancial);
    services.buildFinancial(context);
  }
  state.findings = verifier.Findings();
  state.verified = true;
  if (state.findings.empty()) {
    frontEnd.ShowInformation(GenerationSuccessMessage(0));
  } else if (request.strict) {
    frontEnd.ShowFindings(StrictFailureMessage(state.findings.size(), FindingsSubject(state.findings)),
                          MessageIcon::Error, Ansi("Erro"), ListFindings(state.findings, state.outputPath));
    FailGeneration(state);
  } else {
    // Made, with things to fix: the warning icon, not the plain information.
    frontEnd.ShowFindings(GenerationSuccessMessage(state.findings.size(), FindingsSubject(state.findings)),
                          MessageIcon::Warning, Ansi("Informação"), ListFindings(state.findings, state.outputPath));
  }
}

}  // namespace

Text LoadingStatus(const Text& suffix) { return Ansi("Status: Gerando os arquivos XML - ") + suffix; }

void RunGeneration(const GenerationRequest& request, FrontEnd& frontEnd, GenerationState& state,
                   const GenerationServices& services) {
  std::unique_ptr<WorksheetReader> reader = services.newReader();
  frontEnd.SetBusy(true);
  std::optional<Text> failure;
  try {
    Generate(request, frontEnd, state, services, *reader);
  } catch (const EDocumentoNaoGerado& e) {
    failure = e.Message();
  } catch (const EGenerica& e) {
    failure = e.Message();
  } catch (const ECarregaArquivo& e) {
    failure = Msg().loadFailed + e.Message();
  } catch (...) {
    // Anything else (a value too long for the schema, a file error, an
    // internal fault) gets the one message; its own text means nothing to
    // the user.
    failure = Msg().inconsistent;
  }
  frontEnd.SetBusy(false);
  if (!failure) return;
  // The cursor is back before the message, which waits for the user.
  frontEnd.ShowError(*failure);
  FailGeneration(state);
}

}  // namespace voske
