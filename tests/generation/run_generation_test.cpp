// The load sequence of one generation: which worksheets it reads and in what
// order, the status lines, the output name, and how each failure is reported.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "documents/financial/financial_builder.h"
#include "generation/fake_generation.h"
#include "generation/run_generation.h"
#include "generation/output_name.h"
#include "platform/file_system.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "xml/xml_generator.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::FakeGeneration;
using support::RecordingFrontEnd;
using support::ScratchDir;

std::string Utf8(const Text& t) { return ToUtf8(t); }

std::vector<fs::path> FilesIn(const fs::path& dir) {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
  return files;
}

class LoadWorkbookTest : public ::testing::Test {
 protected:
  GenerationState Run(DocumentKind kind, const std::string& workbook = "/planilhas/padrao.xlsx") {
    GenerationRequest request;
    request.document = kind;
    request.workbookPath = workbook;
    request.destinationFolder = dir.path().string();
    request.passwordUpper = "SENHA";
    GenerationState state;
    RunGeneration(request, front, state, fake.Services());
    return state;
  }

  // The worksheets read after the four trial-balance sheets, for a financial run.
  std::vector<std::string> YearSheets() {
    std::vector<std::string> names = fake.ReadNames();
    auto it = std::find(names.begin(), names.end(), "Balancete Despesa");
    return it == names.end() ? names : std::vector<std::string>(it + 1, names.end());
  }

  ScratchDir dir;
  FakeGeneration fake;
  RecordingFrontEnd front;
};

TEST_F(LoadWorkbookTest, RegistrationReadsItsWorksheetsInOrderAndAnnouncesEach) {
  const GenerationState state = Run(DocumentKind::Cadastral, "\"/planilhas/padrao.xlsx\"");

  EXPECT_EQ(fake.ReadNames(), (std::vector<std::string>{"Dados Cadastrais", "Listas", "Administradores",
                                                        "Representantes", "Acionistas", "Controladas",
                                                        "Dependências"}));
  EXPECT_EQ(support::Utf8Texts(front.statuses),
            (std::vector<std::string>{"Status: Gerando os arquivos XML - Carregando dados cadastrais",
                                      "Status: Gerando os arquivos XML - Carregando Listas",
                                      "Status: Gerando os arquivos XML - Carregando Administradores",
                                      "Status: Gerando os arquivos XML - Carregando Representantes",
                                      "Status: Gerando os arquivos XML - Carregando Acionistas",
                                      "Status: Gerando os arquivos XML - Carregando Controladas",
                                      "Status: Gerando os arquivos XML - Carregando Dependências",
                                      "Status: Gerando os arquivos XML - Gerando Dados cadastrais"}));
  // Each status is followed by a repaint, plus one after the first two reads.
  EXPECT_EQ(front.processed, 9);
  // Double quotes typed around the path are dropped; one reader serves the run.
  for (const auto& r : fake.reads) {
    EXPECT_EQ(r.path, "/planilhas/padrao.xlsx");
    EXPECT_EQ(r.reader, 1);
  }
  EXPECT_EQ(fake.readersMade, 1);

  // Busy from before the first read until after the success message.
  ASSERT_GE(front.events.size(), 3u);
  EXPECT_EQ(front.events.front(), "busy:on");
  EXPECT_EQ(front.events.back(), "busy:off");
  EXPECT_EQ(Utf8(front.events[front.events.size() - 2]), "message:XML gerado com sucesso.");
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(front.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(Utf8(front.messages[0].caption), "Informação");

  const std::string expected = (dir / "123456_CADASTRAL_2026-12-08_101530.xml").string();
  EXPECT_EQ(state.outputPath, expected);
  EXPECT_FALSE(state.generationFailed);
  EXPECT_TRUE(fs::exists(expected));

  ASSERT_EQ(fake.builds.size(), 1u);
  EXPECT_EQ(fake.builds[0].kind, DocumentKind::Cadastral);
  EXPECT_EQ(fake.builds[0].outputPath, expected);
  EXPECT_EQ(fake.builds[0].passwordUpper, "SENHA");
  EXPECT_EQ(fake.builds[0].programVersion, "3.3");
  EXPECT_EQ(fake.builds[0].loadedSheets.size(), 7u);
}

TEST_F(LoadWorkbookTest, SelfManagedOperatorHasNoShareholdersWorksheet) {
  for (const char* kind : {"AUTOG", "autog", "AutoG"}) {
    fake.reads.clear();
    fake.sheets[Ansi("Dados Cadastrais")] = support::CadastralSheet(2013, "123456", kind);
    Run(DocumentKind::Cadastral);
    EXPECT_EQ(fake.ReadNames(), (std::vector<std::string>{"Dados Cadastrais", "Listas", "Administradores",
                                                          "Representantes", "Controladas", "Dependências"}))
        << kind;
  }
}

TEST_F(LoadWorkbookTest, FinancialWorksheetsFollowTheReferenceYear) {
  const std::vector<std::string> y2013 = {"Intercâmbio", "Provisão", "Contratos Estipulados",
                                          "Quadros Auxiliares Eventos", "Intercâmbio Eventual Receber",
                                          "Intercâmbio Eventual Pagar", "IN_20"};
  const struct {
    int year;
    std::vector<std::string> sheets;
  } cases[] = {
      {2009, {}},
      {2010, {"Intercâmbio"}},
      {2011, {"Intercâmbio", "Corresponsabilidade", "Provisão"}},
      {2012, {"Intercâmbio", "Corresponsabilidade", "Provisão", "Contratos Estipulados"}},
      {2013, y2013},
      {2025, y2013},
  };
  for (const auto& c : cases) {
    fake.reads.clear();
    fake.sheets[Ansi("Dados Cadastrais")] = support::CadastralSheet(c.year);
    Run(DocumentKind::Financeiro);
    EXPECT_EQ(YearSheets(), c.sheets) << c.year;
  }
  EXPECT_EQ(fake.ReadNames(),
            (std::vector<std::string>{"Dados Cadastrais", "Listas", "Ativos Vinculados", "Fluxo De Caixa",
                                      "Idade de Saldos", "Lucros ou Prejuízos", "Solvência", "Balancete Ativo",
                                      "Balancete Passivo", "Balancete Receita", "Balancete Despesa", "Intercâmbio",
                                      "Provisão", "Contratos Estipulados", "Quadros Auxiliares Eventos",
                                      "Intercâmbio Eventual Receber", "Intercâmbio Eventual Pagar", "IN_20"}));
  // The trial-balance statuses are the short ones; the last one names the document.
  EXPECT_EQ(Utf8(front.statuses[7]), "Status: Gerando os arquivos XML - Carregando Ativo");
  EXPECT_EQ(Utf8(front.statuses[10]), "Status: Gerando os arquivos XML - Carregando Despesa");
  EXPECT_EQ(Utf8(front.statuses.back()), "Status: Gerando os arquivos XML - Gerando Dados financeiros");
  EXPECT_EQ(fake.builds.back().kind, DocumentKind::Financeiro);
}

TEST_F(LoadWorkbookTest, MaintainersLinkedAssetsOnlyForSelfManagedOperatorsWithAMaintainer) {
  const struct {
    const char* kind;
    const char* subKind;
    bool maintainer;
  } cases[] = {
      {"AUTOG", "", true},         {"autog", "npatr", false}, {"AUTOG", "AUTSM", false},
      {"AUTOG", "PATRM", true},    {"MEDGR", "", false},      {"", "", false},
  };
  for (const auto& c : cases) {
    fake.reads.clear();
    fake.sheets[Ansi("Dados Cadastrais")] = support::CadastralSheet(2013, "123456", c.kind, c.subKind);
    Run(DocumentKind::Financeiro);
    const std::vector<std::string> names = fake.ReadNames();
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names[2], "Ativos Vinculados");
    EXPECT_EQ(names[3] == "Ativos Vinculados Mantenedor", c.maintainer) << c.kind << "/" << c.subKind;
  }
}

TEST(OutputNameTest, NamesTheFileFromTheRegistrationNumberAndTheLocalTime) {
  std::tm when = support::LocalTime(2026, 1, 2, 3, 4, 5);
  EXPECT_EQ(OutputFileName(DocumentKind::Financeiro, "12345-6", when), "123456_FINANCEIRO_2026-01-02_030405.xml");
  EXPECT_EQ(OutputFileName(DocumentKind::Cadastral, "-1-2-", when), "12_CADASTRAL_2026-01-02_030405.xml");
  // Control characters are left out of the name, as they are of the document.
  for (const std::string& b5 : {std::string("418\n723"), std::string("\x1b[2J418723\x07"),
                                std::string("41\r\t87\0" "23\x7f\x9d", 11)})
    EXPECT_EQ(OutputFileName(DocumentKind::Cadastral, b5, when).substr(0, 7), b5[0] == '\x1b' ? "[2J4187" : "418723_")
        << b5;
  when.tm_hour = 23;
  EXPECT_EQ(FileTimestamp(when), "2026-01-02_230405");
  // The folder is taken as typed, then the system's separator ("\\" on Windows).
  const std::string separator(1, platform::PathSeparator());
  EXPECT_EQ(OutputPathFor("/saida/", "a.xml"), "/saida/" + separator + "a.xml");
  EXPECT_EQ(OutputPathFor("/saída", Ansi("ç.xml")), "/saída" + separator + "ç.xml");
  // The next free second's name carries over minutes, hours, days and years.
  for (const auto& [from, to] : {std::pair{support::LocalTime(2026, 1, 2, 3, 4, 5), "2026-01-02_030406"},
                                 {support::LocalTime(2026, 2, 28, 23, 59, 59), "2026-03-01_000000"},
                                 {support::LocalTime(2028, 2, 28, 23, 59, 59), "2028-02-29_000000"},
                                 {support::LocalTime(2026, 12, 31, 23, 59, 59), "2027-01-01_000000"}})
    EXPECT_EQ(FileTimestamp(NextSecond(from)), to);
}

TEST_F(LoadWorkbookTest, RegistrationNumberThatWouldLeaveTheFolderIsRefused) {
  fs::create_directories(dir / "sub");
  for (const char* number : {"../123456", "sub/1", "12\\34"}) {
    front.messages.clear();
    fake.builds.clear();
    fake.sheets[Ansi("Dados Cadastrais")] = support::CadastralSheet(2013, number);
    const GenerationState state = Run(DocumentKind::Cadastral);
    EXPECT_TRUE(state.generationFailed);
    EXPECT_TRUE(fake.builds.empty());
    ASSERT_EQ(front.messages.size(), 1u);
    EXPECT_EQ(front.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(Utf8(front.messages[0].text).find("(célula B5 de Dados Cadastrais)"), std::string::npos);
  }
  EXPECT_EQ(FilesIn(dir.path()).size(), 1u);  // only "sub", still empty
  EXPECT_TRUE(fs::is_empty(dir / "sub"));
  EXPECT_FALSE(fs::exists(dir.path().parent_path() / "123456_CADASTRAL_2026-12-08_101530.xml"));
}

// Each failure class that reaches the load sequence, the message it shows,
// and what is left behind: nothing.
TEST_F(LoadWorkbookTest, EachFailureShowsItsMessageOnceAndDeletesNothing) {
  const struct {
    const char* what;
    std::function<void()> thrower;
    std::string message;
  } cases[] = {
      {"financial", [] { throw EDocumentoNaoGerado(Ansi("Não foi possível gerar o arquivo XML \"Dados Financeiros\".\rX")); },
       "Não foi possível gerar o arquivo XML \"Dados Financeiros\".\rX"},
      {"generic", [] { throw EGenerica(Ansi("O valor \"x\" não é um número válido, verifique na planilha.")); },
       "O valor \"x\" não é um número válido, verifique na planilha."},
      {"load", [] { throw ECarregaArquivo(Ansi("Planilha ausente\rIN_20")); },
       "Não foi possível carregar o arquivo: Planilha ausente\rIN_20"},
      {"length", [] { throw EMaxLengthError("too long"); }, "Arquivo Excel inconsistente."},
      {"other", [] { throw std::runtime_error("disk full"); }, "Arquivo Excel inconsistente."},
      {"anything", [] { throw 42; }, "Arquivo Excel inconsistente."},
  };
  for (const auto& c : cases) {
    front = RecordingFrontEnd();
    // Another run saves its document under the same name while this one
    // builds; this one then fails. Its own document was never saved (the
    // generator leaves nothing on failure), and the other run's stays.
    fake.build = [&c](const DocumentContext& ctx) {
      FakeGeneration::WriteFile(ctx.outputPath, "<outraExecucao/>");
      c.thrower();
    };
    const GenerationState state = Run(DocumentKind::Financeiro);
    EXPECT_TRUE(state.generationFailed) << c.what;
    ASSERT_EQ(front.messages.size(), 1u) << c.what;
    EXPECT_EQ(Utf8(front.messages[0].text), c.message) << c.what;
    EXPECT_EQ(front.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(Utf8(front.messages[0].caption), "Erro");
    ASSERT_EQ(FilesIn(dir.path()).size(), 1u) << c.what;
    EXPECT_EQ(support::FileContents(state.outputPath), "<outraExecucao/>") << c.what;
    fs::remove(state.outputPath);
    // The cursor is back before the message, which waits for the user.
    EXPECT_EQ(front.events.end()[-2], "busy:off") << c.what;
  }
}

TEST_F(LoadWorkbookTest, MissingListasStopsBeforeTheFileIsNamed) {
  fake.sheets.erase(Ansi("Listas"));
  fake.FailOn("Listas", [] { throw ECarregaArquivo(Ansi("Planilha não encontrada.\rListas")); });
  const GenerationState state = Run(DocumentKind::Cadastral);
  EXPECT_EQ(fake.ReadNames(), (std::vector<std::string>{"Dados Cadastrais", "Listas"}));
  EXPECT_TRUE(state.outputPath.empty());
  EXPECT_TRUE(state.generationFailed);
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(Utf8(front.messages[0].text), "Não foi possível carregar o arquivo: Planilha não encontrada.\rListas");
  EXPECT_TRUE(fake.builds.empty());
}

TEST_F(LoadWorkbookTest, InvalidReferenceDateStopsAfterTheTrialBalance) {
  WorksheetArray cadastral = support::CadastralSheet(2013);
  cadastral.Mutable(3, 2) = Cell::MakeText("31/02/2013x");
  fake.sheets[Ansi("Dados Cadastrais")] = cadastral;
  const GenerationState state = Run(DocumentKind::Financeiro);
  EXPECT_EQ(fake.ReadNames().back(), "Balancete Despesa");
  EXPECT_TRUE(state.generationFailed);
  EXPECT_TRUE(fake.builds.empty());
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(Utf8(front.messages[0].text).rfind("A data \"", 0), 0u) << Utf8(front.messages[0].text);
}

TEST_F(LoadWorkbookTest, FailedRunKeepsTheDocumentAnEarlierRunSavedUnderTheSameName) {
  const fs::path earlier = dir / "123456_CADASTRAL_2026-12-08_101530.xml";
  FakeGeneration::WriteFile(earlier.string(), "<anterior/>");

  fake.build = [](const DocumentContext&) { throw EGenerica("x"); };
  Run(DocumentKind::Cadastral);
  EXPECT_EQ(support::FileContents(earlier), "<anterior/>");
}

TEST_F(LoadWorkbookTest, EachGenerationParsesTheWorkbookWithItsOwnReader) {
  Run(DocumentKind::Cadastral);
  Run(DocumentKind::Financeiro);
  EXPECT_EQ(fake.readersMade, 2);
  EXPECT_EQ(fake.reads.front().reader, 1);
  EXPECT_EQ(fake.reads.back().reader, 2);
}

}  // namespace
}  // namespace voske
