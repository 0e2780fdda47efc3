// Verification of a document: while the generator writes it (each leaf told
// to the verifier with its source cell) and from a file on disk.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/scratch_document.h"
#include "text/cp1252.h"
#include "verification/document_file.h"
#include "verification/document_verifier.h"
#include "xml/xml_generator.h"

namespace voske {
namespace {

std::vector<Text> Lines(const std::vector<Finding>& findings) {
  std::vector<Text> lines;
  for (const Finding& f : findings) lines.push_back(ToUtf8(f.Line()));
  return lines;
}

TEST(VerifyWhileGenerating, FindingsNameTheSourceCellOrElseThePath) {
  support::ScratchDocument doc("oxr:voskeCadastral", "");
  TXMLGenerator& gen = *doc;
  DocumentVerifier verifier;
  gen.SetLeafObserver(&verifier);
  gen.AddElement("oxr:odontologiaGrupo");
  gen.AddElement("oxr:cadastro");
  gen.AddTextElement("oxr:CNPJ", "24681357000141", CellOrigin{Ansi("Dados Cadastrais"), 6, 2});
  gen.AddTextElement("oxr:razaoSocial", "Operadora Exemplo", CellOrigin{Ansi("Dados Cadastrais"), 5, 2});
  gen.AddTextElement("oxr:eMail", "contato.operadora.com.br");  // no single source cell
  gen.ReturnTo("oxr:odontologiaGrupo");
  gen.AddElement("oxr:administradores");
  for (const char* cpf : {"52998224725", "52998224726"}) {
    gen.AddElement("oxr:administrador");
    gen.AddTextElement("oxr:CPF", cpf, CellOrigin{"Administradores", 7, 9});
    gen.ReturnTo("oxr:administradores");
  }
  gen.AddTextElement("oxr:siglaUF", " XX ", CellOrigin{"Administradores", 8, 27});

  EXPECT_EQ(Lines(verifier.Findings()),
            (std::vector<Text>{
                "Aviso: Dados Cadastrais!B6: oxr:CNPJ \"24681357000141\": dígitos verificadores do CNPJ inválidos",
                "Aviso: oxr:odontologiaGrupo/oxr:cadastro/oxr:eMail \"contato.operadora.com.br\": não segue o "
                "formato exigido (st_eMail: .+@.+\\..+)",
                "Aviso: Administradores!I7: oxr:CPF \"52998224726\": dígitos verificadores do CPF inválidos",
                // The value as written: the generator trims it first.
                "Aviso: Administradores!AA8: oxr:siglaUF \"XX\": valor fora da lista aceita (st_UF)",
            }));
}

TEST(VerifyWhileGenerating, SharedNamesAreCheckedByWhereTheyStand) {
  support::ScratchDocument doc("oxr:voskeFinanc", "");
  TXMLGenerator& gen = *doc;
  DocumentVerifier verifier;
  gen.SetLeafObserver(&verifier);
  gen.AddElement("oxr:fluxoCaixa");
  gen.AddElement("oxr:lancFluxoCaixa");
  gen.AddTextElement("oxr:conta", "COMISSOES");  // a cash-flow account
  gen.AddTextElement("oxr:conta", "21111");      // no cash-flow account
  gen.ReturnTo("oxr:voskeFinanc");
  gen.AddElement("oxr:balancete");
  for (const char* section : {"oxr:ativo", "oxr:passivo"}) {
    gen.AddElement(section);
    gen.AddElement("oxr:lancamento");
    gen.AddTextElement("oxr:conta", "21111");
    gen.AddDecimalElement("oxr:saldoFinal", "10.5");
    gen.ReturnTo("oxr:balancete");
  }
  const auto lines = Lines(verifier.Findings());
  ASSERT_EQ(lines.size(), 2u);
  // A streamed document keeps only its open elements: the path of a leaf
  // without a source cell has no positions (a document read from disk has).
  EXPECT_NE(lines[0].find("oxr:fluxoCaixa/oxr:lancFluxoCaixa/oxr:conta \"21111\": valor fora da lista aceita "
                          "(st_ctaFluxoCaixa)"),
            std::string::npos)
      << lines[0];
  EXPECT_NE(lines[1].find("oxr:balancete/oxr:ativo/oxr:lancamento/oxr:conta \"21111\": não segue o formato exigido "
                          "(st_contaAtivo: [1][0-9]*)"),
            std::string::npos)
      << lines[1];
}

TEST(VerifyWhileGenerating, TheSameCellWrittenTwiceIsReportedOnce) {
  support::ScratchDocument doc("oxr:voskeCadastral", "");
  TXMLGenerator& gen = *doc;
  DocumentVerifier verifier;
  gen.SetLeafObserver(&verifier);
  const Text sheet = Ansi("Dados Cadastrais");  // an origin only views its sheet name
  const CellOrigin b6{sheet, 6, 2};
  gen.AddElement("oxr:identificador");
  gen.AddTextElement("oxr:CNPJ", "24681357000141", b6);
  gen.ReturnTo("oxr:voskeCadastral");
  gen.AddElement("oxr:cadastro");
  gen.AddTextElement("oxr:CNPJ", "24681357000141", b6);
  EXPECT_EQ(verifier.Findings().size(), 1u);
}

TEST(VerifyWhileGenerating, WithoutAnObserverTheDocumentIsUnchanged) {
  auto write = [](LeafObserver* observer) {
    support::ScratchDocument doc("oxr:voskeCadastral", "");
    TXMLGenerator& gen = *doc;
    gen.SetLeafObserver(observer);
    gen.AddTextElement("oxr:CNPJ", "24681357000141", CellOrigin{"Dados Cadastrais", 6, 2});
    gen.AddDecimalElement("oxr:valor", "12.345");
    return std::make_pair(doc.Saved(), gen.ContentHash());
  };
  DocumentVerifier verifier;
  EXPECT_EQ(write(nullptr), write(&verifier));
}

class VerifyFile : public ::testing::Test {
 protected:
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("verify_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string Write(const char* name, const std::string& bytes) {
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
};

TEST_F(VerifyFile, ReadsALatin1DocumentAndNamesPaths) {
  const std::string doc =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<oxr:voskeCadastral xmlns:oxr=\"x\">"
      "<oxr:cadastro><oxr:razaoSocial>Sa\xfa" "de Ltda</oxr:razaoSocial><oxr:CNPJ>24681357000141</oxr:CNPJ>"
      "<oxr:enderecoMatriz><oxr:siglaUF>SP</oxr:siglaUF><oxr:cep>1234</oxr:cep></oxr:enderecoMatriz>"
      "<oxr:nome>Jos\xe9</oxr:nome></oxr:cadastro></oxr:voskeCadastral>\r\n";
  const FileVerification v = VerifyDocumentFile(Write("doc.xml", doc));
  ASSERT_TRUE(v.read) << ToUtf8(v.problem);
  EXPECT_EQ(v.rootName, "oxr:voskeCadastral");
  EXPECT_EQ(Lines(v.findings),
            (std::vector<Text>{
                "Aviso: oxr:cadastro/oxr:CNPJ \"24681357000141\": dígitos verificadores do CNPJ inválidos",
                "Aviso: oxr:cadastro/oxr:enderecoMatriz/oxr:cep \"1234\": não segue o formato exigido (st_CEP: "
                "[0-9]{8})",
            }));
}

TEST_F(VerifyFile, AFileThatIsNoDocumentIsSaidSoPlainly) {
  const FileVerification missing = VerifyDocumentFile((dir / "nada.xml").string());
  EXPECT_FALSE(missing.read);
  EXPECT_NE(ToUtf8(missing.problem).find("não foi encontrado"), std::string::npos);

  const FileVerification text = VerifyDocumentFile(Write("texto.xml", "isto não é XML\n"));
  EXPECT_FALSE(text.read);
  EXPECT_NE(ToUtf8(text.problem).find("não é um documento XML válido"), std::string::npos);

  const FileVerification cut = VerifyDocumentFile(
      Write("cortado.xml", "<?xml version=\"1.0\"?>\n<oxr:voskeFinanc>\n<oxr:balancete><oxr:ativo>"));
  EXPECT_FALSE(cut.read);
  EXPECT_NE(ToUtf8(cut.problem).find("linha 3"), std::string::npos) << ToUtf8(cut.problem);

  const FileVerification empty = VerifyDocumentFile(Write("vazio.xml", ""));
  EXPECT_FALSE(empty.read);
  EXPECT_NE(ToUtf8(empty.problem).find("nenhum elemento"), std::string::npos);

  const FileVerification foreign = VerifyDocumentFile(Write("outro.xml", "<nota><CNPJ>1</CNPJ></nota>"));
  EXPECT_FALSE(foreign.read);
  EXPECT_NE(ToUtf8(foreign.problem).find("elemento raiz \"nota\""), std::string::npos);
  EXPECT_TRUE(foreign.findings.empty());
}

TEST_F(VerifyFile, EntitiesOfADocumentTypeAreNeverExpanded) {
  const std::string doc =
      "<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
      "<oxr:voskeFinanc><oxr:siglaUF>&e;</oxr:siglaUF></oxr:voskeFinanc>";
  const FileVerification v = VerifyDocumentFile(Write("dtd.xml", doc));
  if (v.read) {
    for (const Finding& f : v.findings) EXPECT_EQ(f.value.find("root"), Text::npos);
  }
}

}  // namespace
}  // namespace voske
