// Every program of the project, as a new user first tries it: "--help" shows
// its usage, and an option where it expects a path (a forgotten name) is
// refused before it writes anything, so no file named "--help" is ever made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "support/paths.h"
#include "text/program_version.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::CliRun;
using support::RunCli;

struct Program {
  fs::path file;                     // the program, or the interpreter that runs it
  std::vector<std::string> leading;  // the interpreter's arguments before the user's
};

std::vector<Program> EveryProgram() {
  const fs::path bin = support::BinaryDir(), src = support::SourceDir();
  std::vector<Program> programs;
  for (const char* name : {"voske-cli", "voske", "voske-screenshots", "make-sample-workbook"})
    programs.push_back({bin / "bin" / support::ProgramFile(name), {}});
#ifndef _WIN32
  // Built and run on Linux only: the Qt icon renderer, the benchmarks, the
  // scripts and the Java service.
  for (const char* name : {"bin/voske-icons", "bench/make-large-workbook", "bench/reader-bench",
                           "bench/financial-generation-bench", "bench/header-reader-bench",
                           "bench/verification-bench"})
    programs.push_back({bin / name, {}});
  for (const char* name : {"build", "run", "test", "package", "screenshots", "update-samples", "install-deps", "fuzz",
                           "test.d/fuzz", "lib/test-summary"})
    programs.push_back({src / "scripts" / name, {}});
  for (const char* name : {"fuzz/hostile_seeds.py", "bench/peers/openpyxl_read.py"})
    programs.push_back({"/usr/bin/python3", {(src / name).string()}});
#ifdef VOSKE_JAVA_EXECUTABLE
  programs.push_back({VOSKE_JAVA_EXECUTABLE, {"-jar", (bin / "bin" / "VOSKETestService.jar").string()}});
#endif
#endif
  return programs;
}

CliResult RunProgram(const Program& p, const std::string& argument, const fs::path& folder) {
  CliRun run;
  run.program = p.file;
  run.args = p.leading;
  run.args.push_back(argument);
  run.workingDir = folder;
  return RunCli(run);
}

TEST(ProgramArguments, EveryProgramShowsItsUsageAndTakesNoOptionForAPath) {
  std::vector<std::string> notBuilt;
  for (const Program& p : EveryProgram()) {
    const fs::path made = p.leading.empty() ? p.file : fs::path(p.leading.back());
    if (!fs::exists(made)) {
      notBuilt.push_back(made.string());
      continue;
    }
    support::ScratchDir folder;
    const CliResult help = RunProgram(p, "--help", folder.path());
    EXPECT_EQ(help.status, 0) << made << help.err;
    EXPECT_EQ(help.out.rfind("Uso: ", 0), 0u) << made << ": " << help.out;
    for (const char* notAPath : {"--saida.xlsx", "-x"}) {
      const CliResult wrong = RunProgram(p, notAPath, folder.path());
      EXPECT_EQ(wrong.status, 2) << made << " " << notAPath << ": " << wrong.err;
      EXPECT_NE(wrong.err.find("Uso: "), std::string::npos) << made << ": " << wrong.err;
    }
    EXPECT_TRUE(fs::is_empty(folder.path())) << made << " wrote into the working folder";
  }
  if (!notBuilt.empty()) GTEST_SKIP() << "not built here: " << ::testing::PrintToString(notBuilt);
}

TEST(ProgramArguments, VoskeCliVersionAndUnknownOptions) {
  const std::string version = std::string("voske-cli (VOSKE-XML) ") + ProgramVersion() + "\n";
  const struct {
    std::vector<std::string> args;
    int status;
    const char* expected;  // the start of stdout (status 0) or the text stderr holds
  } cases[] = {
      {{"--version"}, 0, version.c_str()},
      {{"-V"}, 0, version.c_str()},
      {{"--versao"}, 2, "voske-cli: opção desconhecida: --versao\nUso: voske-cli COMANDO [OPÇÕES]\n"},
      {{"gerir"}, 2, "voske-cli: comando desconhecido: gerir\nUso: voske-cli COMANDO [OPÇÕES]\n"},
      {{"gerar", "--documento", "cadastral", "--planilha", "--destino", "saida"}, 2,
       "falta o valor da opção --planilha (ARQUIVO)"},
      {{"verificar", "--arquivo", "-"}, 2, "falta o valor da opção --arquivo"},
      {{"celulas", "--planilha=-x.xlsx", "--aba", "--x"}, 2, "falta o valor da opção --aba (NOME)"},
      {{"enviar", "--documento", "cadastral", "--arquivo", "a.xml", "--destino", "d", "--estrito=sim"}, 2,
       "a opção --estrito não recebe valor"},
      {{"celulas", "planilha.xlsx"}, 2, "argumento inesperado: planilha.xlsx"},
  };
  for (const auto& c : cases) {
    const CliResult r = RunCli({c.args});
    EXPECT_EQ(r.status, c.status) << c.args.back() << r.err;
    if (c.status == 0) EXPECT_EQ(r.out, c.expected);
    else EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace voske
