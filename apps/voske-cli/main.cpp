// voske-cli: the command line of VOSKE-XML.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "platform/console.h"
#include "platform/process.h"
#include "text/program_version.h"

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

constexpr const char* kUsage = "Uso: voske-cli COMANDO [OPÇÕES]\n";

void PrintOverview(FILE* out) {
  std::fprintf(out,
               "%s\nVOSKE-XML: gera os documentos XML da OXR a partir da Planilha Padrão, confere-os e os\n"
               "envia.\n\nComandos:\n",
               kUsage);
  for (const Command& c : Commands()) std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
  std::fprintf(out,
               "\n\"voske-cli COMANDO --help\" explica as opções de cada comando;\n"
               "\"voske-cli --version\" mostra a versão do programa.\n");
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
  if (name == "--version" || name == "-V") {
    std::printf("voske-cli (VOSKE-XML) %s\n", voske::ProgramVersion());
    return kExitOk;
  }
  for (const Command& c : Commands()) {
    if (name == c.name) return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
  }
  std::fprintf(stderr, "voske-cli: %s: %s\n%s\"voske-cli --help\" lista os comandos.\n",
               name.rfind('-', 0) == 0 ? "opção desconhecida" : "comando desconhecido", name.c_str(), kUsage);
  return kExitUsage;
}
