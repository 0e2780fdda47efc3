// verification-bench [FILE.xlsx]: what the verification adds to the
// generation of a large financial document. Target: under 10 %, the
// accounting checks of the trial balance alone under 5 %.
//
// The workbook's worksheets are read once; then the financial document is
// built and saved from them, in this process, without and with the verifier
// watching the leaves, several times, the two in turn and each pair in the
// other order than the one before (the second of a pair inherits the first's
// writing of the file). Each build is timed by the clock and by the
// processor time of the process (the build's threads: the reading threads
// have ended), which other programs on a shared machine disturb far less;
// the median of the pairs' ratios is the figure.
//
// Without FILE, the large workbook of financial-generation-bench is written
// first (its --write mode).
//
// verification-bench --read-only|--plain|--verified|--accounting FILE: reads
// FILE's worksheets, then builds the financial document once without
// (--plain) or with (--verified) the verifier, with the accounting checks of
// the trial balance alone (--accounting; target: under 5 % of the
// generation), or not at all (--read-only), and exits: for timing whole
// processes from outside, the build step being the difference between
// --plain and --read-only.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_arguments.h"
#include "documents/envelope.h"
#include "documents/financial/financial_builder.h"
#include "port/front_end.h"
#include "support/peak_memory.h"
#include "text/cp1252.h"
#include "verification/document_verifier.h"
#include "verification/trial_balance_check.h"
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

struct Seconds {
  double wall = -1;  // negative when the build failed
  double cpu = 0;    // the processor time of all its threads
};

// The accounting checks of the trial balance alone.
class AccountingChecks : public voske::LeafObserver {
 public:
  void OnElement(const voske::Text& name, std::size_t depth) override { check_.OnElement(name, depth); }
  void OnLeaf(const std::vector<voske::Text>& ancestors, const voske::Text& name, voske::TextView value,
              const voske::CellOrigin* origin) override {
    check_.OnLeaf(ancestors, name, value, origin);
  }

 private:
  voske::TrialBalanceCheck check_{[](const voske::Finding&) {}};
};

double ProcessorSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Builds and saves the document; the document is removed afterwards.
Seconds Build(const voske::Worksheets& sheets, const std::string& output, voske::LeafObserver* observer) {
  QuietFrontEnd frontEnd;
  const voske::DocumentContext ctx{.sheets = sheets,
                                   .frontEnd = frontEnd,
                                   .outputPath = output,
                                   .passwordUpper = "SENHA",
                                   .programVersion = "3.3",
                                   .leafObserver = observer};
  const auto start = Clock::now();
  const double cpuStart = ProcessorSeconds();
  try {
    voske::BuildFinancialDocument(ctx);
  } catch (const voske::EDocumentoNaoGerado& e) {
    std::fprintf(stderr, "verification-bench: %s\n", voske::ToUtf8(e.Message()).c_str());
    return {};
  }
  const Seconds taken{std::chrono::duration<double>(Clock::now() - start).count(), ProcessorSeconds() - cpuStart};
  std::filesystem::remove(output);
  return taken;
}

voske::Worksheets ReadSheets(const std::string& path) {
  voske::Worksheets sheets;
  voske::TUtil util;
  for (const SheetId id : kFinancialSheets) {
    voske::WorksheetArray array;
    util.LoadWorksheet(array, path, voske::SheetName(id));
    sheets.Set(id, std::move(array));
  }
  return sheets;
}

}  // namespace

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "verification-bench",
      "Uso: verification-bench [ARQUIVO.xlsx]\n"
      "       verification-bench --read-only|--plain|--verified|--accounting ARQUIVO.xlsx\n"
      "Mede o que a verificação acrescenta à geração do documento financeiro da pasta de\n"
      "trabalho grande (ou de ARQUIVO.xlsx), e o que só as verificações contábeis do balancete\n"
      "acrescentam. Metas: menos de 10 % e menos de 5 %.\n"
      "--plain gera o documento uma vez sem a verificação, --verified com ela, --accounting\n"
      "só com as verificações contábeis do balancete (meta: menos de 5 %), --read-only só lê\n"
      "as planilhas: para medir o processo inteiro de fora.\n",
      {"--read-only", "--plain", "--verified", "--accounting"}, 0, 2};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("voske-verification-bench-" + std::to_string(::getpid()));
  if (argc == 3) {
    const std::string_view mode = argv[1];
    if (mode != "--read-only" && mode != "--plain" && mode != "--verified" && mode != "--accounting") {
      std::fprintf(stderr, "verification-bench: um modo, depois um ARQUIVO\n%s", syntax.usage);
      return 2;
    }
    const voske::Worksheets sheets = ReadSheets(argv[2]);
    if (mode == "--read-only") return 0;
    std::filesystem::create_directories(scratch);
    voske::DocumentVerifier verifier;
    AccountingChecks accounting;
    voske::LeafObserver* observer = mode == "--verified" ? static_cast<voske::LeafObserver*>(&verifier)
                                    : mode == "--accounting" ? &accounting
                                                             : nullptr;
    const Seconds taken = Build(sheets, (scratch / "documento.xml").string(), observer);
    std::filesystem::remove_all(scratch);
    return taken.wall < 0 ? 1 : 0;
  }
  if (argc == 2 && argv[1][0] == '-') {
    std::fprintf(stderr, "verification-bench: %s lê um ARQUIVO\n%s", argv[1], syntax.usage);
    return 2;
  }
  std::filesystem::create_directories(scratch);
  std::string path = argc > 1 ? argv[1] : (scratch / "planilha-grande.xlsx").string();
  if (argc <= 1) {
    std::fprintf(stderr, "verification-bench: writing %s\n", path.c_str());
    if (!voske::support::MeasureProgram(VOSKE_WORKBOOK_WRITER, {"--write", path}, "/dev/stdout", "/dev/stderr",
                                        std::chrono::hours(1))
             .Succeeded())
      return 1;
  }

  const voske::Worksheets sheets = ReadSheets(path);

  const int runs = std::getenv("VOSKE_BENCH_RUNS") ? std::max(1, std::atoi(std::getenv("VOSKE_BENCH_RUNS"))) : 7;
  const std::string output = (scratch / "documento.xml").string();
  std::vector<double> plainWall, plainCpu, verifiedWall, verifiedCpu, ratios, accountingRatios;
  std::size_t findings = 0;
  for (int i = 0; i < runs; ++i) {
    voske::DocumentVerifier verifier;
    Seconds p, v;
    if (i % 2 == 0) {
      p = Build(sheets, output, nullptr);
      v = Build(sheets, output, &verifier);
    } else {
      v = Build(sheets, output, &verifier);
      p = Build(sheets, output, nullptr);
    }
    // The accounting checks alone, paired with a build without them.
    AccountingChecks accounting;
    const Seconds a = Build(sheets, output, &accounting);
    const Seconds q = Build(sheets, output, nullptr);
    if (p.wall < 0 || v.wall < 0 || a.wall < 0 || q.wall < 0) return 1;
    plainWall.push_back(p.wall);
    plainCpu.push_back(p.cpu);
    verifiedWall.push_back(v.wall);
    verifiedCpu.push_back(v.cpu);
    ratios.push_back(v.cpu / p.cpu);
    accountingRatios.push_back(a.cpu / q.cpu);
    findings = verifier.Findings().size();
  }
  const double plain = Median(plainCpu), verified = Median(verifiedCpu);
  std::printf("workbook                %s\n", path.c_str());
  std::printf("build without verifier  %.3f s processor, %.3f s clock (medians of %d)\n", plain,
              Median(plainWall), runs);
  std::printf("build with verifier     %.3f s processor, %.3f s clock (medians of %d), %zu findings\n", verified,
              Median(verifiedWall), runs, findings);
  // Pair by pair, so a drift of the machine's speed between pairs cancels.
  std::printf("verification adds       %.1f %% of the processor time, median of the pairs (target: under 10 %%)\n",
              (Median(ratios) - 1.0) * 100.0);
  std::printf("accounting checks add   %.1f %% of the processor time, median of the pairs (target: under 5 %%)\n",
              (Median(accountingRatios) - 1.0) * 100.0);
  std::filesystem::remove_all(scratch);
  return 0;
}
