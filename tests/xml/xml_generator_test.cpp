#include "xml/xml_generator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/document_checks.h"
#include "support/files.h"
#include "support/paths.h"
#include "support/scratch_document.h"
#include "text/cp1252.h"
#include "xml/md5.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using voske::support::ScratchDir;

const Text kRootTag = "<oxr:doc xmlns:oxr=\"urn:x\">";

// A document of root oxr:doc, streamed into a file of its own.
struct Doc : support::ScratchDocument {
  Doc() : ScratchDocument("oxr:doc", kRootTag) {}
};

// What the generator wrote after the declaration, the leading line and the
// root start tag, without the final line end; the document is ended.
std::string Body(Doc& doc) {
  const std::string all = doc.Saved();
  const std::string head = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n" + kRootTag;
  EXPECT_EQ(all.substr(0, head.size()), head);
  EXPECT_EQ(all.substr(all.size() - 2), "\r\n");
  return all.substr(head.size(), all.size() - head.size() - 2);
}

Text DecimalWritten(const Text& value) {
  Doc doc;
  TXMLGenerator& gen = *doc;
  gen.AddDecimalElement("oxr:valor", value);
  const std::string body = Body(doc);
  const std::string open = "<oxr:valor>", close = "</oxr:valor></oxr:doc>";
  EXPECT_EQ(body.rfind(open, 0), 0u) << body;
  EXPECT_EQ(body.substr(body.size() - close.size()), close) << body;
  return body.substr(open.size(), body.size() - open.size() - close.size());
}

TEST(AddDecimalElement, WritesTheRegulatorsNumberForm) {
  EXPECT_EQ(DecimalWritten(""), "0.0");
  EXPECT_EQ(DecimalWritten("   "), "0.0");
  EXPECT_EQ(DecimalWritten("1234"), "1234.0");
  EXPECT_EQ(DecimalWritten("1234.5"), "1234.5");
  EXPECT_EQ(DecimalWritten("1234.567"), "1234.56");  // cut, not rounded
  EXPECT_EQ(DecimalWritten("1234.50"), "1234.5");
  EXPECT_EQ(DecimalWritten("12.0"), "12.");
  EXPECT_EQ(DecimalWritten("-0.5"), "-0.5");
  EXPECT_EQ(DecimalWritten(" 7.25 "), "7.25");
}

TEST(AddDecimalElement, ExponentFormsAreWrittenAsPlainDecimals) {
  // Cell texts of very small or very large numbers come in exponent form;
  // cutting "1.5E-5" after two decimals would give a different number.
  EXPECT_EQ(DecimalWritten("1.23E15"), "1230000000000000.0");
  EXPECT_EQ(DecimalWritten("1E-5"), "0.0");
  EXPECT_EQ(DecimalWritten("1.5E-2"), "0.01");
  EXPECT_EQ(DecimalWritten("-2.5E1"), "-25.0");
  EXPECT_EQ(DecimalWritten("1.2345E2"), "123.45");
  EXPECT_EQ(DecimalWritten("1E-99999"), "0.0");
}

TEST(AddDecimalElement, NonNumbersRaiseAndLeaveNothingBehind) {
  Doc doc;
  TXMLGenerator& gen = *doc;
  for (const char* bad : {"abc", "1.234,56", "1.2.3", "12a"}) {
    try {
      gen.AddDecimalElement("oxr:valor", bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const EGenerica& e) {
      EXPECT_EQ(e.Message(), Ansi("O valor \"") + bad + Ansi("\" não é um número válido, verifique na planilha."));
    }
  }
  EXPECT_EQ(Body(doc), "</oxr:doc>");
  EXPECT_EQ(gen.ContentHash(), TXMLGenerator::HashText(""));
}

TEST(AddTextElement, TrimsChecksAndFeedsTheContentHash) {
  Doc doc;
  TXMLGenerator& gen = *doc;
  gen.AddElement("oxr:identificador");
  gen.AddTextElement("oxr:registroOXR", "  123456\t");
  gen.AddTextElement("oxr:vazio", "");
  gen.AddTextElement("oxr:razaoSocial", " XYZW ");
  EXPECT_EQ(gen.ContentHash(), DigestToHex(Md5Of("123456XYZW")));
  EXPECT_EQ(gen.ContentHash(), "26e01e38c45484a6e4379bbe439e2bb6");
  EXPECT_EQ(gen.Current().name(), Text("oxr:identificador"));  // leaves keep the cursor

  // Blanks around a value never count towards the limit; a long value is refused whole.
  EXPECT_NO_THROW(gen.AddTextElement("oxr:registroOXR", "   654321   "));
  EXPECT_THROW(gen.AddTextElement("oxr:registroOXR", "1234567"), EMaxLengthError);
  EXPECT_EQ(gen.ContentHash(), TXMLGenerator::HashText("123456XYZW654321"));
  EXPECT_EQ(Body(doc),
            "<oxr:identificador><oxr:registroOXR>123456</oxr:registroOXR><oxr:vazio></oxr:vazio>"
            "<oxr:razaoSocial>XYZW</oxr:razaoSocial><oxr:registroOXR>654321</oxr:registroOXR>"
            "</oxr:identificador></oxr:doc>");
}

// A control character XML 1.0 cannot hold is dropped before the value is
// written and before it is hashed: what the file says is what the hash covers.
TEST(AddTextElement, ControlCharactersAreDroppedFromTheFileAndTheHashAlike) {
  Doc doc;
  TXMLGenerator& gen = *doc;
  gen.AddTextElement("oxr:nome", std::string("ab\0cd\x01" "ef", 8));
  gen.AddTextElement("oxr:obs", "x\x1f\ty\x0b");
  gen.AddDecimalElement("oxr:valor", std::string("12\x02.5\0", 6));
  EXPECT_EQ(gen.ContentHash(), TXMLGenerator::HashText("abcdefx\ty12.5"));
  EXPECT_EQ(Body(doc), "<oxr:nome>abcdef</oxr:nome><oxr:obs>x\ty</oxr:obs><oxr:valor>12.5</oxr:valor></oxr:doc>");
  EXPECT_TRUE(support::StrictlyWellFormed(support::FileContents(doc.Path())));
  // Only controls: nothing is left, as for a blank value.
  Doc blank;
  blank->AddTextElement("oxr:nome", std::string("\0\x01", 2));
  EXPECT_EQ(blank->ContentHash(), TXMLGenerator::HashText(""));
}

TEST(HashText, IsLowercaseHexOfTheBytes) {
  EXPECT_EQ(TXMLGenerator::HashText(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(TXMLGenerator::HashText(Ansi("SENHAÇ")), DigestToHex(Md5Of("SENHA\xC7")));
}

TEST(Cursor, ReturnToClimbsToTheNamedAncestorOrRefuses) {
  Doc doc;
  TXMLGenerator& gen = *doc;
  gen.AddElement("oxr:a");
  gen.AddElement("oxr:b");
  gen.AddElement("oxr:c");
  gen.ReturnTo("oxr:c");
  EXPECT_EQ(gen.Current().name(), Text("oxr:c"));
  gen.ReturnTo("oxr:a");
  EXPECT_EQ(gen.Current().name(), Text("oxr:a"));
  gen.AddElement("oxr:b");  // a second b, not an ancestor of the first
  EXPECT_THROW(gen.ReturnTo("oxr:c"), EGenerica);
  EXPECT_THROW(gen.ReturnTo(""), EGenerica);
  EXPECT_THROW(gen.ReturnTo("oxr:A"), EGenerica);  // case matters
  EXPECT_EQ(gen.Current().name(), Text("oxr:b"));
  gen.ReturnTo("oxr:doc");
  EXPECT_EQ(gen.Current(), gen.Root());
}

TEST(Cursor, ParentPathPlacesUnderTheRootsChildWhateverIsCurrent) {
  Doc doc;
  TXMLGenerator& gen = *doc;
  const TXMLElement section = gen.AddElement("oxr:fluxoCaixa");
  gen.AddElement("oxr:lancFluxoCaixa", false, "oxr:fluxoCaixa");
  gen.AddTextElement("oxr:conta", "A");
  gen.AddElement("oxr:lancFluxoCaixa", false, "oxr:fluxoCaixa");  // no ReturnTo needed
  gen.AddTextElement("oxr:conta", "B");
  // Only children of the root are found.
  EXPECT_FALSE(gen.FindNode("oxr:lancFluxoCaixa"));
  EXPECT_EQ(gen.FindNode("oxr:fluxoCaixa"), section);
  EXPECT_EQ(gen.FindNode("oxr:fluxoCaixa").name(), "oxr:fluxoCaixa");
  EXPECT_EQ(Body(doc),
            "<oxr:fluxoCaixa><oxr:lancFluxoCaixa><oxr:conta>A</oxr:conta></oxr:lancFluxoCaixa>"
            "<oxr:lancFluxoCaixa><oxr:conta>B</oxr:conta></oxr:lancFluxoCaixa></oxr:fluxoCaixa></oxr:doc>");
}

TEST(Cursor, ElementsWhoseParentIsMissingNeverReachTheFile) {
  Doc doc;
  TXMLGenerator& gen = *doc;
  gen.AddElement("oxr:existe");
  gen.AddElement("oxr:orfao", false, "oxr:naoExiste");
  gen.AddTextElement("oxr:valor", "perdido");
  gen.AddElement("oxr:filho");
  gen.AddTextElement("oxr:valor", "idem");
  gen.ReturnTo("oxr:orfao");
  EXPECT_THROW(gen.ReturnTo("oxr:doc"), EGenerica);  // the orphan has no way back
  gen.SetCurrent(gen.FindNode("oxr:existe"));
  gen.AddTextElement("oxr:valor", "visto");
  EXPECT_EQ(Body(doc), "<oxr:existe><oxr:valor>visto</oxr:valor></oxr:existe></oxr:doc>");
  // Values are hashed as written, placed or not.
  EXPECT_EQ(gen.ContentHash(), TXMLGenerator::HashText("perdidoidemvisto"));
}

TEST(SaveToFile, WritesTheFixedLinesThenTheElementsInLatin1) {
  ScratchDir dir;
  const fs::path file = dir / "saida.xml";
  TXMLGenerator gen("oxr:voskeFinanc", "<oxr:voskeFinanc xmlns:oxr=\"urn:x\">", "", file.string());
  gen.AddElement("oxr:identificador");
  gen.AddTextElement("oxr:razaoSocial", Ansi("Saúde & Vida <Ltda> Ação"));
  gen.AddTextElement("oxr:nome", Ansi("Custo 10€ “x”"));
  gen.AddTextElement("oxr:obs", "linha1\r\nlinha2");
  gen.ReturnTo("oxr:voskeFinanc");
  gen.AddElement("oxr:vazio");
  gen.SaveToFile(file.string());

  const std::string expected =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
      "\r\n"
      "<oxr:voskeFinanc xmlns:oxr=\"urn:x\">"
      "<oxr:identificador>"
      "<oxr:razaoSocial>Sa\xFA" "de &amp; Vida &lt;Ltda&gt; A\xE7\xE3o</oxr:razaoSocial>"
      // Characters 1252 keeps where Latin-1 has control codes go as references.
      "<oxr:nome>Custo 10&#8364; &#8220;x&#8221;</oxr:nome>"
      "<oxr:obs>linha1&#13;\nlinha2</oxr:obs>"
      "</oxr:identificador><oxr:vazio></oxr:vazio></oxr:voskeFinanc>\r\n";
  EXPECT_EQ(support::FileContents(file), expected);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(SaveToFile, AnEmptyRootStillGetsItsEndTagAndABlankStartTagGivesThePlainOne) {
  support::ScratchDocument bare("oxr:voskeCadastral", "<oxr:voskeCadastral a=\"1\">", "linha");
  EXPECT_EQ(bare.Saved(),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\nlinha\r\n"
            "<oxr:voskeCadastral a=\"1\"></oxr:voskeCadastral>\r\n");
  support::ScratchDocument noTag("oxr:r", "  ");
  noTag->AddTextElement("oxr:x", "1");
  EXPECT_EQ(noTag.Saved(), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n<oxr:r><oxr:x>1</oxr:x></oxr:r>\r\n");
}

TEST(SaveToFile, NeverReplacesAnExistingFile) {
  ScratchDir dir;
  const fs::path file = dir / "doc.xml";
  { std::ofstream(file) << "anterior"; }
  {
    TXMLGenerator gen("oxr:doc", kRootTag, "", file.string());
    EXPECT_THROW(gen.SaveToFile(file.string()), EGravaArquivo);
  }
  TXMLGenerator gen("oxr:doc", kRootTag, "", file.string());
  const fs::path other = dir / "doc-2.xml";
  EXPECT_EQ(gen.SaveToFile(file.string(), [&](const std::string&) { return other.string(); }), other.string());
  EXPECT_EQ(support::FileContents(file), "anterior");
  EXPECT_EQ(support::FileContents(other),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n" + kRootTag + "</oxr:doc>\r\n");
}

}  // namespace
}  // namespace voske
