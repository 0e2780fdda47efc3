// The generator writing its document to disk while it is built: a large
// document written in pieces ends whole, every byte is escaped for element
// content, and no file at all is left when a builder fails or misplaces an
// element.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/paths.h"
#include "support/scratch_document.h"
#include "text/cp1252.h"
#include "xml/atomic_file_checks.h"
#include "xml/ledger_writes.h"
#include "xml/xml_generator.h"

namespace voske {
namespace streamed_generation_test {
namespace {

namespace fs = std::filesystem;
using voske::support::ScratchDir;

using ledger_writes::Entries;
using ledger_writes::kRootTag;
using ledger_writes::WriteLedger;

TEST(StreamedGeneration, ALargeDocumentWrittenInPiecesEndsWhole) {
  // Enough rows for several pieces of the file to be written out on the way.
  constexpr int kRows = 40000;
  ScratchDir dir;
  const fs::path file = dir / "doc.xml";
  TXMLGenerator streamed("oxr:voskeFinanc", kRootTag, "", file.string());
  WriteLedger(streamed, kRows);
  streamed.SaveToFile(file.string());

  const std::string bytes = support::FileContents(file);
  ASSERT_GT(bytes.size(), 3u << 20);
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"doc.xml"});
  const std::string row = "<oxr:lancamento><oxr:conta>1012345</oxr:conta><oxr:descricao>Conta 12345</oxr:descricao>"
                          "<oxr:saldoFinal>12345.45</oxr:saldoFinal></oxr:lancamento>";
  EXPECT_NE(bytes.find(row), std::string::npos);
  EXPECT_NE(bytes.find("<oxr:descricao>Conta 7 a&#13;b</oxr:descricao>"), std::string::npos);
  EXPECT_EQ(bytes.find("perdido"), std::string::npos);
  const std::string end =
      "<oxr:lancFluxoCaixa><oxr:valor>0.0</oxr:valor><oxr:vazio></oxr:vazio></oxr:lancFluxoCaixa>"
      "</oxr:fluxoCaixa></oxr:voskeFinanc>\r\n";
  EXPECT_EQ(bytes.substr(bytes.size() - end.size()), end);
}

// Every byte a value can hold comes out as element content must have it:
// the markup characters as entities, the carriage return and the bytes that
// ISO-8859-1 gives to control codes as character references, the control
// characters XML cannot hold dropped, everything else as it is.
TEST(StreamedGeneration, EveryByteIsEscapedForElementContent) {
  Text all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  // Inside, so that trimming leaves them.
  support::ScratchDocument doc("oxr:r", "");
  doc->AddTextElement("oxr:sem", "[" + all + "]");

  std::string expected = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n<oxr:r><oxr:sem>[";
  for (int b = 1; b < 256; ++b) {
    if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') continue;
    if (b == '&') expected += "&amp;";
    else if (b == '<') expected += "&lt;";
    else if (b == '>') expected += "&gt;";
    else if (b == '\r' || (b >= 0x80 && b <= 0x9F))
      expected += "&#" + std::to_string(static_cast<unsigned long>(ToCodePoint(static_cast<unsigned char>(b)))) + ";";
    else expected += static_cast<char>(b);
  }
  expected += "]</oxr:sem></oxr:r>\r\n";
  EXPECT_EQ(doc.Saved(), expected);
}

TEST(StreamedGeneration, AddingUnderAClosedElementIsAnInternalErrorNeverAReordering) {
  support::ScratchDocument doc("oxr:voskeFinanc", kRootTag);
  TXMLGenerator& gen = *doc;
  const TXMLElement first = gen.AddElement("oxr:balancete");
  gen.AddTextElement("oxr:conta", "1");
  gen.ReturnTo("oxr:voskeFinanc");
  gen.AddElement("oxr:fluxoCaixa");

  // By parent path: the section named is already ended.
  EXPECT_THROW(gen.AddElement("oxr:lancamento", false, "oxr:balancete"), EElementoFechado);
  EXPECT_THROW(gen.AddTextElement("oxr:conta", "2", "oxr:balancete"), EElementoFechado);
  // Through a cursor kept from before.
  gen.SetCurrent(first);
  EXPECT_THROW(gen.AddDecimalElement("oxr:valor", "1"), EElementoFechado);
  EXPECT_THROW(gen.ReturnTo("oxr:voskeFinanc"), EElementoFechado);

  try {
    gen.AddTextElement("oxr:conta", "3");
    FAIL() << "written into a closed element";
  } catch (const EElementoFechado& e) {
    EXPECT_EQ(e.Message(), Ansi("Erro interno na geração do XML: o elemento \"oxr:balancete\" já foi encerrado e "
                                "não pode receber \"oxr:conta\"."));
  }
  // The hash and the file hold only what was placed.
  EXPECT_EQ(gen.ContentHash(), TXMLGenerator::HashText("1"));
  EXPECT_EQ(doc.Saved(), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n" + kRootTag +
                             "<oxr:balancete><oxr:conta>1</oxr:conta></oxr:balancete><oxr:fluxoCaixa></oxr:fluxoCaixa>"
                             "</oxr:voskeFinanc>\r\n");
}

TEST(StreamedGeneration, AFailureMidwayLeavesNoFileAndNoTemporaryFile) {
  ScratchDir dir;
  const fs::path file = dir / "doc.xml";
  {
    TXMLGenerator gen("oxr:voskeFinanc", kRootTag, "", file.string());
    WriteLedger(gen, 60000);  // several megabytes already handed to the disk
    // Nothing under the document's name while it is written; at most the
    // temporary, where the system cannot keep it nameless.
    for (const std::string& name : Entries(dir.path())) EXPECT_TRUE(atomic_file_checks::IsTemporaryName(name)) << name;
    EXPECT_THROW(gen.AddDecimalElement("oxr:valor", "abc"), EGenerica);
  }
  EXPECT_TRUE(Entries(dir.path()).empty());

  // Nor when saving it fails, and a document once saved takes no more.
  {
    TXMLGenerator gen("oxr:voskeFinanc", kRootTag, "", file.string());
    WriteLedger(gen, 10);
    EXPECT_THROW(gen.SaveToFile((dir / "outro.xml").string()), EGenerica);
    fs::create_directory(file);
    EXPECT_THROW(gen.SaveToFile(file.string()), EGravaArquivo);
    EXPECT_THROW(gen.AddElement("oxr:mais"), EElementoFechado);
  }
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"doc.xml"});
  EXPECT_TRUE(fs::is_empty(file));

  // A folder that does not exist fails at once, naming the file.
  try {
    TXMLGenerator gen("oxr:voskeFinanc", kRootTag, "", (dir / "nao" / "doc.xml").string());
    FAIL() << "created in a missing folder";
  } catch (const EGravaArquivo& e) {
    EXPECT_NE(e.Message().find(Ansi("A pasta de destino não existe.")), Text::npos);
  }
}

}  // namespace
}  // namespace streamed_generation_test
}  // namespace voske
