// verification-bench [FILE.xlsx]: what the verification adds to the
// generation of a large financial document. Target: under 10 %.
//
// The workbook's worksheets are read once; then the financial document is
// built and saved from them, in this process, alternately without and with
// the verifier watching the leaves, several times. The best run of each is
// compared: the machine is shared, and the best run is the one least
// disturbed by others.
//
// Without FILE, the large workbook of financial-generation-bench is written
// first (its --write mode).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/program_arguments.h"
#include "documents/envelope.h"
#include "documents/financial/financial_builder.h"
#include "port/front_end.h"
#include "support/peak_memory.h"
#include "text/cp1252.h"
#include "verification/document_verifier.h"
#include "workbook/worksheet_loader.h"
#include "workbook/worksheets.h"

namespace {

using Clock = std::chrono::steady_clock;

class QuietFrontEnd : public voske::FrontEnd {
 public:
  void ShowMessage(const voske::Text& text, voske::MessageIcon, const voske::Text&) override {
    std::fprintf(stderr, "verification-bench: %s\n", voske::ToUtf8(text).c_str());
  }
  void SetStatus(const voske::Text&) override {}
  void ProcessEvents() override {}
  void SetBusy(bool) override {}
};

// The worksheets the load sequence reads for the sample operator's financial
// document (group medicine, a year from 2013 on).
using voske::SheetId;
const SheetId kFinancialSheets[] = {
    SheetId::DadosCadastrais, SheetId::Listas, SheetId::AtivosVinculados, SheetId::FluxoDeCaixa,
    SheetId::IdadeDeSaldos, SheetId::LucrosOuPrejuizos, SheetId::Solvencia, SheetId::BalanceteAtivo,
    SheetId::BalancetePassivo, SheetId::BalanceteReceita, SheetId::BalanceteDespesa, SheetId::Intercambio,
    SheetId::Provisao, SheetId::ContratosEstipulados, SheetId::QuadrosAuxiliaresEventos,
    SheetId::IntercambioEventualReceber, SheetId::IntercambioEventualPagar, SheetId::In20};

// Seconds to build and save the document; negative when it failed.
double Build(const voske::Worksheets& sheets, const std::string& output, voske::LeafObserver* observer) {
  QuietFrontEnd frontEnd;
  const voske::DocumentContext ctx{.sheets = sheets,
                                   .frontEnd = frontEnd,
                                   .outputPath = output,
                                   .passwordUpper = "SENHA",
                                   .programVersion = "3.3",
                                   .leafObserver = observer};
  const auto start = Clock::now();
  try {
    voske::BuildFinancialDocument(ctx);
  } catch (const voske::EDocumentoNaoGerado& e) {
    std::fprintf(stderr, "verification-bench: %s\n", voske::ToUtf8(e.Message()).c_str());
    return -1;
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::filesystem::remove(output);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "verification-bench",
      "Uso: verification-bench [ARQUIVO.xlsx]\n"
      "Mede o que a verificação acrescenta à geração do documento financeiro da pasta de\n"
      "trabalho grande (ou de ARQUIVO.xlsx). Meta: menos de 10 %.\n",
      {}, 0, 1};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("voske-verification-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  std::string path = argc > 1 ? argv[1] : (scratch / "planilha-grande.xlsx").string();
  if (argc <= 1) {
    std::fprintf(stderr, "verification-bench: writing %s\n", path.c_str());
    if (!voske::support::MeasureProgram(VOSKE_WORKBOOK_WRITER, {"--write", path}, "/dev/stdout", "/dev/stderr",
                                        std::chrono::hours(1))
             .Succeeded())
      return 1;
  }

  voske::Worksheets sheets;
  voske::TUtil util;
  for (const SheetId id : kFinancialSheets) {
    voske::WorksheetArray array;
    util.LoadWorksheet(array, path, voske::SheetName(id));
    sheets.Set(id, std::move(array));
  }

  const int runs = std::getenv("VOSKE_BENCH_RUNS") ? std::max(1, std::atoi(std::getenv("VOSKE_BENCH_RUNS"))) : 5;
  const std::string output = (scratch / "documento.xml").string();
  double plain = 1e9, verified = 1e9;
  std::size_t findings = 0;
  for (int i = 0; i < runs; ++i) {
    const double p = Build(sheets, output, nullptr);
    voske::DocumentVerifier verifier;
    const double v = Build(sheets, output, &verifier);
    if (p < 0 || v < 0) return 1;
    plain = std::min(plain, p);
    verified = std::min(verified, v);
    findings = verifier.Findings().size();
  }
  std::printf("workbook                %s\n", path.c_str());
  std::printf("build without verifier  %.3f s (best of %d)\n", plain, runs);
  std::printf("build with verifier     %.3f s (best of %d), %zu findings\n", verified, runs, findings);
  std::printf("verification adds       %.1f %% (target: under 10 %%)\n", (verified / plain - 1.0) * 100.0);
  std::filesystem::remove_all(scratch);
  return 0;
}
