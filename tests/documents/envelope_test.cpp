#include "documents/envelope.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "support/xml_tree.h"

#include "support/document_checks.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"

namespace voske {
namespace {

using support::XmlNode;

namespace fs = std::filesystem;
using voske::support::RecordingFrontEnd;
using voske::support::ScratchDir;

const Text kNs = "http://www.oxr.gov.br/padroes/voske/schemas";

// "Dados Cadastrais" with the identification cells as the operator types them.
Worksheets Identification(const Text& name = Ansi("Operadora São Lucas & Cia <Saúde>")) {
  WorksheetArray sheet(9, 2);
  sheet.Mutable(3, 2) = Cell::MakeNumber(40969);  // 2012-03-01
  sheet.Mutable(5, 2) = Cell::MakeNumber(123);
  sheet.Mutable(6, 2) = Cell::MakeText("01.234.567/0001-89");
  sheet.Mutable(7, 2) = Cell::MakeText(name);
  Worksheets sheets;
  sheets.Set(SheetId::DadosCadastrais, std::move(sheet));
  return sheets;
}

struct Generation {
  Worksheets sheets = Identification();
  RecordingFrontEnd frontEnd;
  ScratchDir dir;
  DocumentContext ctx{.sheets = sheets,
                      .frontEnd = frontEnd,
                      .outputPath = (dir / "doc.xml").string(),
                      .passwordUpper = "SENHA123",
                      .programVersion = "3.3"};
};

// The texts of the elements without child elements, in document order, as
// Windows-1252 (the reader hands them over as UTF-8).
void CollectLeaves(XmlNode node, std::vector<std::pair<std::string, Text>>& out) {
  for (XmlNode child : node.children()) {
    if (!child.IsElement()) continue;
    if (child.find_node([](const XmlNode&) { return true; })) {
      CollectLeaves(child, out);
    } else {
      out.emplace_back(child.name(), FromUtf8(child.text()));
    }
  }
}

// The document saved and read back, as the regulator reads it; texts come
// back as Windows-1252.
struct Reread {
  support::XmlDocument doc;
  XmlNode Root() const { return doc.Root(); }
  Text Id(const char* leaf) const { return FromUtf8(Root().child("oxr:identificador").child_value(leaf)); }
};
std::unique_ptr<Reread> SaveAndRead(TXMLGenerator& gen, const std::string& path) {
  gen.SaveToFile(path);
  auto read = std::make_unique<Reread>();
  EXPECT_TRUE(read->doc.LoadFile(path)) << read->doc.error;
  return read;
}

TEST(Envelope, RootStartTagsCarryTheNamespaceDeclarations) {
  EXPECT_EQ(SchemaNamespace(), kNs);
  EXPECT_EQ(SchemaNamespace().size(), 43u);
  EXPECT_EQ(RootStartTag(DocumentKind::Financeiro),
            "<oxr:voskeFinanc xmlns:oxr=\"" + kNs +
                "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\"" + kNs +
                "/voskeComplexTypes.xsd\">");
  EXPECT_EQ(RootStartTag(DocumentKind::Cadastral),
            "<oxr:voskeCadastral xmlns:oxr=\"" + kNs +
                "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\"" + kNs + " " +
                kNs + "/voskeComplexTypes.xsd\">");
}

TEST(Envelope, IdentificationBlockOfTheFinancialDocument) {
  Generation run;
  auto gen = OpenDocument(DocumentKind::Financeiro, run.ctx);
  EXPECT_EQ(gen->Current(), gen->Root());
  const auto saved = SaveAndRead(*gen, run.ctx.outputPath);
  EXPECT_EQ(saved->Id("oxr:registroOXR"), "000123");
  EXPECT_EQ(saved->Id("oxr:razaoSocial"), "Operadora Sao Lucas Cia Saude");
  EXPECT_EQ(saved->Id("oxr:CNPJ"), "01234567000189");
  EXPECT_EQ(saved->Id("oxr:periodo"), "2012-03-01");
  EXPECT_EQ(saved->Id("oxr:transacao"), "ENVIO_VOSKE_FINANCEIRO");
  EXPECT_EQ(saved->Id("oxr:hashPwd"), "6dd4ade82a0fa372797bde22d3db3716");  // md5sum of SENHA123
  EXPECT_EQ(saved->Id("oxr:apTrans"), "AR33");
  EXPECT_EQ(run.frontEnd.statuses,
            std::vector<Text>{Ansi("Status: Gerando os arquivos XML - Gerando VOSKE financeiros")});
  EXPECT_GE(run.frontEnd.processed, 1);
}

TEST(Envelope, RegistrationNameIsCutNotCleanedAndNoStatusIsShown) {
  Generation run;
  const Text seventy = Ansi("Cooperativa de Saúde (Norte?)  ") + Text(39, 'x');
  ASSERT_EQ(seventy.size(), 70u);
  run.sheets = Identification(seventy);
  auto gen = OpenDocument(DocumentKind::Cadastral, run.ctx);
  const auto saved = SaveAndRead(*gen, run.ctx.outputPath);
  EXPECT_EQ(saved->Id("oxr:razaoSocial"), seventy.substr(0, 60));
  EXPECT_EQ(saved->Id("oxr:transacao"), "ENVIO_VOSKE_CADASTRAL");
  EXPECT_TRUE(run.frontEnd.statuses.empty());
}

TEST(Envelope, PasswordHashIgnoresTheCaseOfAsciiLettersOnly) {
  auto hashOf = [](const Text& password) {
    Generation run;
    run.ctx.passwordUpper = password;
    auto gen = OpenDocument(DocumentKind::Cadastral, run.ctx);
    return SaveAndRead(*gen, run.ctx.outputPath)->Id("oxr:hashPwd");
  };
  EXPECT_EQ(hashOf("senha"), hashOf("SENHA"));
  EXPECT_NE(hashOf(Ansi("açaí")), hashOf(Ansi("AÇAÍ")));
  EXPECT_EQ(hashOf(""), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Envelope, InvalidPeriodStopsTheDocument) {
  Generation run;
  WorksheetArray sheet(9, 2);
  sheet.Mutable(3, 2) = Cell::MakeText("1/3/2012");
  run.sheets.Set(SheetId::DadosCadastrais, std::move(sheet));
  EXPECT_THROW(OpenDocument(DocumentKind::Cadastral, run.ctx), EGenerica);
}

TEST(Envelope, SavedDocumentsHashCanBeRecomputedFromItsLeaves) {
  Generation run;
  auto gen = OpenDocument(DocumentKind::Financeiro, run.ctx);
  gen->AddElement("oxr:balancete");
  gen->AddElement("oxr:ativo");
  gen->AddTextElement("oxr:descricao", Ansi("Aplicações & <Títulos> 10€"));
  gen->AddDecimalElement("oxr:saldoFinal", "1234.567");
  gen->AddDecimalElement("oxr:debitos", "");
  gen->AddTextElement("oxr:vazio", "");
  CloseDocument(*gen, DocumentKind::Financeiro, run.ctx);
  EXPECT_EQ(run.frontEnd.statuses.back(), Ansi("Status: Gerando os arquivos XML - Gerando hash"));

  const fs::path file = run.ctx.outputPath;
  const std::string bytes = support::FileContents(file);
  ASSERT_EQ(bytes.find("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n" + RootStartTag(DocumentKind::Financeiro)), 0u);
  EXPECT_NE(bytes.find("<oxr:descricao>Aplica\xE7\xF5" "es &amp; &lt;T\xEDtulos&gt; 10&#8364;</oxr:descricao>"),
            std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 20), "</oxr:voskeFinanc>\r\n");

  EXPECT_TRUE(support::StrictlyWellFormed(bytes));
  support::XmlDocument doc;
  ASSERT_TRUE(doc.LoadFile(file.string())) << doc.error;
  XmlNode root = doc.Root();
  EXPECT_EQ(root.name(), "oxr:voskeFinanc");
  EXPECT_EQ(root.attribute("xmlns:oxr"), kNs);
  EXPECT_EQ(root.last_child().name(), "oxr:epilogo");

  std::vector<std::pair<std::string, Text>> leaves;
  CollectLeaves(root, leaves);
  Text concatenated, written;
  for (const auto& [name, value] : leaves) {
    if (name == "oxr:hash") written = value;
    else concatenated += value;
  }
  EXPECT_NE(concatenated.find(Ansi("Aplicações & <Títulos> 10€1234.560.0")), Text::npos);
  const fs::path plain = run.dir / "leaves.bin";
  { std::ofstream(plain, std::ios::binary) << concatenated; }
  ASSERT_EQ(written.size(), 32u);
  EXPECT_EQ(written, support::Md5Hex(support::FileContents(plain)));
  EXPECT_EQ(std::distance(fs::directory_iterator(run.dir.path()), fs::directory_iterator()), 2);
}

TEST(Envelope, SameInputGivesTheSameDocumentHash) {
  auto hashOnce = [] {
    Generation run;
    auto gen = OpenDocument(DocumentKind::Cadastral, run.ctx);
    gen->AddTextElement("oxr:nome", "X");
    CloseDocument(*gen, DocumentKind::Cadastral, run.ctx);
    support::XmlDocument doc;
    EXPECT_TRUE(doc.LoadFile(run.ctx.outputPath)) << doc.error;
    return doc.Root().child("oxr:epilogo").child_value("oxr:hash");
  };
  const std::string first = hashOnce();
  EXPECT_EQ(first.size(), 32u);
  EXPECT_EQ(first, hashOnce());
}

TEST(Envelope, FailureMessagesWrapTheCause) {
  EXPECT_EQ(DocumentFailureMessage(DocumentKind::Financeiro, "causa"),
            Ansi("Não foi possível gerar o arquivo XML \"Dados Financeiros\".\rcausa"));
  EXPECT_EQ(DocumentFailureMessage(DocumentKind::Cadastral, "causa"),
            Ansi("Não foi possível gerar o arquivo XML \"Dados Cadastrais\".\rcausa"));
}

TEST(Envelope, UnwritableOutputRaisesAndLeavesNoFile) {
  Generation run;
  run.ctx.outputPath = (run.dir / "falta" / "doc.xml").string();
  // The document is written as it is built: a folder that is not there
  // stops it before the first element.
  EXPECT_THROW(OpenDocument(DocumentKind::Cadastral, run.ctx), EGravaArquivo);
  EXPECT_TRUE(fs::is_empty(run.dir.path()));

  // A folder standing where the file goes: found when the file is put in place.
  run.ctx.outputPath = (run.dir / "doc.xml").string();
  fs::create_directory(run.ctx.outputPath);
  auto gen = OpenDocument(DocumentKind::Cadastral, run.ctx);
  EXPECT_THROW(CloseDocument(*gen, DocumentKind::Cadastral, run.ctx), EGravaArquivo);
  gen.reset();
  EXPECT_EQ(std::distance(fs::directory_iterator(run.dir.path()), fs::directory_iterator()), 1);
  EXPECT_TRUE(fs::is_empty(run.ctx.outputPath));
}

}  // namespace
}  // namespace voske
