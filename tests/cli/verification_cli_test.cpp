// Verification through the real voske-cli: gerar names the cell of every
// value the schema refuses, in plain Portuguese; --estrito refuses the
// document; verificar checks a document on disk as a stream (or says plainly
// why it cannot).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>

#include <sys/stat.h>

#include "sample_workbook.h"
#include "support/cli_runner.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/peak_memory.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::RunCli;
using support::ScratchDir;

// What is there but is no regular file: a pipe nobody writes to and an
// endless device where the system has them in its file system.
std::vector<fs::path> SpecialFiles(const fs::path& dir) {
#ifdef _WIN32
  (void)dir;
  return {};
#else
  const fs::path fifo = dir / "fila.xml";
  if (::mkfifo(fifo.c_str(), 0600) != 0) ADD_FAILURE() << "mkfifo " << fifo;
  return {fifo, "/dev/zero"};
#endif
}

std::vector<std::string> WarningLines(const std::string& err) {
  std::vector<std::string> lines;
  std::istringstream in(err);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("Aviso: ", 0) == 0) lines.push_back(line);
  return lines;
}

class VerificationCliTest : public ::testing::Test {
 protected:
  VerificationCliTest() { fs::create_directories(out); }

  std::string Workbook(const std::function<void(sample::Workbook&)>& edit = {}) {
    sample::Workbook wb = sample::MakeSampleWorkbook();
    if (edit) edit(wb);
    const std::string path = (dir / ("planilha" + std::to_string(++written) + ".xlsx")).string();
    sample::WriteXlsx(wb, path);
    return path;
  }
  CliResult Gerar(const std::string& document, const std::string& workbook, std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"gerar", "--documento", document, "--planilha", workbook, "--destino", out.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli({args, std::string("senha-demo"), "", {}});
  }
  static CliResult Verificar(std::vector<std::string> args) {
    args.insert(args.begin(), "verificar");
    return RunCli({args, std::nullopt, "", {}});
  }
  static std::string Written(const CliResult& r) { return r.out.substr(0, r.out.size() - 1); }

  ScratchDir dir;
  fs::path out = dir / "saida";
  int written = 0;
};

// One wrong value in each place a value is taken from: every finding names
// its worksheet and cell, and says in words what is accepted.
struct Fault {
  const char* document;  // the one it shows in: "cadastral", "financeiro" or "ambos"
  const char* sheet;
  const char* cell;
  const char* value;
  const char* element;
  const char* reason;  // its start
};
const Fault kFaults[] = {
    {"ambos", "Dados Cadastrais", "B6", "24.681.357/0001-41", "oxr:CNPJ", "o CNPJ é inválido: os dígitos"},
    {"cadastral", "Dados Cadastrais", "B10", "regulatorio.serraazulsaude.com.br", "oxr:eMail",
     "o e-mail deve ter a forma nome@domínio"},
    {"cadastral", "Dados Cadastrais", "A33", "XX", "oxr:siglaUF", "não é uma UF; use a sigla de um estado ou EX"},
    // The address and phone blocks of the head office, the representative
    // and a dependent.
    {"cadastral", "Dados Cadastrais", "D16", "0131O200", "oxr:cep", "o CEP deve ter 8 dígitos"},
    {"cadastral", "Dados Cadastrais", "J6", "325140AB", "oxr:numeroTel", "o telefone deve ter"},
    {"cadastral", "Representantes", "G5", "0141400X", "oxr:cep", "o CEP deve ter 8 dígitos"},
    {"cadastral", "Representantes", "M5", "9981A-3344", "oxr:numeroTel", "o telefone deve ter"},
    {"cadastral", "Dependências", "L5", "1302532X", "oxr:cep", "o CEP deve ter 8 dígitos"},
    {"cadastral", "Dependências", "R5", "3255-12OO", "oxr:numeroTel", "o telefone deve ter"},
    // The state looked up from "Listas" for the head office and the
    // representative (and, in the financial document, a property): one cell,
    // one finding.
    {"ambos", "Listas", "B5", "XX", "oxr:siglaUF", "não é uma UF"},
    {"cadastral", "Representantes", "B9", "529.982.247-26", "oxr:CPF", "o CPF é inválido"},
    {"cadastral", "Administradores", "K10", "CRC#1SP", "oxr:numRegistro", "o número de registro deve ter"},
    {"cadastral", "Administradores", "D5", "999", "oxr:cargoFuncao", "não está na lista de cargos e funções"},
    // Two equal wrong values in two cells are two findings.
    {"cadastral", "Dependências", "C5", "AGENCIA", "oxr:tipo", "deve ser Outra, Filial ou Sucursal"},
    {"cadastral", "Dependências", "C6", "AGENCIA", "oxr:tipo", "deve ser Outra, Filial ou Sucursal"},
    {"cadastral", "Controladas", "E5", "980 mil", "oxr:qtdeAcoesQuotas", "deve ser um número"},
    // Registration numbers and CNPJs of the schedules.
    {"financeiro", "Intercâmbio", "A6", "12A45", "oxr:registroOperadora", "o registro na OXR deve ter 6 dígitos"},
    {"financeiro", "Intercâmbio", "E6", "12.345.678/0001-96", "oxr:cnpjNaoOperadora", "o CNPJ é inválido"},
    {"financeiro", "Contratos Estipulados", "A6", "9X9999", "oxr:registroOperadora", "o registro na OXR"},
    {"financeiro", "Intercâmbio Eventual Receber", "A6", "4I8723", "oxr:registroOperadora", "o registro na OXR"},
    {"financeiro", "Ativos Vinculados", "Y5", "9999", "oxr:tipoBem", "não está na lista de tipos de bem da OXR"},
    {"financeiro", "Fluxo De Caixa", "A6", "ALUGUEIS", "oxr:conta", "não está na lista de contas do fluxo de caixa"},
};

TEST_F(VerificationCliTest, EveryFindingNamesItsCellAndSaysWhatIsAccepted) {
  const std::string workbook = Workbook([](sample::Workbook& wb) {
    for (const Fault& f : kFaults) wb[f.sheet].Set(f.cell, f.value);
  });
  for (const char* document : {"cadastral", "financeiro"}) {
    const CliResult r = Gerar(document, workbook, {"--silencioso"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = WarningLines(r.err);
    std::size_t expected = 0;
    for (const Fault& f : kFaults) {
      if (std::string(f.document) != document && std::string(f.document) != "ambos") continue;
      ++expected;
      const std::string start = std::string("Aviso: ") + f.sheet + "!" + f.cell + ": " + f.element + " \"";
      const auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
      ASSERT_NE(line, lines.end()) << "missing: " << start << "\n" << r.err;
      EXPECT_NE(line->find(std::string("\": ") + f.reason), std::string::npos) << *line;
    }
    EXPECT_EQ(lines.size(), expected) << r.err;
    for (const std::string& line : lines) {
      EXPECT_EQ(line.find("st_"), std::string::npos) << line;
      EXPECT_EQ(line.find("[0-9]"), std::string::npos) << line;
    }
    // The findings come first, the success message and the count last.
    EXPECT_NE(r.err.find("XML gerado com sucesso.\n" + std::to_string(expected) + " avisos de verificação"),
              std::string::npos)
        << r.err;
  }
}

// A value written by rule that the tables lack is no finding: a PPSC line,
// the self-managed sub-kinds, the eighth line of profit or loss. The sample
// verifies clean for every kind of operator, with a segmentation of its kind.
TEST_F(VerificationCliTest, TheSampleVerifiesCleanForEveryKindOfOperator) {
  struct Kind {
    const char* code;
    const char* segmentation;
    int year;
  };
  const Kind kinds[] = {{"MEGRP", "SPP", 2024}, {"ODGRP", "SOP", 2024}, {"SEGUR", "SPP", 2024},
                        {"SGSAU", "SPP", 2024}, {"FILAN", "SPP", 2024}, {"COOPM", "SPP", 2024},
                        {"COOPO", "SOP", 2024}, {"ADMIN", "ADMPL", 2024}, {"AUTOG", "AUTSM", 2024},
                        {"AUTOG", "AUTMN", 2024}, {"AUTOG", "NPATR", 2011}, {"AUTOG", "PATRM", 2011},
                        {"AUTOG", "PATRS", 2011}, {"AUTOG", "AUTSM", 2011}, {"AUTOG", "AUTMN", 2011},
                        {"AUTOG", "AUTRH", 2011}};
  for (const Kind& k : kinds) {
    const std::string workbook = Workbook([&k](sample::Workbook& wb) {
      wb["Dados Cadastrais"].Set("B26", k.code);
      wb["Dados Cadastrais"].Set("B27", k.segmentation);
      wb["Dados Cadastrais"].SetDate("B3", k.year, 3, 31);
      wb["Idade de Saldos"].SetRow(24, 1, {"PPSC", 1520.0});
      wb["Lucros ou Prejuízos"].SetRow(12, 1, {"SALDO_A_DISPOR", "Saldo à disposição", 1000.0});
    });
    for (const char* document : {"cadastral", "financeiro"}) {
      const CliResult r = Gerar(document, workbook, {"--silencioso", "--estrito"});
      ASSERT_EQ(r.status, 0) << k.code << " " << k.segmentation << " " << k.year << " " << document << ": " << r.err;
      const CliResult v = Verificar({"--arquivo", Written(r)});
      EXPECT_EQ(v.err, "0 avisos de verificação.\n") << k.code << " " << k.segmentation << " " << document;
      EXPECT_EQ(v.status, 0);
    }
  }
}

TEST_F(VerificationCliTest, StrictGenerationWithFindingsFailsAndLeavesNothing) {
  const CliResult r = Gerar("cadastral", Workbook([](sample::Workbook& wb) {
                              wb["Dados Cadastrais"].Set("B6", "24.681.357/0001-41");
                              wb["Administradores"].Set("D5", 999.0);
                            }),
                            {"--estrito"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(WarningLines(r.err).size(), 2u) << r.err;
  EXPECT_NE(r.err.find("O arquivo XML não foi gerado: 2 avisos de verificação"), std::string::npos) << r.err;
  EXPECT_TRUE(support::FilesIn(out).empty());
}

TEST_F(VerificationCliTest, VerificarReadsADocumentOnDiskAndNamesElementPaths) {
  const CliResult g = Gerar("cadastral", Workbook([](sample::Workbook& wb) {
                              wb["Dados Cadastrais"].Set("B6", "24.681.357/0001-41");
                              wb["Administradores"].Set("D6", 999.0);
                            }),
                            {"--silencioso"});
  ASSERT_EQ(g.status, 0) << g.err;
  const CliResult v = Verificar({"--arquivo", Written(g)});
  EXPECT_EQ(v.status, 1);
  // Without the workbook, each finding names its element's path, with the
  // position of each element among its kind.
  const std::vector<std::string> lines = WarningLines(v.err);
  ASSERT_EQ(lines.size(), 2u) << v.err;
  EXPECT_EQ(lines[0], "Aviso: oxr:identificador/oxr:CNPJ \"24681357000141\": o CNPJ é inválido: os dígitos "
                      "verificadores não conferem");
  EXPECT_EQ(lines[1], "Aviso: oxr:medicinaGrupo/oxr:administradores/oxr:administrador[2]/oxr:cargoFuncao \"999\": "
                      "não está na lista de cargos e funções da OXR (códigos de 1 a 140)");
  EXPECT_NE(v.err.find("\n2 avisos de verificação.\n"), std::string::npos) << v.err;
}

TEST_F(VerificationCliTest, VerificarSaysWhyAFileIsNoDocument) {
  const fs::path text = dir / "nota.xml";
  std::ofstream(text) << "Relatório trimestral\nsem marcas XML\n";
  // A generated document cut in the middle, as an interrupted copy leaves it.
  const CliResult g = Gerar("financeiro", (support::SourceDir() / "examples" / "planilha-exemplo.xlsx").string(),
                            {"--silencioso"});
  ASSERT_EQ(g.status, 0) << g.err;
  const std::string whole = support::FileContents(Written(g));
  const fs::path cut = dir / "cortado.xml";
  std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 2);
  // Neither a folder, nor a pipe nobody writes to, nor an endless device
  // is read: each is refused at once.
  const std::vector<fs::path> special = SpecialFiles(dir.path());
  std::vector<std::pair<fs::path, const char*>> cases = {
      {dir / "nenhum.xml", "não foi encontrado"},
      {text, "não é um documento XML válido"},
      {cut, "não é um documento XML válido: o arquivo termina antes do fim do documento"},
      {dir.path(), "é uma pasta"},
  };
  for (const fs::path& path : special) cases.emplace_back(path, "não é um arquivo comum");
  for (const auto& [path, says] : cases) {
    const CliResult r = Verificar({"--arquivo", path.string()});
    EXPECT_EQ(r.status, 1) << path;
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Aviso:"), std::string::npos);
  }
  // enviar stops at the same check, before asking for any password.
  std::vector<fs::path> refused = special;
  refused.push_back(dir.path());
  for (const fs::path& path : refused) {
    const CliResult r = RunCli({{"enviar", "--documento", "financeiro", "--arquivo", path.string(), "--destino",
                                 out.string(), "--estrito"},
                                std::nullopt, "", {}});
    EXPECT_EQ(r.status, 1) << path << r.err;
    EXPECT_NE(r.err.find(path == dir.path() ? "é uma pasta" : "não é um arquivo comum"), std::string::npos) << r.err;
  }
}

// A document with 400,000 refused values is checked as a stream: in bounded
// time and memory, every finding printed as it is met.
TEST_F(VerificationCliTest, FourHundredThousandFindingsInBoundedTimeAndMemory) {
  constexpr int kEntries = 400000;
  const fs::path document = dir / "grande.xml";
  {
    std::ofstream f(document, std::ios::binary);
    f << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n<oxr:voskeFinanc xmlns:oxr=\"x\"><oxr:balancete>"
         "<oxr:ativo>";
    // Codes of one length: none begins another, so the trial balance's
    // sums add no findings of their own.
    for (int i = 0; i < kEntries; ++i)
      f << "<oxr:lancamento><oxr:conta>9" << std::setw(6) << std::setfill('0') << i << "</oxr:conta><oxr:saldoAnterior>10.5</oxr:saldoAnterior>"
        << "<oxr:debitos>1.0</oxr:debitos><oxr:creditos>0.0</oxr:creditos><oxr:saldoFinal>11.5</oxr:saldoFinal>"
        << "</oxr:lancamento>";
    f << "</oxr:ativo></oxr:balancete></oxr:voskeFinanc>\r\n";
  }
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"verificar", "--arquivo", document.string()},
        {"enviar", "--documento", "financeiro", "--arquivo", document.string(), "--destino", out.string(),
         "--estrito"}}) {
    const std::string err = (dir / "err").string();
    const support::ChildRun run =
        support::MeasureProgram(support::CliBinary().string(), args, (dir / "out").string(), err,
                                std::chrono::seconds(60));
    ASSERT_TRUE(run.finished) << args[0] << " took over a minute";
    EXPECT_EQ(run.status, 1);
    EXPECT_LT(run.peakKiB, 64 * 1024) << args[0];
    const std::string printed = support::FileContents(err);
    EXPECT_EQ(WarningLines(printed).size(), static_cast<std::size_t>(kEntries)) << args[0];
    EXPECT_NE(printed.find("oxr:balancete/oxr:ativo/oxr:lancamento[400000]/oxr:conta \"9399999\""),
              std::string::npos);
  }
}

TEST_F(VerificationCliTest, EnviarStrictDoesNotSendADocumentWithFindings) {
  const CliResult g = Gerar("cadastral", Workbook([](sample::Workbook& wb) {
                              wb["Dados Cadastrais"].Set("B6", "24.681.357/0001-41");
                            }),
                            {"--silencioso"});
  ASSERT_EQ(g.status, 0) << g.err;
  const CliResult r = RunCli({{"enviar", "--documento", "cadastral", "--arquivo", Written(g), "--destino",
                               out.string(), "--estrito"},
                              std::string("senha-demo"), "", {}});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(WarningLines(r.err).size(), 1u) << r.err;
  EXPECT_NE(r.err.find("O documento não foi enviado: 1 aviso de verificação"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(out / "Recibo"));
}

TEST_F(VerificationCliTest, VerificarUsage) {
  const CliResult help = Verificar({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Uso: voske-cli verificar --arquivo DOCUMENTO.xml"), std::string::npos);
  EXPECT_NE(help.out.find("dígitos verificadores"), std::string::npos);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"--arquivo"}, {"--planilha", "x.xlsx"}, {"--arquivo", "a.xml", "--arquivo", "b.xml"}}) {
    const CliResult r = Verificar(args);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_NE(r.err.find("voske-cli verificar --help"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace voske
