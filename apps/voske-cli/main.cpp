// voske-cli: the command line of VOSKE-XML.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "platform/console.h"
#include "platform/process.h"

namespace voske::cli {

namespace {
std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace

bool RegisterCommand(const Command& command) {
  Registry().push_back(command);
  std::sort(Registry().begin(), Registry().end(), [](const Command& a, const Command& b) { return a.order < b.order; });
  return true;
}

const std::vector<Command>& Commands() { return Registry(); }

namespace {

void PrintOverview(FILE* out) {
  std::fprintf(out,
               "VOSKE-XML: gera os documentos XML da OXR a partir da Planilha Padrão e os envia.\n\n"
               "Uso: voske-cli COMANDO [OPÇÕES]\n\nComandos:\n");
  for (const Command& c : Commands()) std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
  std::fprintf(out, "\n\"voske-cli COMANDO --help\" explica as opções de cada comando.\n");
}

}  // namespace
}  // namespace voske::cli

int main(int argc, char** argv) {
  using namespace voske::cli;
  // UTF-8 goes out as it is, on every system's console.
  voske::platform::PrepareUtf8Output();
  // UTF-8 whatever the system's code page: paths with accents stay whole.
  const std::vector<std::string> args = voske::platform::ProgramArguments(argc, argv);
  if (args.empty()) {
    PrintOverview(stderr);
    return kExitUsage;
  }
  const std::string& name = args[0];
  if (name == "--help" || name == "-h" || name == "ajuda") {
    PrintOverview(stdout);
    return kExitOk;
  }
  for (const Command& c : Commands()) {
    if (name == c.name) return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
  }
  std::fprintf(stderr, "voske-cli: comando desconhecido: %s\n\n", name.c_str());
  PrintOverview(stderr);
  return kExitUsage;
}
