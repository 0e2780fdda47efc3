// The .xls reader on workbooks a spreadsheet program wrote (made by
// fixtures/make_xls_fixtures.py, which holds the same values as these tests).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/paths.h"
#include "text/cp1252.h"
#include "workbook/xls/biff_decrypt.h"
#include "workbook/xls/biff_stream.h"
#include "workbook/xls/cfb.h"
#include "workbook/readers.h"
#include "workbook/xls/xls_reader.h"

namespace voske {
namespace {

std::string Fixture(const std::string& name) {
  return (support::SourceDir() / "tests/workbook/fixtures" / name).string();
}

std::vector<unsigned char> FixtureBytes(const std::string& name) {
  std::ifstream in(Fixture(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

ReaderError::Kind FailureOf(const std::string& name) {
  try {
    OpenXlsWorkbook(Fixture(name));
  } catch (const ReaderError& e) {
    return e.kind();
  }
  ADD_FAILURE() << name << " read without error";
  return ReaderError::Kind::FileNotFound;
}

Text Repeat(const std::string& utf8, int times) {
  Text out;
  for (int i = 0; i < times; ++i) out += Ansi(utf8);
  return out;
}

TEST(XlsFixtures, CellKindsAsTheSpreadsheetStoresThem) {
  auto book = OpenXlsWorkbook(Fixture("xls_cells.xls"));
  const std::vector<Text> names = {"Valores", "Textos", Ansi("Provisão"), "Oculta", "Vazia"};
  ASSERT_EQ(book->SheetNames(), names);

  WorksheetArray v = book->ReadSheet(std::size_t{0});
  EXPECT_EQ(v.At(1, 1), Cell::MakeText("Inteiro"));
  EXPECT_EQ(v.At(1, 2), Cell::MakeNumber(1));
  EXPECT_EQ(v.At(2, 2), Cell::MakeNumber(1234.56));
  EXPECT_EQ(v.At(3, 2), Cell::MakeNumber(123456789012345678.0));
  EXPECT_EQ(v.At(4, 2), Cell::MakeNumber(-0.1));
  EXPECT_EQ(v.At(5, 1), Cell::MakeText(Ansi("Fração")));
  EXPECT_EQ(v.At(5, 2), Cell::MakeNumber(1.0 / 3.0));
  // Ω has no place in Windows-1252.
  EXPECT_EQ(v.At(6, 2), Cell::MakeText(Ansi("Provisão técnica – € ?")));
  EXPECT_EQ(v.At(7, 2), Cell::MakeBoolean(true));
  EXPECT_EQ(v.At(8, 2), Cell::MakeBoolean(false));
  // Dates and times are day serials.
  EXPECT_EQ(v.At(9, 2), Cell::MakeNumber(40969));
  EXPECT_EQ(v.At(10, 2), Cell::MakeNumber(40969.75));
  EXPECT_EQ(v.TextAt(10, 2), "40969,75");
  EXPECT_EQ(v.At(11, 2), Cell::MakeText(Ansi("Dependências")));
  EXPECT_EQ(v.At(12, 2), Cell::MakeBoolean(true));
  EXPECT_EQ(v.At(13, 2), Cell::MakeError("#DIV/0!"));
  EXPECT_EQ(v.At(14, 2), Cell::MakeText(""));
  EXPECT_EQ(v.At(15, 2), Cell::MakeError("#N/A"));
  EXPECT_EQ(v.At(16, 2), Cell::MakeError("#VALUE!"));
  EXPECT_EQ(v.At(17, 2), Cell::MakeError("#REF!"));
  EXPECT_EQ(v.At(18, 2), Cell::MakeError("#NAME?"));
  EXPECT_EQ(v.At(19, 2), Cell::MakeError("#NUM!"));
  EXPECT_EQ(v.At(20, 2), Cell::MakeNumber(-40000));
  EXPECT_EQ(v.At(21, 2), Cell::MakeNumber(0.07));
  for (int k = 0; k < 4; ++k) EXPECT_EQ(v.At(24, 3 + k), Cell::MakeNumber(k + 1));
  EXPECT_EQ(v.At(24, 7), Cell::MakeNumber(2.5));
  // The formatted cell at H40 and the embedded chart's data hold no value.
  EXPECT_EQ(v.Rows(), 26);
  EXPECT_EQ(v.Columns(), 7);

  WorksheetArray p = book->ReadSheet(std::size_t{2});  // protected with a password
  EXPECT_EQ(p.At(1, 1), Cell::MakeText("Protegida"));
  EXPECT_EQ(p.At(10, 3), Cell::MakeNumber(42));
  EXPECT_EQ(p.Rows(), 12);
  EXPECT_EQ(p.Columns(), 3);

  EXPECT_EQ(book->ReadSheet(std::size_t{3}).At(1, 1), Cell::MakeText(Ansi("invisível")));  // hidden
  WorksheetArray empty = book->ReadSheet(std::size_t{4});
  EXPECT_EQ(empty.Rows(), 3);
  EXPECT_EQ(empty.Columns(), 1);
}

TEST(XlsFixtures, SharedStringsAcrossManyRecords) {
  // Fifteen hundred texts, one and two bytes a character, and two texts
  // longer than a record: the table spans many CONTINUE records.
  auto book = OpenXlsWorkbook(Fixture("xls_cells.xls"));
  WorksheetArray t = book->ReadSheet(std::size_t{1});
  ASSERT_EQ(t.Rows(), 1504);
  for (int i = 1; i <= 1500; ++i) {
    std::string s;
    if (i % 3 == 0) {
      s = "Conta nº " + std::to_string(i) + " – provisão";
    } else if (i % 3 == 1) {
      s = "Dependências " + std::to_string(i);
    } else {
      for (int k = 0; k < i % 7 + 1; ++k) s += "linha " + std::to_string(i) + " ";
    }
    ASSERT_EQ(t.At(i, 1), Cell::MakeText(Ansi(s))) << i;
    ASSERT_EQ(t.At(i, 2), Cell::MakeNumber(i)) << i;
  }
  EXPECT_EQ(t.At(1501, 1).text, Repeat("ação ", 2500));
  EXPECT_EQ(t.At(1502, 1).text, Repeat("€uro ", 2000));
}

TEST(XlsFixtures, DatesStayInTheWorkbooksOwnDateSystem) {
  // 1 March 2012 in a workbook counting from 1904.
  WorksheetArray d = OpenXlsWorkbook(Fixture("xls_date1904.xls"))->ReadSheet(std::size_t{0});
  EXPECT_EQ(d.At(1, 1), Cell::MakeNumber(39507));
  EXPECT_EQ(d.At(2, 1), Cell::MakeNumber(39507));
}

TEST(XlsFixtures, EncryptedWithTheDefaultPasswordReadsAsThoughPlain) {
  // The spreadsheet program opens such a file without asking for anything.
  auto book = OpenXlsWorkbook(Fixture("xls_default_password.xls"));
  ASSERT_EQ(book->SheetNames(), std::vector<Text>{"Senha"});
  WorksheetArray a = book->ReadSheet(std::size_t{0});
  EXPECT_EQ(a.At(1, 1), Cell::MakeText("segredo"));
  EXPECT_EQ(a.Rows(), 3);
}

TEST(XlsFixtures, DecryptsWithTheRightPasswordOnly) {
  // The same scheme under a password the user chose: wrong passwords leave
  // the stream untouched; the right one gives back the records.
  auto stream = *cfb::CompoundFile(FixtureBytes("xls_password.xls")).ReadStream(u"Workbook");
  std::size_t at = 0, length = 0;
  biff::RecordCursor cursor(stream, 0);
  biff::Record r;
  while (cursor.Next(r))
    if (r.type == biff::kFilePass) {
      at = static_cast<std::size_t>(r.data.data() - stream.data());
      length = r.data.size();
      break;
    }
  ASSERT_GT(at, 0u);
  const auto original = stream;
  EXPECT_FALSE(biff::DecryptWorkbookStream(stream, at, length));
  EXPECT_FALSE(biff::DecryptWorkbookStream(stream, at, length, "Segredo"));
  EXPECT_EQ(stream, original);
  ASSERT_TRUE(biff::DecryptWorkbookStream(stream, at, length, "segredo"));
  stream[at - 4] = 0xFF;  // FILEPASS done with: a record type nobody reads
  stream[at - 3] = 0xFF;
  auto book = OpenBiffWorkbook(stream);
  EXPECT_EQ(book->SheetNames(), std::vector<Text>{"Senha"});
  EXPECT_EQ(book->ReadSheet(std::size_t{0}).At(1, 1), Cell::MakeText("segredo"));
}

TEST(XlsFixtures, PasswordToOpen) {
  EXPECT_EQ(FailureOf("xls_password.xls"), ReaderError::Kind::Encrypted);
  // An encrypted .xlsx is a compound file too.
  EXPECT_EQ(FailureOf("xlsx_password.xlsx"), ReaderError::Kind::Encrypted);
  EXPECT_EQ(FailureOf("no_such_file.xls"), ReaderError::Kind::FileNotFound);
}

TEST(XlsFixtures, TheFileIsLeftAsItWas) {
  const auto before = FixtureBytes("xls_cells.xls");
  const auto stamp = std::filesystem::last_write_time(Fixture("xls_cells.xls"));
  OpenXlsWorkbook(Fixture("xls_cells.xls"))->ReadSheet(std::size_t{0});
  EXPECT_EQ(FixtureBytes("xls_cells.xls"), before);
  EXPECT_EQ(std::filesystem::last_write_time(Fixture("xls_cells.xls")), stamp);
}

// Every cut and every damaged byte either reads or fails with ReaderError.
void ReadAll(std::vector<unsigned char> bytes) {
  try {
    auto book = OpenXlsWorkbookBytes(std::move(bytes));
    for (std::size_t i = 0; i < book->SheetNames().size(); ++i) book->ReadSheet(i);
  } catch (const ReaderError&) {
  }
}

TEST(XlsFixtures, TruncatedAndDamagedCopiesNeverCrash) {
  const auto good = FixtureBytes("xls_cells.xls");
  ASSERT_GT(good.size(), 100000u);
  for (std::size_t cut : {std::size_t{0}, std::size_t{8}, std::size_t{511}, std::size_t{512}, std::size_t{4096},
                          good.size() / 3, good.size() / 2, good.size() - 512, good.size() - 1}) {
    ReadAll(std::vector<unsigned char>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)));
  }
  // Damage spread over the header, the tables and the workbook stream.
  std::uint32_t seed = 12345;
  for (int round = 0; round < 300; ++round) {
    auto bad = good;
    for (int k = 0; k < 1 + round % 4; ++k) {
      seed = seed * 1664525u + 1013904223u;
      const std::size_t at = round < 100 ? seed % 4096 : seed % bad.size();
      bad[at] = static_cast<unsigned char>(seed >> 24);
    }
    ReadAll(std::move(bad));
  }
}

}  // namespace
}  // namespace voske
