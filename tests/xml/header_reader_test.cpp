#include "xml/header_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>


#include "support/paths.h"
#include "text/cp1252.h"
#include "xml/xml_generator.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using voske::support::ScratchDir;
using Outcome = HeaderValue::Outcome;

fs::path Put(const ScratchDir& dir, const std::string& name, const std::string& bytes) {
  const fs::path p = dir / name;
  std::ofstream(p, std::ios::binary) << bytes;
  return p;
}

Text Streamed(const fs::path& file) {
  const HeaderValue v = ReadHeaderValue(file.string(), "oxr:identificador", "oxr:transacao");
  EXPECT_EQ(v.outcome, Outcome::Read) << file;
  return v.value;
}

// The value is the first non-empty text of a child, searched child by child
// of the first element of that name in document order, whatever the shape
// of a well-formed document.
TEST(ReadHeaderValue, FindsTheFirstNonEmptyChildValueInEveryWellFormedDocument) {
  ScratchDir dir;
  const struct {
    const char* what;
    std::string content;
    Text expected;
  } cases[] = {
      {"generated", "", "ENVIO_VOSKE_FINANCEIRO"},  // filled below from the generator
      {"first non-empty, child by child",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r><oxr:identificador>"
       "<a><oxr:transacao></oxr:transacao><oxr:transacao>MESMO FILHO</oxr:transacao></a>"
       "<b><c><oxr:transacao> envio_<i>voske</i>_cadastral </oxr:transacao></c></b>"
       "<oxr:transacao>DEPOIS</oxr:transacao></oxr:identificador>"
       "<oxr:identificador><oxr:transacao>SEGUNDO</oxr:transacao></oxr:identificador></r>",
       " envio_voske_cadastral "},
      {"blanks between tags do not count",
       "<r><oxr:identificador><oxr:transacao>  \r\n\t </oxr:transacao>"
       "<oxr:transacao> <x>A</x> \n</oxr:transacao></oxr:identificador></r>",
       "A"},
      {"a blank CDATA section counts",
       "<r><oxr:identificador><oxr:transacao><![CDATA[ ]]></oxr:transacao>"
       "<oxr:transacao>B</oxr:transacao></oxr:identificador></r>",
       " "},
      {"CDATA and escapes",
       "<r><oxr:identificador><oxr:transacao>E&amp;<![CDATA[<C>]]>&#233;</oxr:transacao></oxr:identificador></r>",
       Ansi("E&<C>é")},
      {"the element itself as the child", "<oxr:identificador><oxr:transacao>RAIZ</oxr:transacao></oxr:identificador>",
       "RAIZ"},
      {"nested children",
       "<r><oxr:identificador><oxr:transacao>X<oxr:transacao>Y</oxr:transacao>Z</oxr:transacao>"
       "</oxr:identificador></r>",
       "XYZ"},
      {"no child", "<r><oxr:identificador><a/></oxr:identificador><oxr:transacao>FORA</oxr:transacao></r>", ""},
      {"no element", "<r><oxr:transacao>SOLTO</oxr:transacao></r>", ""},
      {"empty element first",
       "<r><x><oxr:identificador/></x><oxr:identificador><oxr:transacao>T</oxr:transacao></oxr:identificador></r>",
       ""},
      {"ISO-8859-1",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r><oxr:identificador><oxr:transacao>"
       "Sa\xFA" "de</oxr:transacao></oxr:identificador></r>\r\n",
       Ansi("Saúde")},
      {"UTF-16 with a byte order mark", "", "U16"},  // filled below
      {"comments and instructions",
       "<!-- c --><r><?pi x?><oxr:identificador><!--<oxr:transacao>N</oxr:transacao>-->"
       "<oxr:transacao>S<!-- x -->IM</oxr:transacao></oxr:identificador></r>",
       "SIM"},
  };
  int n = 0;
  for (const auto& [what, content, expected] : cases) {
    fs::path file;
    if (std::string(what) == "generated") {
      file = dir / "gerado.xml";
      TXMLGenerator gen("oxr:voskeFinanc", "<oxr:voskeFinanc xmlns:oxr=\"urn:x\">", "", file.string());
      gen.AddElement("oxr:identificador");
      gen.AddTextElement("oxr:razaoSocial", Ansi("Saúde & Cia <10€>"));
      gen.AddTextElement("oxr:transacao", "ENVIO_VOSKE_FINANCEIRO");
      gen.SaveToFile(file.string());
    } else if (std::string(what).rfind("UTF-16", 0) == 0) {
      std::string utf16 = "\xFF\xFE";
      for (char c : std::string("<r><oxr:identificador><oxr:transacao>U16</oxr:transacao></oxr:identificador></r>")) {
        utf16 += c;
        utf16 += '\0';
      }
      file = Put(dir, "utf16.xml", utf16);
    } else {
      file = Put(dir, "caso" + std::to_string(n++) + ".xml", content);
    }
    EXPECT_EQ(Streamed(file), expected) << what;
  }
}

// Files that are no document of the system give an empty value, and none of
// them can make the reading hold much or take long.
TEST(ReadHeaderValue, AnythingThatIsNotADocumentGivesNoValue) {
  ScratchDir dir;
  std::vector<std::pair<const char*, fs::path>> files = {
      {"text", Put(dir, "texto.xml", "isto nao e XML\n<oxr:identificador><oxr:transacao>ENVIO</oxr:transacao>")},
      {"empty", Put(dir, "vazio.xml", "")},
      {"binary", Put(dir, "binario.xml", std::string("\0\xFF\xFE\x01<", 5))},
      {"cut inside the value",
       Put(dir, "cortado.xml", "<r><oxr:identificador><oxr:transacao>ENVIO_VOSKE_CADASTRAL")},
      {"cut before the element ends", Put(dir, "aberto.xml", "<r><oxr:identificador><oxr:transacao></oxr:transacao>")},
      {"broken before the value",
       Put(dir, "quebrado.xml", "<r><oxr:identificador><x></y><oxr:transacao>X</oxr:transacao>")},
  };
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE r [\n<!ENTITY l0 \"ha\">\n";
  for (int i = 1; i < 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">\n";
  }
  laughs += "]>\n<r><oxr:identificador><oxr:transacao>&l9;ENVIO</oxr:transacao></oxr:identificador></r>";
  files.push_back({"declared entities", Put(dir, "entidades.xml", laughs)});
  files.push_back({"external entity", Put(dir, "externa.xml",
                                            "<!DOCTYPE r [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
                                            "<r><oxr:identificador><oxr:transacao>&e;</oxr:transacao>"
                                            "</oxr:identificador></r>")});

  std::string deep = "<r>";
  for (int i = 0; i < 1000000; ++i) deep += "<a>";
  deep += "<oxr:identificador><oxr:transacao>FUNDO</oxr:transacao></oxr:identificador>";
  files.push_back({"nested without end", Put(dir, "fundo.xml", deep)});

  // A header that does not start near the top is not looked for further.
  const fs::path late = dir / "tarde.xml";
  {
    std::ofstream out(late, std::ios::binary);
    out << "<r>";
    const std::string filler(1 << 20, ' ');
    for (std::uintmax_t i = 0; i <= kMaxHeaderOffset / filler.size(); ++i) out << "<p>" << filler << "</p>";
    out << "<oxr:identificador><oxr:transacao>TARDE</oxr:transacao></oxr:identificador></r>";
  }
  files.push_back({"header too far", late});

  for (const auto& [what, file] : files) EXPECT_EQ(Streamed(file), "") << what;
}

TEST(ReadHeaderValue, AValueBeyondItsCapIsCutThere) {
  ScratchDir dir;
  const std::string huge(kMaxValueSize * 4, 'Z');
  const fs::path file =
      Put(dir, "longo.xml", "<r><oxr:identificador><oxr:transacao>" + huge + "</oxr:transacao></oxr:identificador></r>");
  const Text value = Streamed(file);
  EXPECT_EQ(value.size(), kMaxValueSize);
  EXPECT_EQ(value, huge.substr(0, kMaxValueSize));
}

}  // namespace
}  // namespace voske
