// financial-generation-bench [FILE.xlsx]: how long the financial document of a
// large workbook takes to generate from the command line, against reading the
// same workbook alone. Targets: the whole generation, saving included, takes
// at most 1.5 times the read and peaks under 200 MB (the document is written
// as it is built, so its size does not count); each of the sample workbook's
// two documents takes under 25 ms.
//
// Without FILE, the workbook is written first: the sample operator's
// worksheets, with the four trial-balance worksheets replaced by the large
// workbook's (100,000 rows each). The generation is "voske-cli gerar
// --documento financeiro"; the read loads, through the same reader, the
// worksheets the load sequence reads for that document. Each runs in a
// process of its own, so its peak memory is its own.
//
// financial-generation-bench --write FILE.xlsx only writes that workbook, for
// profiling the generation by hand (VOSKE_BENCH_ROWS rows per trial-balance
// worksheet instead of 100,000).
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/program_arguments.h"
#include "large_workbook.h"
#include "sample_workbook.h"
#include "support/peak_memory.h"
#include "text/cp1252.h"
#include "values/converters.h"
#include "workbook/worksheet_loader.h"
#include "workbook/worksheet_array.h"

namespace {

using voske::support::ChildRun;

// Each measured run is a child process of its own (support/peak_memory.h),
// given an hour at most.
constexpr std::chrono::hours kLimit{1};

struct Measure {
  double seconds = 0;     // wall-clock time
  double cpuSeconds = 0;  // user and system time of the child
  long peakKiB = 0;
  bool ok = false;
};

Measure Of(const ChildRun& run) { return Measure{run.seconds, run.cpuSeconds, run.peakKiB, run.Succeeded()}; }

// The worksheets the load sequence reads for the financial document of the
// sample operator (group medicine, so no maintainer's sheet) in a year from
// 2013 on, in its order.
const char* const kFinancialSheets[] = {
    "Dados Cadastrais", "Listas", "Ativos Vinculados", "Fluxo De Caixa", "Idade de Saldos", "Lucros ou Prejuízos",
    "Solvência", "Balancete Ativo", "Balancete Passivo", "Balancete Receita", "Balancete Despesa", "Intercâmbio",
    "Provisão", "Contratos Estipulados", "Quadros Auxiliares Eventos", "Intercâmbio Eventual Receber",
    "Intercâmbio Eventual Pagar", "IN_20"};

Measure ReadAlone(const std::string& path) {
  return Of(voske::support::MeasureInChild(
      [&] {
        try {
          voske::TUtil util;
          std::vector<voske::WorksheetArray> arrays;  // kept, as a generation keeps them
          for (const char* name : kFinancialSheets) {
            arrays.emplace_back();
            util.LoadWorksheet(arrays.back(), path, voske::Ansi(name));
          }
          return true;
        } catch (const std::exception& e) {
          std::fprintf(stderr, "financial-generation-bench: %s\n", e.what());
          return false;
        }
      },
      kLimit));
}

Measure Generate(const std::string& cli, const std::string& path, const std::string& folder,
                 const char* document = "financeiro") {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  ::setenv("VOSKE_SENHA", "SENHA-DE-TESTE", 1);  // the children inherit it
  Measure m = Of(voske::support::MeasureProgram(
      cli, {"gerar", "--documento", document, "--planilha", path, "--destino", folder, "--silencioso"}, "/dev/null",
      "/dev/stderr", kLimit));
  // A run that showed an error exits with 1 and leaves no file.
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files += entry.is_regular_file();
  m.ok = m.ok && files == 1;
  return m;
}

// The sample operator's worksheets, with the large trial-balance worksheets
// in place of its own.
void WriteBenchWorkbook(const std::string& path) {
  const voske::sample::Workbook sample = voske::sample::MakeSampleWorkbook();
  voske::bench::LargeWorkbookShape shape;
  // Fewer rows make a workbook small enough to profile under an
  // instruction counter, whose counts need no large run to be steady.
  if (const char* rows = std::getenv("VOSKE_BENCH_ROWS")) shape.rows = std::max(1, std::atoi(rows));
  lxw_workbook* book = workbook_new(path.c_str());
  if (!book) throw std::runtime_error("cannot create " + path);
  lxw_format* money = voske::bench::AddMoneyFormat(book);
  lxw_format* date = workbook_add_format(book);
  format_set_num_format(date, "dd/mm/yyyy");
  for (const voske::sample::Sheet& s : sample.sheets()) {
    lxw_worksheet* ws = workbook_add_worksheet(book, s.name().c_str());
    if (!ws) throw std::runtime_error("cannot add worksheet " + s.name());
    const auto large = std::find(shape.sheets.begin(), shape.sheets.end(), s.name());
    if (large != shape.sheets.end()) {
      voske::bench::WriteLargeSheet(ws, money, static_cast<int>(large - shape.sheets.begin()), shape);
      continue;
    }
    for (const auto& [rc, cell] : s.cells()) {
      const auto r = static_cast<lxw_row_t>(rc.first - 1);
      const auto c = static_cast<lxw_col_t>(rc.second - 1);
      const std::string* t = std::get_if<std::string>(&cell.value);
      if (!cell.formula.empty()) {
        if (t) worksheet_write_formula_str(ws, r, c, cell.formula.c_str(), nullptr, t->c_str());
        else worksheet_write_formula_num(ws, r, c, cell.formula.c_str(), nullptr,
                                         std::holds_alternative<double>(cell.value) ? std::get<double>(cell.value) : 0);
      } else if (const double* d = std::get_if<double>(&cell.value)) {
        worksheet_write_number(ws, r, c, *d, cell.isDate ? date : nullptr);
      } else if (t) {
        worksheet_write_string(ws, r, c, t->c_str(), nullptr);
      } else if (const bool* b = std::get_if<bool>(&cell.value)) {
        worksheet_write_boolean(ws, r, c, *b ? 1 : 0, nullptr);
      }
    }
    worksheet_protect(ws, voske::sample::kSheetPassword, nullptr);
  }
  if (workbook_close(book) != LXW_NO_ERROR) throw std::runtime_error("cannot write " + path);
}

void Keep(Measure& best, const Measure& m) {
  best.ok = true;
  best.seconds = std::min(best.seconds, m.seconds);
  best.cpuSeconds = std::min(best.cpuSeconds, m.cpuSeconds);
  best.peakKiB = std::max(best.peakKiB, m.peakKiB);
}

}  // namespace

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "financial-generation-bench",
      "Uso: financial-generation-bench [ARQUIVO.xlsx]\n"
      "       financial-generation-bench --write ARQUIVO.xlsx\n"
      "Mede \"voske-cli gerar --documento financeiro\" sobre a pasta de trabalho grande (ou\n"
      "ARQUIVO.xlsx) contra só a leitura dela; --write só grava essa pasta de trabalho\n"
      "(com VOSKE_BENCH_ROWS linhas por balancete em vez de 100000).\n",
      {"--write"}, 0, 1};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  bool writeOnly = false;
  std::string given;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--write") writeOnly = true;
    else given = argv[i];
  }
  if (writeOnly && given.empty()) {
    std::fprintf(stderr, "financial-generation-bench: --write precisa do ARQUIVO.xlsx\n%s", syntax.usage);
    return 2;
  }
  if (writeOnly) {
    try {
      WriteBenchWorkbook(given);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "financial-generation-bench: %s\n", e.what());
      return 1;
    }
    return 0;
  }
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("voske-financial-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  std::string path = given;
  if (path.empty()) {
    path = (scratch / "planilha-grande.xlsx").string();
    std::fprintf(stderr, "financial-generation-bench: writing %s\n", path.c_str());
    // In a child of its own: the writer's memory must not count in the
    // peaks of the measured children forked later.
    const ChildRun written = voske::support::MeasureInChild(
        [&] {
          try {
            WriteBenchWorkbook(path);
            return true;
          } catch (const std::exception& e) {
            std::fprintf(stderr, "financial-generation-bench: %s\n", e.what());
            return false;
          }
        },
        kLimit);
    if (!written.Succeeded()) return 1;
  }
  const std::string cli = VOSKE_CLI_PATH;
  const std::string folder = (scratch / "saida").string();

  // Best of several runs, read and generation taking turns: the machine is
  // shared, and the best run is the one least disturbed by others.
  const int runs = std::getenv("VOSKE_BENCH_RUNS") ? std::max(1, std::atoi(std::getenv("VOSKE_BENCH_RUNS"))) : 3;
  Measure read, generation;
  read.seconds = read.cpuSeconds = generation.seconds = generation.cpuSeconds = 1e9;
  uintmax_t documentBytes = 0;
  for (int i = 0; i < runs; ++i) {
    const Measure r = ReadAlone(path);
    const Measure g = Generate(cli, path, folder);
    if (!r.ok || !g.ok) {
      std::fprintf(stderr, "financial-generation-bench: the %s failed\n", r.ok ? "generation" : "read");
      return 1;
    }
    Keep(read, r);
    Keep(generation, g);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) documentBytes = entry.file_size();
  }
  std::printf("workbook            %s (%.1f MB)\n", path.c_str(),
              static_cast<double>(std::filesystem::file_size(path)) / 1e6);
  std::printf("document            %.1f MB\n", static_cast<double>(documentBytes) / 1e6);
  std::printf("read alone          %.3f s wall, %.3f s CPU, peak %.1f MB (best of %d)\n", read.seconds,
              read.cpuSeconds, static_cast<double>(read.peakKiB) / 1024.0, runs);
  std::printf("generation          %.3f s wall, %.3f s CPU, peak %.1f MB (best of %d)\n", generation.seconds,
              generation.cpuSeconds, static_cast<double>(generation.peakKiB) / 1024.0, runs);
  std::printf("generation / read   %.2f wall, %.2f CPU (target: at most 1.5; peak under 200 MB)\n",
              generation.seconds / read.seconds, generation.cpuSeconds / read.cpuSeconds);

  // The sample workbook's two documents, as a user generates them.
  const std::string sampleWorkbook = VOSKE_SAMPLE_WORKBOOK;
  for (const char* document : {"cadastral", "financeiro"}) {
    Measure best;
    best.seconds = best.cpuSeconds = 1e9;
    for (int i = 0; i < std::max(runs, 5); ++i) {
      const Measure m = Generate(cli, sampleWorkbook, folder, document);
      if (!m.ok) {
        std::fprintf(stderr, "financial-generation-bench: the sample %s document failed\n", document);
        return 1;
      }
      Keep(best, m);
    }
    std::printf("sample %-12s %.1f ms wall, peak %.1f MB (best of %d; target: under 25 ms)\n", document,
                best.seconds * 1e3, static_cast<double>(best.peakKiB) / 1024.0, std::max(runs, 5));
  }
  std::filesystem::remove_all(scratch);
  return 0;
}
