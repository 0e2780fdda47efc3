// header-reader-bench [MiB]: what reading a document's transaction code
// costs, as enviar does before sending. The document (default 40 MiB, a
// large operator's financial document: the header, then accounts) is
// written to a temporary folder, with a small one beside it; each reading
// runs in a child process of its own, so its peak memory is the reading's
// alone, and should not grow with the document.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "common/program_arguments.h"
#include "support/peak_memory.h"
#include "text/cp1252.h"
#include "xml/header_reader.h"

namespace {

namespace fs = std::filesystem;

void WriteDocument(const fs::path& file, std::uintmax_t bytes) {
  std::ofstream out(file, std::ios::binary);
  const std::string head =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n<oxr:voskeFinanceiro xmlns:oxr=\"urn:x\">"
      "<oxr:identificador><oxr:cabecalho><oxr:transacao>ENVIO_VOSKE_FINANCEIRO</oxr:transacao>"
      "</oxr:cabecalho></oxr:identificador><oxr:corpo>";
  const std::string tail = "</oxr:corpo></oxr:voskeFinanceiro>\r\n";
  const std::string row = "<oxr:conta><oxr:codigo>12345</oxr:codigo><oxr:saldo>1.00</oxr:saldo></oxr:conta>\r\n";
  out << head;
  for (std::uintmax_t n = head.size() + tail.size(); n + row.size() <= bytes; n += row.size()) out << row;
  out << tail;
}

// Runs `work` in a child (support/peak_memory.h); prints its time, its peak
// memory and what it found.
void Measure(const char* what, const fs::path& file, const std::function<voske::Text()>& work) {
  const voske::support::ChildRun run = voske::support::MeasureInChild(
      [&] { return work() == "ENVIO_VOSKE_FINANCEIRO"; }, std::chrono::minutes(10));
  std::printf("%-34s %8.1f MiB  %7.3f s  peak %7.1f MiB  %s\n", what,
              static_cast<double>(fs::file_size(file)) / (1 << 20), run.seconds,
              static_cast<double>(run.peakKiB) / 1024.0, run.Succeeded() ? "código lido" : "código NÃO lido");
}

}  // namespace

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "header-reader-bench",
      "Uso: header-reader-bench [MIB]\n"
      "Mede a leitura do código de transação de um documento de MIB mebibytes (padrão 40)\n"
      "contra carregar o documento inteiro.\n",
      {}, 0, 1};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  const double mib = argc > 1 ? std::atof(argv[1]) : 40.0;
  if (!(mib > 0)) {
    std::fprintf(stderr, "header-reader-bench: tamanho inválido: %s\n%s", argv[1], syntax.usage);
    return 2;
  }
  const fs::path dir = fs::temp_directory_path() / ("header-reader-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path large = dir / "grande.xml", small = dir / "pequeno.xml";
  WriteDocument(large, static_cast<std::uintmax_t>(mib * (1 << 20)));
  WriteDocument(small, 1 << 20);

  const auto streamed = [](const fs::path& f) {
    return [f] { return voske::ReadHeaderValue(f.string(), "oxr:identificador", "oxr:transacao").value; };
  };
  Measure("cabeçalho lido em fluxo", small, streamed(small));
  Measure("cabeçalho lido em fluxo", large, streamed(large));
  fs::remove_all(dir);
  return 0;
}
