#include "xml/document_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "support/paths.h"
#include "text/cp1252.h"
#include "xml/xml_generator.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using voske::support::ScratchDir;

fs::path Write(const ScratchDir& dir, const std::string& name, const std::string& bytes) {
  const fs::path p = dir / name;
  std::ofstream(p, std::ios::binary) << bytes;
  return p;
}

// The transaction code as the sender takes it.
Text TransactionOf(const fs::path& file) {
  TUtilXML reader;
  reader.LoadFromFile(file.string());
  reader.SelectElements("oxr:identificador");
  return reader.ChildValue("oxr:transacao");
}

TEST(TUtilXML, ReadsBackWhatTheGeneratorWrote) {
  ScratchDir dir;
  TXMLGenerator gen("oxr:voskeFinanc", "<oxr:voskeFinanc xmlns:oxr=\"urn:x\">", "");
  gen.AddElement("oxr:identificador");
  gen.AddTextElement("oxr:razaoSocial", Ansi("Saúde & Cia <10€>"));
  gen.AddTextElement("oxr:transacao", "ENVIO_VOSKE_FINANCEIRO");
  const fs::path file = dir / "f.xml";
  gen.SaveToFile(file.string());

  TUtilXML reader;
  reader.LoadFromFile(file.string());
  reader.SelectElements("oxr:identificador");
  EXPECT_EQ(reader.Count(), 1);
  EXPECT_STREQ(reader.FirstNode().name(), "oxr:identificador");
  EXPECT_EQ(reader.ChildValue("oxr:transacao"), "ENVIO_VOSKE_FINANCEIRO");
  EXPECT_EQ(reader.ChildValue("oxr:razaoSocial"), Ansi("Saúde & Cia <10€>"));
  EXPECT_EQ(reader.ChildValue("oxr:nada"), "");
}

TEST(TUtilXML, ChildValueTakesTheFirstNonEmptyTextChildByChild) {
  ScratchDir dir;
  const fs::path file = Write(dir, "a.xml",
                              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                              "<r><oxr:identificador>"
                              "<a><oxr:transacao></oxr:transacao></a>"
                              "<b><c><oxr:transacao> envio_<i>voske</i>_cadastral </oxr:transacao></c></b>"
                              "<oxr:transacao>DEPOIS</oxr:transacao>"
                              "</oxr:identificador>"
                              "<oxr:identificador><oxr:transacao>SEGUNDO</oxr:transacao></oxr:identificador>"
                              "<x><oxr:identificador/></x>"
                              "<nome>Jo\xC3\xA3o</nome></r>");
  TUtilXML reader;
  reader.LoadFromFile(file.string());
  reader.SelectElements("oxr:identificador");
  EXPECT_EQ(reader.Count(), 3);
  // The caller trims and upper-cases; the reader hands the text as it is.
  EXPECT_EQ(reader.ChildValue("oxr:transacao"), " envio_voske_cadastral ");
  reader.SelectElements("r");
  EXPECT_EQ(reader.ChildValue("nome"), Ansi("João"));
  reader.SelectElements("oxr:naoExiste");
  EXPECT_EQ(reader.Count(), 0);
  EXPECT_FALSE(reader.FirstNode());
  EXPECT_EQ(reader.ChildValue("nome"), "");

  pugi::xml_document doc;
  doc.load_string("<a><b/><c><d/></c><d>x</d></a>");
  EXPECT_EQ(TUtilXML::FindDescendant(doc.first_child(), "a"), doc.first_child());
  EXPECT_EQ(TUtilXML::FindDescendant(doc.first_child(), "d"), doc.first_child().child("c").child("d"));
  EXPECT_FALSE(TUtilXML::FindDescendant(doc.first_child(), "e"));
  EXPECT_FALSE(TUtilXML::FindDescendant(doc.first_child(), ""));
}

TEST(TUtilXML, AnythingThatIsNotAReadableDocumentGivesNothing) {
  ScratchDir dir;
  std::vector<fs::path> files = {
      Write(dir, "texto.xml", "isto nao e XML\n<oxr:identificador><oxr:transacao>ENVIO_VOSKE_CADASTRAL"),
      Write(dir, "vazio.xml", ""),
      Write(dir, "binario.xml", std::string("\0\xFF\xFE\x01<", 5)),
      Write(dir, "cortado.xml", "<r><oxr:identificador><oxr:transacao>ENVIO_VOSKE_CADASTRAL</oxr:transacao>"),
      dir / "nao-existe.xml",
      dir.path(),
  };
  ASSERT_EQ(::mkfifo((dir / "fila.xml").c_str(), 0600), 0);
  files.push_back(dir / "fila.xml");  // opening a pipe for reading would wait forever

  const fs::path big = dir / "grande.xml";
  { std::ofstream(big) << "<r><oxr:identificador><oxr:transacao>ENVIO_VOSKE_CADASTRAL</oxr:transacao>"; }
  fs::resize_file(big, TUtilXML::kMaxFileSize + 1);
  files.push_back(big);

  for (const fs::path& f : files) {
    EXPECT_EQ(TransactionOf(f), "") << f;
  }

  // A failed load also forgets what an earlier one found.
  const fs::path good = Write(dir, "bom.xml", "<r><oxr:identificador><oxr:transacao>X</oxr:transacao></oxr:identificador></r>");
  TUtilXML reader;
  reader.LoadFromFile(good.string());
  reader.SelectElements("oxr:identificador");
  ASSERT_EQ(reader.Count(), 1);
  reader.LoadFromFile(files.front().string());
  EXPECT_EQ(reader.Count(), 0);
  reader.SelectElements("oxr:identificador");
  EXPECT_EQ(reader.ChildValue("oxr:transacao"), "");
}

TEST(TUtilXML, DeclaredEntitiesAndExternalReferencesAreNeverExpanded) {
  ScratchDir dir;
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE r [\n<!ENTITY l0 \"ha\">\n";
  for (int i = 1; i < 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">\n";
  }
  laughs += "<!ENTITY ext SYSTEM \"file:///etc/passwd\">\n]>\n"
            "<r><oxr:identificador><oxr:transacao>&l9;&ext;ENVIO</oxr:transacao></oxr:identificador></r>";
  const Text code = TransactionOf(Write(dir, "entidades.xml", laughs));
  EXPECT_LT(code.size(), 100u);
  EXPECT_EQ(code.find("root:"), Text::npos);
  EXPECT_NE(code.find("ENVIO"), Text::npos);
}

TEST(TUtilXML, DeepNestingDoesNotExhaustTheStack) {
  ScratchDir dir;
  const int depth = 200000;
  std::string deep = "<r><oxr:identificador>";
  deep.reserve(depth * 7 + 200);
  for (int i = 0; i < depth; ++i) deep += "<a>";
  deep += "<oxr:transacao>FUNDO</oxr:transacao>";
  for (int i = 0; i < depth; ++i) deep += "</a>";
  deep += "</oxr:identificador></r>";
  EXPECT_EQ(TransactionOf(Write(dir, "fundo.xml", deep)), "FUNDO");
}

}  // namespace
}  // namespace voske
