// voske-cli gerar on workbooks filled the way people fill them: dates typed
// as text with blanks around them, malformed dates, control characters and
// letters from other alphabets pasted in, a workbook saved in the 1904 date
// system, table keys holding only blanks. Every document written must be one
// the regulator can read; every refusal leaves the folder empty.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/cli_runner.h"
#include "sample_workbook.h"
#include "support/document_checks.h"
#include "support/paths.h"
#include "workbook/workbook_file.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::Leaf;
using support::RunCli;
using support::SavedDocument;
using support::ScratchDir;

using Edit = std::function<void(sample::Workbook&)>;

class GerarWorkbookValuesTest : public ::testing::Test {
 protected:
  // Writes the sample operator, changed by `edit`, as a workbook file.
  std::string Workbook(const Edit& edit = {}, bool date1904 = false) {
    sample::Workbook wb = sample::MakeSampleWorkbook();
    if (edit) edit(wb);
    const std::string path = (dir / ("planilha" + std::to_string(++written) + ".xlsx")).string();
    sample::WriteXlsx(wb, path, true, date1904);
    return path;
  }

  CliResult Gerar(const std::string& document, const std::string& workbook, const fs::path& destination,
                  const std::string& password = "senha") {
    fs::create_directories(destination);
    return RunCli({{"gerar", "--documento", document, "--planilha", workbook, "--destino", destination.string(),
                    "--silencioso"},
                   password, "", {}});
  }

  // The document a successful run wrote, parsed strictly; null after a
  // recorded failure.
  std::unique_ptr<SavedDocument> Generated(const std::string& document, const std::string& workbook,
                                           const std::string& password = "senha") {
    const fs::path out = dir / ("saida" + std::to_string(++written));
    const CliResult r = Gerar(document, workbook, out, password);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "XML gerado com sucesso.\n");
    const std::vector<fs::path> files = support::FilesIn(out);
    if (r.status != 0 || files.size() != 1) {
      ADD_FAILURE() << "expected one document in " << out;
      return nullptr;
    }
    auto saved = support::LoadSavedDocument(files[0]);
    if (saved) {
      EXPECT_TRUE(support::HashMatchesContent(*saved));
    }
    return saved;
  }

  // A refused run: the value's message, exit 1, nothing on stdout or in the folder.
  void ExpectRefused(const std::string& document, const std::string& workbook, const std::string& message) {
    const fs::path out = dir / ("recusa" + std::to_string(++written));
    const CliResult r = Gerar(document, workbook, out);
    EXPECT_EQ(r.status, 1) << document;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("XML gerado com sucesso."), std::string::npos);
    EXPECT_TRUE(fs::is_empty(out)) << document << ": " << message;
  }

  ScratchDir dir;
  int written = 0;
};

std::vector<std::string> ValuesOf(const SavedDocument& saved, const std::string& name) {
  std::vector<std::string> values;
  for (const Leaf& leaf : support::LeafValues(saved.Root()))
    if (leaf.name == name) values.push_back(leaf.value);
  return values;
}

// The texts of the elements a path selects, as the file's bytes hold them:
// its first name anywhere in the document, each later one among the
// children ("oxr:administrador/oxr:nome").
std::vector<std::string> Selected(const SavedDocument& saved, const std::string& path) {
  const size_t slash = path.find('/');
  std::vector<support::XmlNode> nodes = saved.Root().Descendants(path.substr(0, slash));
  for (size_t start = slash; start != std::string::npos;) {
    const size_t next = path.find('/', start + 1);
    std::vector<support::XmlNode> children;
    for (const support::XmlNode& n : nodes)
      for (const support::XmlNode& c : n.children(path.substr(start + 1, next - start - 1))) children.push_back(c);
    nodes = std::move(children);
    start = next;
  }
  std::vector<std::string> values;
  for (const support::XmlNode& n : nodes) values.push_back(support::Latin1FromUtf8(n.child_value()));
  return values;
}

// Every date the two documents read, typed as text with blanks, tabs or line
// breaks around it, gives the document the date cells give.
const Edit kDateCellsAsPaddedText = [](sample::Workbook& wb) {
  wb["Dados Cadastrais"].Set("B3", " 01/07/2024 ");
  sample::Sheet& adm = wb["Administradores"];
  adm.Set(5, 5, "  01/04/2022");
  adm.Set(5, 6, " 46112");  // 2026-03-31 as a day serial typed as text
  adm.Set(7, 5, "15/08/2023\r\n");
  wb["Representantes"].Set("B13", "\t12/05/2015");
  sample::Sheet& in20 = wb["IN_20"];
  in20.Set(5, 3, " 30/09/2024");
  in20.Set(5, 4, "30/11/2009 ");
  in20.Set(63, 2, " 30/09/2024 ");
  wb["Intercâmbio Eventual Receber"].Set(6, 3, "\t15/10/2024");
  wb["Intercâmbio Eventual Pagar"].Set(5, 3, " 31/10/2024");
  sample::Sheet& assets = wb["Ativos Vinculados"];
  assets.Set(5, 5, " 18/06/2004");
  assets.Set(5, 6, "  05/03/2014 ");
  assets.Set(5, 7, "30/11/2023 ");
};

const Edit kSaleDateCell = [](sample::Workbook& wb) { wb["Ativos Vinculados"].SetDate(5, 6, 2014, 3, 5); };

TEST_F(GerarWorkbookValuesTest, DatesTypedWithBlanksAroundThemGiveTheSameDocuments) {
  const std::string cells = Workbook(kSaleDateCell);
  const std::string texts = Workbook([](sample::Workbook& wb) {
    kSaleDateCell(wb);
    kDateCellsAsPaddedText(wb);
  });
  for (const char* document : {"cadastral", "financeiro"}) {
    auto expected = Generated(document, cells);
    auto actual = Generated(document, texts);
    ASSERT_TRUE(expected && actual);
    EXPECT_EQ(support::LeafValues(actual->Root()), support::LeafValues(expected->Root())) << document;
  }
  auto registration = Generated("cadastral", texts);
  ASSERT_TRUE(registration);
  EXPECT_EQ(ValuesOf(*registration, "oxr:dataIniMandato"),
            (std::vector<std::string>{"2022-04-01", "2022-04-01", "2023-08-15"}));
  EXPECT_EQ(ValuesOf(*registration, "oxr:dataFimMandato"), (std::vector<std::string>{"2026-03-31", "2026-03-31"}));
  auto financial = Generated("financeiro", texts);
  ASSERT_TRUE(financial);
  EXPECT_EQ(ValuesOf(*financial, "oxr:dataVenda"), (std::vector<std::string>{"2014-03-05"}));
  EXPECT_EQ(ValuesOf(*financial, "oxr:periodo"), (std::vector<std::string>{"2024-07-01"}));
}

// What is not a whole date is refused with the date's message, quoting the
// cell as it holds the text, wherever the date is read.
TEST_F(GerarWorkbookValuesTest, MalformedDatesAreRefusedWhereverTheyAreRead) {
  struct Case {
    const char* document;
    const char* sheet;
    int row, column;
    const char* text;
  };
  const Case cases[] = {
      {"cadastral", "Administradores", 5, 5, "xx05/03/2014"},
      {"cadastral", "Administradores", 6, 6, "001/03/2012"},
      {"cadastral", "Dados Cadastrais", 3, 2, "10/05/03/2014"},
      {"financeiro", "Dados Cadastrais", 3, 2, " 01/07/ 2024"},
      {"financeiro", "IN_20", 5, 3, "xx05/03/2014"},
      {"financeiro", "IN_20", 63, 2, "001/03/2012"},
      {"financeiro", "Intercâmbio Eventual Receber", 6, 3, "10/05/03/2014"},
      {"financeiro", "Ativos Vinculados", 5, 5, "xx05/03/2014"},
      {"financeiro", "Ativos Vinculados", 5, 6, "  31/02/2014"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.document) + " " + c.sheet + " " + c.text);
    const std::string workbook = Workbook([&](sample::Workbook& wb) { wb[c.sheet].Set(c.row, c.column, c.text); });
    ExpectRefused(c.document, workbook, std::string("A data \"") + c.text + "\" não é uma data válida.");
  }
}

// A NUL and a 0x01 pasted into a cell: the documents leave them out of the
// value and of the content hash alike, and stay well-formed XML 1.0.
TEST_F(GerarWorkbookValuesTest, ControlCharactersInACellAreLeftOutOfValueAndHash) {
  // The package stores a NUL as the escape "_x0000_"; 0x01 goes as it is.
  const std::string workbook = Workbook([](sample::Workbook& wb) {
    wb["Administradores"].Set(5, 2, "Helena_x0000_ Duarte\x01 Xavier");
    wb["Ativos Vinculados"].Set(5, 3, "Cart\x01\x02rio_x0000_ Central");
  });
  // The cells hold both characters, as a workbook from another system would.
  auto book = OpenWorkbookFile(workbook);
  ASSERT_EQ(book->ReadSheet(Text("Administradores")).TextAt(5, 2), std::string("Helena\0 Duarte\x01 Xavier", 22));
  auto registration = Generated("cadastral", workbook);
  ASSERT_TRUE(registration);
  EXPECT_EQ(Selected(*registration, "oxr:administrador/oxr:nome")[0], "Helena Duarte Xavier");
  EXPECT_EQ(support::FileContents(support::FilesIn(dir / ("saida" + std::to_string(written)))[0]).find("&#"),
            std::string::npos);
  auto financial = Generated("financeiro", workbook);
  ASSERT_TRUE(financial);
  EXPECT_EQ(ValuesOf(*financial, "oxr:nomeCartorio")[0], "Cartrio Central");
}

// Control characters pasted into the registration number stay out of the
// file's name, as they stay out of the document; those quoted by a message
// are shown written out, never handed to the terminal.
TEST_F(GerarWorkbookValuesTest, ControlCharactersNeverReachFileNamesOrTheTerminal) {
  const struct {
    const char* b5;
    const char* name;
  } cases[] = {{"418\n23", "41823_CADASTRAL_"}, {"\x1b[2J1-2\x07", "[2J12_CADASTRAL_"}};
  for (const auto& c : cases) {
    const std::string workbook = Workbook([&](sample::Workbook& wb) { wb["Dados Cadastrais"].Set("B5", c.b5); });
    const fs::path out = dir / ("nome" + std::to_string(++written));
    const CliResult r = Gerar("cadastral", workbook, out);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<fs::path> files = support::FilesIn(out);
    ASSERT_EQ(files.size(), 1u) << c.b5;
    EXPECT_EQ(files[0].filename().string().rfind(c.name, 0), 0u) << files[0];
    EXPECT_EQ(r.out, files[0].string() + "\n");
  }
  const std::string workbook =
      Workbook([](sample::Workbook& wb) { wb["Dados Cadastrais"].Set("B3", "01/\x1b[2J07/2024\xc2\x9d"); });
  ExpectRefused("cadastral", workbook, "A data \"01/\\x1B[2J07/2024\\x9D\" não é uma data válida.");
}

// Names pasted from other alphabets: the closest Windows-1252 letters, and
// "?" only where none exists; the password typed likewise.
TEST_F(GerarWorkbookValuesTest, LettersOutsideWindows1252TakeTheirClosestForm) {
  const std::string workbook = Workbook([](sample::Workbook& wb) {
    sample::Sheet& adm = wb["Administradores"];
    adm.Set(5, 2, "Łukasz Źrebiec Erdős");
    adm.Set(6, 2, "Şükrü Ağaoğlu İnce");
    adm.Set(7, 2, "Ștefan Țăranu Nguyễn Đức");
    adm.Set(5, 3, "東京 山田 😀");
  });
  // Run under the plain C locale, where the C library alone transliterates nothing.
  const char* const names[] = {"LC_ALL", "LC_CTYPE", "LANG"};
  std::vector<std::optional<std::string>> saved;
  for (const char* name : names) {
    const char* value = std::getenv(name);
    saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    support::SetEnvironment(name, "C");
  }
  auto registration = Generated("cadastral", workbook, "Łódź");
  for (std::size_t i = 0; i < saved.size(); ++i) {
    if (saved[i]) support::SetEnvironment(names[i], saved[i]);
    else support::SetEnvironment(names[i], std::nullopt);
  }
  ASSERT_TRUE(registration);
  EXPECT_EQ(Selected(*registration, "oxr:administrador/oxr:nome"),
            (std::vector<std::string>{"Lukasz Zrebiec Erdos", "S\xFCkr\xFC Agaoglu Ince", "Stefan Taranu Nguyen Duc"}));
  EXPECT_EQ(Selected(*registration, "oxr:administrador/oxr:nomeMae")[0], "?? ?? ?");
  // The password's hash is over its Windows-1252 letters, upper-cased a-z.
  EXPECT_EQ(Selected(*registration, "oxr:hashPwd"), (std::vector<std::string>{support::Md5Hex("L\xF3" "DZ")}));
}

// A workbook saved in the 1904 date system shows the same dates, and so
// gives the same documents, as the sample saved in the 1900 system; the cell
// listing still shows what the workbook stores.
TEST_F(GerarWorkbookValuesTest, A1904SystemWorkbookGivesTheSameDocuments) {
  const std::string from1900 = Workbook(kSaleDateCell);
  const std::string from1904 = Workbook(kSaleDateCell, true);
  for (const char* document : {"cadastral", "financeiro"}) {
    auto expected = Generated(document, from1900);
    auto actual = Generated(document, from1904);
    ASSERT_TRUE(expected && actual);
    EXPECT_EQ(support::LeafValues(actual->Root()), support::LeafValues(expected->Root())) << document;
  }
  const CliResult cells = RunCli({{"celulas", "--planilha", from1904, "--aba", "Dados Cadastrais"}, {}, "", {}});
  ASSERT_EQ(cells.status, 0) << cells.err;
  EXPECT_NE(cells.out.find("44012"), std::string::npos);  // 2024-07-01, counted from 1904
  EXPECT_EQ(cells.out.find("45474"), std::string::npos);
}

// Key cells holding only blanks in the cooperative-accounts and tax-liability
// tables are absent keys: their rows are passed over.
TEST_F(GerarWorkbookValuesTest, BlankKeysInTheIn20TablesAreAbsentRows) {
  const std::string workbook = Workbook([](sample::Workbook& wb) {
    sample::Sheet& in20 = wb["IN_20"];
    in20.Set(6, 2, "   ");
    in20.Clear(6, 3);
    in20.Set(64, 1, "  ");
    in20.Clear(64, 2);
  });
  auto financial = Generated("financeiro", workbook);
  ASSERT_TRUE(financial);
  EXPECT_EQ(ValuesOf(*financial, "oxr:nomeImposto").size(), 4u);
  EXPECT_EQ(ValuesOf(*financial, "oxr:dtCompetencia").size(), 2u);
}

}  // namespace
}  // namespace voske
