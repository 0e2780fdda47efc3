// The registration document generated as the user runs it from the command
// line: voske-cli gerar over a workbook file, the document checked element by
// element, and the failures of the builder as the terminal shows them.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "registration_run.h"
#include "sample_outline.h"

namespace voske::support {
namespace {

namespace fs = std::filesystem;

struct CliGeneration {
  ScratchDir dir;
  CliResult result;
  std::vector<fs::path> files;
  std::unique_ptr<SavedDocument> document;
};

std::unique_ptr<CliGeneration> Gerar(const fs::path& workbook) {
  auto g = std::make_unique<CliGeneration>();
  g->result = RunCli({{"gerar", "--documento", "cadastral", "--planilha", workbook.string(), "--destino",
                       g->dir.path().string(), "--silencioso"},
                      std::string(kRunPassword), "", {}});
  g->files = FilesIn(g->dir.path());
  if (g->files.size() == 1) g->document = LoadSavedDocument(g->files.front());
  return g;
}

std::unique_ptr<CliGeneration> Gerar(const sample::Workbook& wb, ScratchDir& workbookDir) {
  const fs::path path = workbookDir / "planilha.xlsx";
  sample::WriteXlsx(wb, path.string());
  return Gerar(path);
}

void ExpectSampleDocument(const CliGeneration& g) {
  ASSERT_EQ(g.result.status, 0) << g.result.err;
  ASSERT_EQ(g.files.size(), 1u);
  EXPECT_EQ(g.result.out, g.files[0].string() + "\n");
  ASSERT_TRUE(g.document);
  EXPECT_EQ(Outline(g.document->Root().child("oxr:medicinaGrupo")), kSampleBody);
  EXPECT_EQ(g.document->ValueAt("oxr:identificador/oxr:hashPwd"), Md5Hex(UpperAscii(kRunPassword)));
  EXPECT_TRUE(HashMatchesContent(*g.document));
}

TEST(RegistrationCommandLine, SampleOperatorFromAnXlsxFile) {
  ScratchDir workbookDir;
  auto g = Gerar(sample::MakeSampleWorkbook(), workbookDir);
  ExpectSampleDocument(*g);
  EXPECT_EQ(g->result.err, "XML gerado com sucesso.\n");
}

TEST(RegistrationCommandLine, CommittedXlsSampleGivesTheSameDocument) {
  ExpectSampleDocument(*Gerar(SourceDir() / "examples" / "planilha-exemplo.xls"));
}

TEST(RegistrationCommandLine, RefusedKindLeavesNothing) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Dados Cadastrais"].Clear("B27");  // a kind needs its sub-kind too
  ScratchDir workbookDir;
  auto g = Gerar(wb, workbookDir);
  EXPECT_EQ(g->result.status, 1);
  EXPECT_EQ(g->result.out, "");
  EXPECT_EQ(g->result.err, "Enquadramento inválido. Verifique na planilha Dados Cadastrais.\n");
  EXPECT_TRUE(g->files.empty());
}

TEST(RegistrationCommandLine, BuildFailureShowsEveryLineOfTheCauseAndLeavesNothing) {
  const std::string name(61, 'N');
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Representantes"].Set("B10", name);
  ScratchDir workbookDir;
  auto g = Gerar(wb, workbookDir);
  EXPECT_EQ(g->result.status, 1);
  EXPECT_EQ(g->result.out, "");
  EXPECT_EQ(g->result.err,
            "Não foi possível gerar o arquivo XML \"Dados Cadastrais\".\n"
            "O campo \"nome\" pode ter no máximo 60 caracteres.\n"
            "O valor informado \"" + name + "\" excede o limite.\n"
            "Para mais detalhes verifique os arquivos XSD fornecidos no site da OXR.\n");
  EXPECT_TRUE(g->files.empty());
}

}  // namespace
}  // namespace voske::support
