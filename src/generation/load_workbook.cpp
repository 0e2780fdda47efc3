#include "generation/load_workbook.h"

#include <exception>
#include <stdexcept>

#include "documents/cell_date.h"
#include "documents/financial/financial_builder.h"
#include "generation/output_name.h"
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
  Text success = Ansi("XML gerado com sucesso.");
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

  void Load(const char* utf8Name, const char* utf8StatusSuffix) {
    const Text name = Ansi(utf8Name);
    frontEnd_.Status(LoadingStatus(Ansi(std::string("Carregando ") + utf8StatusSuffix)));
    WorksheetArray array;
    reader_.LoadWorksheet(array, path_, name);
    sheets_.Set(name, std::move(array));
  }
  void Load(const char* utf8Name) { Load(utf8Name, utf8Name); }

 private:
  WorksheetReader& reader_;
  std::string path_;
  FrontEnd& frontEnd_;
  Worksheets& sheets_;
};

// The reference year: the first four characters of B3 as a normalised date.
// A text there that is no number falls to "Arquivo Excel inconsistente.".
int ReferenceYear(const WorksheetArray& cadastral) {
  const Text date = DateAt(cadastral, 3, 2);
  if (date.size() < 4) throw std::runtime_error("reference date too short");
  int year = 0;
  for (int i = 0; i < 4; ++i) {
    if (date[i] < '0' || date[i] > '9') throw std::runtime_error("reference year is not a number");
    year = year * 10 + (date[i] - '0');
  }
  return year;
}

void LoadCadastralSheets(SheetLoader& loader, const WorksheetArray& cadastral) {
  loader.Load("Administradores");
  loader.Load("Representantes");
  // A self-managed operator (kind AUTOG) has no shareholders.
  if (UpperAscii(cadastral.TextAt(26, 2)) != "AUTOG") loader.Load("Acionistas");
  loader.Load("Controladas");
  loader.Load("Dependências");
}

void LoadFinancialSheets(SheetLoader& loader, const WorksheetArray& cadastral) {
  const Text kind = UpperAscii(cadastral.TextAt(26, 2));
  const Text subKind = UpperAscii(cadastral.TextAt(27, 2));
  loader.Load("Ativos Vinculados");
  // A self-managed operator with a maintainer also declares the maintainer's
  // linked assets, unless it is a non-patrocinated or a single-maintainer one.
  if (kind == "AUTOG" && subKind != "NPATR" && subKind != "AUTSM") loader.Load("Ativos Vinculados Mantenedor");
  loader.Load("Fluxo De Caixa");
  loader.Load("Idade de Saldos");
  loader.Load("Lucros ou Prejuízos");
  loader.Load("Solvência");
  loader.Load("Balancete Ativo", "Ativo");
  loader.Load("Balancete Passivo", "Passivo");
  loader.Load("Balancete Receita", "Receita");
  loader.Load("Balancete Despesa", "Despesa");

  const int year = ReferenceYear(cadastral);
  if (year >= 2010) loader.Load("Intercâmbio");
  if (year >= 2011) {
    if (year < 2013) loader.Load("Corresponsabilidade");
    loader.Load("Provisão");
  }
  if (year >= 2012) loader.Load("Contratos Estipulados");
  if (year >= 2013) {
    loader.Load("Quadros Auxiliares Eventos");
    loader.Load("Intercâmbio Eventual Receber");
    loader.Load("Intercâmbio Eventual Pagar");
    loader.Load("IN_20");
  }
}

void Generate(const GenerationRequest& request, FrontEnd& frontEnd, GenerationState& state,
              const GenerationServices& services, WorksheetReader& reader) {
  Worksheets sheets;
  SheetLoader loader(reader, RemoveAll(request.workbookPath, '"'), frontEnd, sheets);
  loader.Load("Dados Cadastrais", "dados cadastrais");
  loader.Load("Listas");
  frontEnd.ProcessEvents();
  const WorksheetArray& cadastral = sheets[Ansi("Dados Cadastrais")];

  const Text fileName = OutputFileName(request.document, cadastral.TextAt(5, 2), services.localTime());
  state.outputPath = OutputPathFor(request.destinationFolder, fileName);

  const DocumentContext context{.sheets = sheets,
                                .frontEnd = frontEnd,
                                .outputPath = state.outputPath,
                                .passwordUpper = request.passwordUpper,
                                .programVersion = request.programVersion,
                                .generationFailed = state.generationFailed};
  if (request.document == DocumentKind::Cadastral) {
    LoadCadastralSheets(loader, cadastral);
    frontEnd.Status(Msg().buildingCadastral);
    services.buildCadastral(context);
  } else if (!state.generationFailed) {
    LoadFinancialSheets(loader, cadastral);
    frontEnd.Status(Msg().buildingFinancial);
    services.buildFinancial(context);
  }
  if (!state.generationFailed) frontEnd.ShowInformation(Msg().success);
}

}  // namespace

Text LoadingStatus(const Text& suffix) { return Ansi("Status: Gerando os arquivos XML - ") + suffix; }

bool LoadWorkbook(const GenerationRequest& request, FrontEnd& frontEnd, GenerationState& state,
                  const GenerationServices& services) {
  std::unique_ptr<WorksheetReader> reader = services.newReader();
  frontEnd.SetBusy(true);
  try {
    Generate(request, frontEnd, state, services, *reader);
  } catch (const EDadosFinanceiros& e) {
    frontEnd.ShowError(e.Message());
    FailGeneration(state);
  } catch (const EGenerica& e) {
    frontEnd.ShowError(e.Message());
    FailGeneration(state);
  } catch (const ECarregaArquivo& e) {
    frontEnd.ShowError(Msg().loadFailed + e.Message());
    FailGeneration(state);
  } catch (...) {
    // Anything else (a value too long for the schema, a file error, an
    // internal fault) gets the one message; its own text means nothing to
    // the user.
    frontEnd.ShowError(Msg().inconsistent);
    FailGeneration(state);
  }
  frontEnd.SetBusy(false);
  return true;
}

}  // namespace voske
