#pragma once
// What every small program of the project does with its arguments before its
// own work: "--help" (or "-h") prints its usage on stdout and ends well; an
// unknown argument that looks like an option, or a wrong number of the
// others, prints the usage on stderr and ends with status 2. So no program
// ever writes a file named "--help" or reads one named "--xls".
#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace voske::programs {

struct ProgramSyntax {
  const char* name;                             // "make-large-workbook"
  const char* usage;                            // "Uso: ...", one or more lines ending in a newline
  std::initializer_list<const char*> switches;  // the options it knows ("--xls")
  int minOperands = 0;                          // paths and numbers, in that many
  int maxOperands = 0;
};

// The exit status when the program must end here, or nothing when its
// arguments are sound and it may go on reading them its own way.
inline std::optional<int> CheckArguments(const ProgramSyntax& program, int argc, char** argv) {
  int operands = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--help" || a == "-h") {
      std::fputs(program.usage, stdout);
      return 0;
    }
  }
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    bool known = false;
    for (const char* s : program.switches) known = known || a == s;
    if (known) continue;
    if (a.size() > 1 && a.front() == '-') {
      std::fprintf(stderr, "%s: opção desconhecida: %s\n%s", program.name, argv[i], program.usage);
      return 2;
    }
    ++operands;
  }
  if (operands < program.minOperands || operands > program.maxOperands) {
    std::fprintf(stderr, "%s: número de argumentos errado\n%s", program.name, program.usage);
    return 2;
  }
  return std::nullopt;
}

}  // namespace voske::programs
