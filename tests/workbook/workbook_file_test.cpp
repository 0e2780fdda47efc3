// Opening a workbook file: the format comes from the content, and worksheets
// are found by name as the spreadsheet finds them.
#include <gtest/gtest.h>

#include <fstream>

#include "workbook/package_writer.h"
#include "support/paths.h"
#include "text/cp1252.h"
#include "workbook/workbook_file.h"

namespace voske {
namespace {

using Kind = ReaderError::Kind;
using support::ScratchDir;

std::optional<Kind> OpenFailure(const std::string& path) {
  try {
    OpenWorkbookFile(path);
  } catch (const ReaderError& e) {
    return e.kind();
  }
  return std::nullopt;
}

void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

TEST(OpenWorkbookFile, DetectsTheFormatFromTheContentNotTheName) {
  ScratchDir dir;
  const auto parts = support::Package({{"Plan1", support::SheetXml("<row r=\"1\"><c r=\"A1\"><v>5</v></c></row>")}});
  support::WriteZip((dir / "renamed.xls").string(), parts);
  support::WriteZip((dir / "no-extension").string(), parts);
  EXPECT_EQ(OpenWorkbookFile((dir / "renamed.xls").string())->ReadSheet("Plan1").TextAt(1, 1), "5");
  EXPECT_EQ(OpenWorkbookFile((dir / "no-extension").string())->SheetNames().size(), 1u);

  WriteBytes(dir / "text.xlsx", "Nome;Valor\nA;1\n");
  WriteBytes(dir / "empty.xlsx", "");
  WriteBytes(dir / "html.xls", "<html><table><tr><td>1</td></tr></table></html>");
  EXPECT_EQ(OpenFailure((dir / "text.xlsx").string()), Kind::NotAWorkbook);
  EXPECT_EQ(OpenFailure((dir / "empty.xlsx").string()), Kind::NotAWorkbook);
  EXPECT_EQ(OpenFailure((dir / "html.xls").string()), Kind::NotAWorkbook);
  EXPECT_EQ(OpenFailure((dir / "missing.xlsx").string()), Kind::FileNotFound);
  EXPECT_EQ(OpenFailure(dir.path().string()), Kind::FileNotFound);  // a folder is no workbook file
  WriteBytes(dir / "short.xlsx", "PK\x03\x04");
  EXPECT_EQ(OpenFailure((dir / "short.xlsx").string()), Kind::Corrupt);
}

class NamesOnly : public WorkbookFile {
 public:
  explicit NamesOnly(std::vector<Text> names) : names_(std::move(names)) {}
  const std::vector<Text>& SheetNames() const override { return names_; }
  WorksheetArray ReadSheet(std::size_t index) override {
    WorksheetArray a(3, 1);
    a.Mutable(1, 1) = Cell::MakeNumber(static_cast<double>(index));
    return a;
  }
  using WorkbookFile::ReadSheet;

 private:
  std::vector<Text> names_;
};

TEST(FindSheet, IgnoresCaseOfEveryLetterAccentedOnesIncluded) {
  NamesOnly book({"Dados Cadastrais", Ansi("Dependências"), Ansi("Provisão"), Ansi("Lucros ou Prejuízos"),
                  Ansi("Ÿšœž"), "IN_20"});
  EXPECT_EQ(book.FindSheet("dados cadastrais"), 0u);
  EXPECT_EQ(book.FindSheet(Ansi("dependências")), 1u);
  EXPECT_EQ(book.FindSheet(Ansi("DEPENDÊNCIAS")), 1u);
  EXPECT_EQ(book.FindSheet(Ansi("PROVISÃO")), 2u);
  EXPECT_EQ(book.FindSheet(Ansi("lucros ou prejuÍzos")), 3u);
  EXPECT_EQ(book.FindSheet(Ansi("ÿŠŒŽ")), 4u);
  EXPECT_EQ(book.FindSheet("in_20"), 5u);
  // Accents still matter: "Provisao" is another name, as are longer ones.
  EXPECT_FALSE(book.FindSheet("Provisao"));
  EXPECT_FALSE(book.FindSheet("Dados Cadastrais "));
  EXPECT_FALSE(book.FindSheet(""));
  // ÷ and × are not letters of a pair.
  NamesOnly signs({Ansi("a÷b")});
  EXPECT_FALSE(signs.FindSheet(Ansi("a×b")));

  EXPECT_EQ(book.ReadSheet(Ansi("PROVISÃO")).At(1, 1), Cell::MakeNumber(2));
  try {
    book.ReadSheet("Listas");
    FAIL() << "a missing worksheet must fail";
  } catch (const ReaderError& e) {
    EXPECT_EQ(e.kind(), Kind::SheetNotFound);
  }
}

}  // namespace
}  // namespace voske
