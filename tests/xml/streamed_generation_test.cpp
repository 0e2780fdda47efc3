// The generator writing its document to disk while it is built: the same
// bytes as the document kept in memory, the same escaping the DOM serialiser
// gave, and no file at all when a builder fails or misplaces an element.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "support/files.h"
#include "support/paths.h"
#include "text/cp1252.h"
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


TEST(StreamedGeneration, WritesTheBytesOfTheDocumentKeptInMemory) {
  // Enough rows for several pieces of the file to be written out on the way.
  constexpr int kRows = 40000;
  TXMLGenerator memory("oxr:voskeFinanc", kRootTag, "");
  WriteLedger(memory, kRows);

  ScratchDir dir;
  const fs::path file = dir / "doc.xml";
  TXMLGenerator streamed("oxr:voskeFinanc", kRootTag, "", file.string());
  WriteLedger(streamed, kRows);
  EXPECT_EQ(streamed.ContentHash(), memory.ContentHash());
  streamed.SaveToFile(file.string());

  const std::string bytes = support::FileContents(file);
  ASSERT_GT(bytes.size(), 3u << 20);
  EXPECT_TRUE(bytes == memory.FileContent());  // not printed: megabytes
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"doc.xml"});
  EXPECT_NE(bytes.find("<oxr:descricao>Conta 7 a&#13;b</oxr:descricao>"), std::string::npos);
  EXPECT_EQ(bytes.find("perdido"), std::string::npos);
  const std::string end =
      "<oxr:lancFluxoCaixa><oxr:valor>0.0</oxr:valor><oxr:vazio></oxr:vazio></oxr:lancFluxoCaixa>"
      "</oxr:fluxoCaixa></oxr:voskeFinanc>\r\n";
  EXPECT_EQ(bytes.substr(bytes.size() - end.size()), end);
}

// The document used to be a DOM serialised with escaping for element
// content, then given references for what ISO-8859-1 lacks. Every byte a
// value can hold must come out as it did then.
TEST(StreamedGeneration, EveryByteIsEscapedAsTheDomSerialiserDidIt) {
  Text all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  // Inside, so that trimming leaves them.
  const Text value = "[" + all + "]";

  TXMLGenerator gen("oxr:r", "", "");
  gen.AddTextElement("oxr:sem", value);
  const std::string written = gen.FileContent();

  // Control characters XML cannot hold are dropped before a value is written.
  pugi::xml_document doc;
  doc.append_child("oxr:r").append_child("oxr:sem").text().set(WithoutControlCharacters(value).c_str());
  struct Collect : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
  } serialised;
  doc.save(serialised, "", pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags,
           pugi::encoding_utf8);
  std::string expected = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n";
  for (const char c : serialised.out) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0x0D || (byte >= 0x80 && byte <= 0x9F))
      expected += "&#" + std::to_string(static_cast<unsigned long>(ToCodePoint(byte))) + ";";
    else
      expected += c;
  }
  expected += "\r\n";
  EXPECT_EQ(written, expected);
}

TEST(StreamedGeneration, AddingUnderAClosedElementIsAnInternalErrorNeverAReordering) {
  TXMLGenerator gen("oxr:voskeFinanc", kRootTag, "");
  const TXMLElement first = gen.AddElement("oxr:balancete");
  gen.AddTextElement("oxr:conta", "1");
  gen.ReturnTo("oxr:voskeFinanc");
  gen.AddElement("oxr:fluxoCaixa");
  const std::string before = gen.FileContent();

  // By parent path: the section named is already ended.
  EXPECT_THROW(gen.AddElement("oxr:lancamento", false, "oxr:balancete"), EElementoFechado);
  EXPECT_THROW(gen.AddTextElement("oxr:conta", "2", "oxr:balancete"), EElementoFechado);
  // Through a cursor kept from before.
  gen.SetCurrent(first);
  EXPECT_THROW(gen.AddDecimalElement("oxr:valor", "1"), EElementoFechado);
  EXPECT_THROW(gen.ReturnTo("oxr:voskeFinanc"), EElementoFechado);
  EXPECT_EQ(gen.FileContent(), before);

  try {
    gen.AddTextElement("oxr:conta", "3");
    FAIL() << "written into a closed element";
  } catch (const EElementoFechado& e) {
    EXPECT_EQ(e.Message(), Ansi("Erro interno na geração do XML: o elemento \"oxr:balancete\" já foi encerrado e "
                                "não pode receber \"oxr:conta\"."));
  }
  // The hash covers only what was placed.
  EXPECT_EQ(gen.ContentHash(), TXMLGenerator::HashText("1"));
}

TEST(StreamedGeneration, AFailureMidwayLeavesNoFileAndNoTemporaryFile) {
  ScratchDir dir;
  const fs::path file = dir / "doc.xml";
  {
    TXMLGenerator gen("oxr:voskeFinanc", kRootTag, "", file.string());
    WriteLedger(gen, 60000);  // several megabytes already handed to the disk
    // Nothing under any name while the document is written.
    EXPECT_TRUE(Entries(dir.path()).empty());
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
