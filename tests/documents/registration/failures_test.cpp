// A registration build that cannot finish shows one error, in the user's
// words, restores the cursor, marks the generation as failed and leaves no
// file in the destination folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "generation/output_name.h"
#include "registration_run.h"
#include "xml/atomic_file.h"

namespace voske::support {
namespace {

const Text kBuildFailed = Ansi("Não foi possível gerar o arquivo XML \"Dados Cadastrais\".\r");

void ExpectFailure(const CadastralRun& run, const Text& message) {
  ASSERT_EQ(run.frontEnd.messages.size(), 1u);
  EXPECT_EQ(ToUtf8(run.frontEnd.messages[0].text), ToUtf8(message));
  EXPECT_EQ(run.frontEnd.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(run.frontEnd.messages[0].caption, "Erro");
  EXPECT_TRUE(run.generationFailed());
  EXPECT_TRUE(run.Files().empty());
}

TEST(CadastralFailures, InvalidPeriodDate) {
  for (const char* b3 : {"", "31/02/2024", "1/7/2024"}) {
    SCOPED_TRACE(b3);
    sample::Workbook wb = sample::MakeSampleWorkbook();
    if (*b3) wb["Dados Cadastrais"].Set("B3", b3);
    else wb["Dados Cadastrais"].Clear("B3");
    auto run = RunCadastral(wb);
    ExpectFailure(*run, kBuildFailed + Ansi("A data \"") + b3 + Ansi("\" não é uma data válida."));
    // The cursor is back to normal before the message is shown.
    const auto& events = run->frontEnd.events;
    const auto shown = std::find_if(events.begin(), events.end(), [](const Text& e) { return e.starts_with("message:"); });
    ASSERT_NE(shown, events.end());
    EXPECT_EQ(*(shown - 1), "busy:off");
  }
}

TEST(CadastralFailures, InvalidDateInsideTheBody) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Administradores"].Set(6, 5, "1/3/2012");
  auto run = RunCadastral(wb);
  ExpectFailure(*run, kBuildFailed + Ansi("A data \"1/3/2012\" não é uma data válida."));

  wb = sample::MakeSampleWorkbook();
  wb["Representantes"].Set("B14", "sem validade");
  run = RunCadastral(wb);
  ExpectFailure(*run, kBuildFailed + Ansi("A data \"sem validade\" não é uma data válida."));
}

TEST(CadastralFailures, InvalidShareQuantity) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Acionistas"].Set("H9", "trezentos mil");
  auto run = RunCadastral(wb);
  ExpectFailure(*run,
                kBuildFailed + Ansi("O valor \"trezentos mil\" não é um número válido, verifique na planilha."));
}

TEST(CadastralFailures, ValueLongerThanTheSchemaAllows) {
  const std::string name(61, 'A');
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Administradores"].Set("B7", name);
  auto run = RunCadastral(wb);
  ExpectFailure(*run, kBuildFailed + Ansi("O campo \"nome\" pode ter no máximo 60 caracteres.\rO valor informado \"") +
                          name +
                          Ansi("\" excede o limite.\rPara mais detalhes verifique os arquivos XSD fornecidos no "
                               "site da OXR."));
}

TEST(CadastralFailures, UnknownKindCode) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Dados Cadastrais"].Set("B26", "XXXXX");
  auto run = RunCadastral(wb);
  ExpectFailure(*run, Ansi("Enquadramento inválido. Verifique na planilha Dados Cadastrais."));
}

TEST(CadastralFailures, SaveThatCannotCompleteLeavesNothingBehind) {
  // Folders already sit under every name the document could take (its
  // second and the next ones it tries), so it cannot be put in place;
  // neither it nor a half-written copy may be left, and no folder touched.
  RunOptions options;
  options.beforeRun = [](const CadastralRun& r) {
    std::tm when = FixedRunTime();
    for (int i = 0; i < AtomicFile::kNameTries; ++i, when = NextSecond(when))
      std::filesystem::create_directories(r.outputFolder / ("418723_CADASTRAL_" + FileTimestamp(when) + ".xml") / "ocupado");
  };
  auto run = RunCadastral(sample::MakeSampleWorkbook(), options);
  ASSERT_EQ(run->frontEnd.messages.size(), 1u);
  EXPECT_TRUE(run->frontEnd.messages[0].text.starts_with(kBuildFailed));
  EXPECT_GT(run->frontEnd.messages[0].text.size(), kBuildFailed.size()) << "the cause is missing";
  EXPECT_TRUE(run->generationFailed());
  EXPECT_TRUE(run->Files().empty());
  std::size_t entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(run->outputFolder)) {
    EXPECT_TRUE(e.is_directory()) << e.path();
    EXPECT_FALSE(std::filesystem::is_empty(e.path())) << e.path();
    ++entries;
  }
  EXPECT_EQ(entries, static_cast<std::size_t>(AtomicFile::kNameTries));
}

}  // namespace
}  // namespace voske::support
