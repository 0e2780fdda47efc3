// Verification of a document: while the generator writes it (each leaf told
// to the verifier with its source cell) and from a file on disk.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/paths.h"
#include "support/scratch_document.h"
#include "text/cp1252.h"
#include "verification/document_file.h"
#include "verification/document_verifier.h"
#include "verification/element_path.h"
#include "verification/finding_list.h"
#include "xml/xml_generator.h"

namespace voske {
namespace {

std::vector<Text> Lines(const std::vector<Finding>& findings) {
  std::vector<Text> lines;
  for (const Finding& f : findings) lines.push_back(ToUtf8(f.Line()));
  return lines;
}

TEST(VerifyWhileGenerating, FindingsNameTheSourceCellOrElseThePathWithPositions) {
  support::ScratchDocument doc("oxr:voskeCadastral", "");
  TXMLGenerator& gen = *doc;
  DocumentVerifier verifier;
  gen.SetLeafObserver(&verifier);
  gen.AddElement("oxr:odontologiaGrupo");
  gen.AddElement("oxr:cadastro");
  gen.AddTextElement("oxr:CNPJ", "24681357000141", CellOrigin{Ansi("Dados Cadastrais"), 6, 2});
  gen.AddTextElement("oxr:razaoSocial", "Operadora Exemplo", CellOrigin{Ansi("Dados Cadastrais"), 5, 2});
  gen.ReturnTo("oxr:odontologiaGrupo");
  gen.AddElement("oxr:administradores");
  for (const char* email : {"a@b.com", "contato.operadora.com.br"}) {
    gen.AddElement("oxr:administrador");
    gen.AddTextElement("oxr:eMail", email);  // no single source cell
    gen.ReturnTo("oxr:administradores");
  }
  for (const char* cpf : {"52998224725", "52998224726"}) {
    gen.AddElement("oxr:administrador");
    gen.AddTextElement("oxr:CPF", cpf, CellOrigin{"Administradores", 7, 9});
    gen.ReturnTo("oxr:administradores");
  }
  gen.AddTextElement("oxr:siglaUF", " XX ", CellOrigin{"Administradores", 8, 27});

  EXPECT_EQ(Lines(verifier.Findings()),
            (std::vector<Text>{
                "Aviso: Dados Cadastrais!B6: oxr:CNPJ \"24681357000141\": o CNPJ é inválido: os dígitos "
                "verificadores não conferem",
                "Aviso: oxr:odontologiaGrupo/oxr:administradores/oxr:administrador[2]/oxr:eMail "
                "\"contato.operadora.com.br\": o e-mail deve ter a forma nome@domínio",
                "Aviso: Administradores!I7: oxr:CPF \"52998224726\": o CPF é inválido: os dígitos verificadores não "
                "conferem",
                // The value as written: the generator trims it first.
                "Aviso: Administradores!AA8: oxr:siglaUF \"XX\": não é uma UF; use a sigla de um estado ou EX",
            }));
  EXPECT_EQ(ToUtf8(verifier.Findings()[0].rule), "CNPJ: dígitos verificadores (módulo 11)");
}

// A parent's children mostly come in one order, entry after entry; each
// name's position holds whatever the order.
TEST(ElementPathPositions, EachNameIsCountedWhateverTheOrder) {
  struct Step {
    bool open;  // a container; else a leaf
    const char* name;
    std::size_t depth;
    int position;
    const char* path;  // the leaf's path, when checked
  };
  const Step steps[] = {
      {true, "oxr:a", 1, 1, nullptr},        {false, "oxr:x", 2, 1, nullptr}, {false, "oxr:y", 2, 1, nullptr},
      {false, "oxr:x", 2, 2, nullptr},       {false, "oxr:z", 2, 1, nullptr}, {false, "oxr:y", 2, 2, "oxr:a/oxr:y[2]"},
      {true, "oxr:a", 1, 2, nullptr},        {false, "oxr:y", 2, 1, nullptr}, {false, "oxr:x", 2, 1, nullptr},
      {false, "oxr:x", 2, 2, "oxr:a[2]/oxr:x[2]"},
      {true, "oxr:b", 1, 1, nullptr},        {true, "oxr:a", 2, 1, nullptr},  // another place, counted apart
      {false, "oxr:x", 3, 1, "oxr:b/oxr:a/oxr:x"},
      {false, "oxr:x", 2, 1, "oxr:b/oxr:x"},  // b's own leaf once its child ended
  };
  ElementPath path;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    const Step& s = steps[i];
    if (s.open) {
      path.Open(s.name, s.depth);
      EXPECT_EQ(path.PositionOf(s.name), s.position) << "step " << i;
      continue;
    }
    const int position = path.Leaf(s.name, s.depth).count;
    EXPECT_EQ(position, s.position) << "step " << i;
    if (s.path) {
      EXPECT_EQ(path.PathTo(s.name, position), s.path) << "step " << i;
    }
  }
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
  EXPECT_EQ(Lines(verifier.Findings()),
            (std::vector<Text>{
                "Aviso: oxr:fluxoCaixa/oxr:lancFluxoCaixa/oxr:conta[2] \"21111\": não está na lista de contas do "
                "fluxo de caixa da OXR",
                "Aviso: oxr:balancete/oxr:ativo/oxr:lancamento/oxr:conta \"21111\": a conta do ativo deve começar "
                "por 1 e ter só dígitos, no máximo 13",
            }));
}

// Values the builders write by rule where the tables are short.
TEST(VerifyWhileGenerating, ValuesWrittenByRuleAreAccepted) {
  support::ScratchDocument doc("oxr:voskeFinanc", "");
  TXMLGenerator& gen = *doc;
  DocumentVerifier verifier;
  gen.SetLeafObserver(&verifier);
  gen.AddElement("oxr:idadeSaldo");
  gen.AddElement("oxr:idadeAtivo");
  for (const char* code : {"400", "350", "45"}) gen.AddTextElement("oxr:dias", code);
  gen.ReturnTo("oxr:voskeFinanc");
  gen.AddElement("oxr:lucrosPrejuizos");
  for (int line = 1; line <= 8; ++line) {
    gen.AddElement("oxr:lucroPrejuizo", false, "oxr:lucrosPrejuizos");
    gen.AddTextElement("oxr:conta", line >= 7 ? "SALDO_FINAL" : "OUTROS");
  }
  gen.ReturnTo("oxr:voskeFinanc");
  gen.AddElement("oxr:autogNaoPatrocinada");
  gen.AddElement("oxr:enquadramento");
  gen.AddTextElement("oxr:segmentacao", "AUTSM");
  EXPECT_EQ(Lines(verifier.Findings()),
            (std::vector<Text>{
                "Aviso: oxr:idadeSaldo/oxr:idadeAtivo/oxr:dias[3] \"45\": deve ser 00, 30, 60, 90, 120, 365 ou 999",
                "Aviso: oxr:lucrosPrejuizos/oxr:lucroPrejuizo[7]/oxr:conta \"SALDO_FINAL\": não está na lista de "
                "contas de destinação de lucros ou prejuízos da OXR",
            }));
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
  // The same value in another cell is another thing to fix.
  gen.AddTextElement("oxr:CNPJ", "24681357000141", CellOrigin{sheet, 7, 2});
  EXPECT_EQ(verifier.Findings().size(), 2u);
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
  support::ScratchDir dir;
  std::string Write(const char* name, const std::string& bytes) {
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  FileVerification Verify(const std::string& path) {
    findings.clear();
    return VerifyDocumentFile(path, [this](const Finding& f) { findings.push_back(f); });
  }
  std::vector<Finding> findings;
};

TEST_F(VerifyFile, ReadsALatin1DocumentAsAStreamAndNamesPathsWithPositions) {
  const std::string doc =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<oxr:voskeCadastral xmlns:oxr=\"x\">"
      "<oxr:cadastro><oxr:razaoSocial>Sa\xfa" "de Ltda</oxr:razaoSocial><oxr:CNPJ>24681357000141</oxr:CNPJ>"
      "<oxr:enderecoMatriz><oxr:siglaUF>SP</oxr:siglaUF><oxr:cep>01310100</oxr:cep></oxr:enderecoMatriz>"
      "<oxr:enderecoMatriz><oxr:siglaUF>S\xc3</oxr:siglaUF><oxr:cep>1234</oxr:cep></oxr:enderecoMatriz>"
      "<oxr:nome>Jos\xe9</oxr:nome><oxr:vazio/></oxr:cadastro></oxr:voskeCadastral>\r\n";
  const FileVerification v = Verify(Write("doc.xml", doc));
  ASSERT_TRUE(v.read) << ToUtf8(v.problem);
  EXPECT_EQ(v.rootName, "oxr:voskeCadastral");
  EXPECT_EQ(v.findingCount, 3u);
  EXPECT_EQ(Lines(findings),
            (std::vector<Text>{
                "Aviso: oxr:cadastro/oxr:CNPJ \"24681357000141\": o CNPJ é inválido: os dígitos verificadores não "
                "conferem",
                "Aviso: oxr:cadastro/oxr:enderecoMatriz[2]/oxr:siglaUF \"SÃ\": não é uma UF; use a sigla de um "
                "estado ou EX",
                "Aviso: oxr:cadastro/oxr:enderecoMatriz[2]/oxr:cep \"1234\": o CEP deve ter 8 dígitos",
            }));
}

TEST_F(VerifyFile, AFileThatIsNoDocumentIsSaidSoPlainly) {
  struct Case {
    std::string path;
    const char* says;
  };
  const Case cases[] = {
      {(dir / "nada.xml").string(), "não foi encontrado"},
      {Write("texto.xml", "isto não é XML\n"), "não é um documento XML válido"},
      {Write("cortado.xml", "<?xml version=\"1.0\"?>\n<oxr:voskeFinanc>\n<oxr:balancete><oxr:ativo>"), "linha 3"},
      {Write("vazio.xml", ""), "nenhum elemento"},
      {Write("outro.xml", "<nota><CNPJ>1</CNPJ></nota>"), "elemento raiz \"nota\""},
      {dir.path().string(), "é uma pasta"},
  };
  for (const Case& c : cases) {
    const FileVerification v = Verify(c.path);
    EXPECT_FALSE(v.read) << c.path;
    EXPECT_NE(ToUtf8(v.problem).find(c.says), std::string::npos) << ToUtf8(v.problem);
    EXPECT_TRUE(findings.empty());
  }
}

TEST_F(VerifyFile, EntitiesOfADocumentTypeAreNeverExpanded) {
  const std::string doc =
      "<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
      "<oxr:voskeFinanc><oxr:siglaUF>&e;</oxr:siglaUF></oxr:voskeFinanc>";
  Verify(Write("dtd.xml", doc));
  for (const Finding& f : findings) EXPECT_EQ(f.value.find("root"), Text::npos);
}

// The window's list: worksheets together in the order first met, a value
// with no cell under the element it stands in, and the same CSV to save.
TEST(FindingList, GroupsByWorksheetAndSavesTheCsv) {
  const auto at = [](const char* sheet, const char* cell, const char* path) {
    Finding f;
    f.sheet = sheet;
    f.cell = cell;
    f.path = path;
    f.element = "oxr:CPF";
    f.value = "1";
    f.reason = "o CPF deve ter 11 dígitos";
    return f;
  };
  support::ScratchDir dir;
  const FindingList list = ListFindings(
      {at("Administradores", "A5", ""), at("Listas", "C3", ""), at("Administradores", "A9", ""),
       at("", "", "oxr:medicinaGrupo/oxr:administradores/oxr:administrador[2]/oxr:CPF")},
      (dir.path() / "418723_CADASTRAL.xml").string());
  std::vector<std::pair<Text, Text>> shown;
  for (const FindingList::Entry& e : list.entries) shown.emplace_back(e.heading, e.line);
  EXPECT_EQ(shown, (std::vector<std::pair<Text, Text>>{
                       {"Administradores", "A5: oxr:CPF \"1\": o CPF deve ter 11 dígitos"},
                       {"Administradores", "A9: oxr:CPF \"1\": o CPF deve ter 11 dígitos"},
                       {"Listas", "C3: oxr:CPF \"1\": o CPF deve ter 11 dígitos"},
                       {"oxr:medicinaGrupo/oxr:administradores/oxr:administrador",
                        "oxr:medicinaGrupo/oxr:administradores/oxr:administrador[2]/oxr:CPF \"1\": o CPF deve ter 11 "
                        "dígitos"}}));
  EXPECT_EQ(list.suggestedPath, (dir.path() / "418723_CADASTRAL_avisos.csv").string());
  ASSERT_TRUE(list.save);
  EXPECT_EQ(list.save(list.suggestedPath), std::nullopt);
  EXPECT_NE(support::FileContents(list.suggestedPath).find("\r\nListas;C3;oxr:CPF;"), std::string::npos);
  // A folder in the way: said, not thrown.
  EXPECT_NE(list.save(dir.path().string()), std::nullopt);
  EXPECT_FALSE(ListFindings({}, "x.xml").save);
}

}  // namespace
}  // namespace voske
