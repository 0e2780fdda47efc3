// The .xls reader on workbook streams built record by record, so that each
// test pins exactly the bytes it is about.
#include <gtest/gtest.h>

#include <bit>
#include <functional>

#include "text/cp1252.h"
#include "workbook/xls/xls_reader.h"
#include "workbook/xls/xls_test_files.h"

namespace voske {
namespace {

using namespace voske::testing;

std::uint32_t RkInt(std::int32_t v, bool cents = false) {
  return (static_cast<std::uint32_t>(v) << 2) | 2u | (cents ? 1u : 0u);
}
std::uint32_t RkDouble(double v, bool cents = false) {
  return static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(v) >> 32) | (cents ? 1u : 0u);
}

ByteVec Cat(std::initializer_list<ByteVec> parts) {
  ByteVec out;
  for (const ByteVec& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

std::unique_ptr<WorkbookFile> Open8(const std::vector<ByteVec>& globals, const std::vector<SheetSpec>& sheets) {
  return OpenBiffWorkbook(WorkbookStream(false, globals, sheets));
}

// One worksheet of the given records, read.
WorksheetArray Sheet8(std::vector<ByteVec> records, std::vector<ByteVec> globals = {}) {
  return Open8(globals, {{"Plan1", 0, 0, std::move(records)}})->ReadSheet(std::size_t{0});
}

// A DATEMODE record of 1 says the day serials count from 1904-01-01; the
// serials themselves are kept as stored.
TEST(XlsRecords, TheDateModeRecordNamesTheDateSystem) {
  const auto with = [](std::uint16_t mode) {
    ByteVec d;
    Put16(d, mode);
    return Open8({Rec(0x0022, d)}, {{"Plan1", 0, 0, {Number(0, 0, 39629)}}});
  };
  EXPECT_EQ(with(1)->Dates(), DateSystem::From1904);
  const WorksheetArray a = with(1)->ReadSheet(Text("plan1"));
  EXPECT_EQ(a.Dates(), DateSystem::From1904);
  EXPECT_EQ(a.At(1, 1), Cell::MakeNumber(39629));
  EXPECT_EQ(with(0)->Dates(), DateSystem::From1900);
  EXPECT_EQ(with(0)->ReadSheet(Text("Plan1")).Dates(), DateSystem::From1900);
  EXPECT_EQ(Open8({}, {{"Plan1", 0, 0, {}}})->Dates(), DateSystem::From1900);
}

ReaderError::Kind FailureOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const ReaderError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "read without error";
  return ReaderError::Kind::FileNotFound;
}

// A shared-string table of two texts, for the cell tests.
std::vector<ByteVec> TwoTexts() {
  ByteVec p;
  Put32(p, 2);
  Put32(p, 2);
  ByteVec a = Unicode16(u"Dependências"), b = Unicode16(u"Provisão – €");
  p.insert(p.end(), a.begin(), a.end());
  p.insert(p.end(), b.begin(), b.end());
  return SstRecords(p, {});
}

TEST(XlsRecords, EachCellRecordGivesItsValue) {
  ByteVec rich = CellHead(8, 1);
  ByteVec richText = Unicode16(u"rico");
  rich.insert(rich.end(), richText.begin(), richText.end());
  Put16(rich, 1);  // one formatting run
  Put32(rich, 0);
  const std::vector<ByteVec> records = {
      Number(0, 0, 1234.5),
      Rk(1, 0, RkInt(123)),
      Rk(2, 0, RkInt(12345, true)),
      Rk(3, 0, RkDouble(1.5)),
      Rk(4, 0, RkDouble(7.0, true)),
      Rk(5, 0, RkInt(-40000)),
      MulRk(6, 1, {RkInt(1), RkDouble(2.5), RkInt(300, true)}),
      LabelSst(7, 0, 1),
      Label8(8, 0, u"Provisão €"),
      Rec(0x00D6, rich),
      BoolErr(9, 0, 1, false),
      BoolErr(9, 1, 0, false),
      BoolErr(10, 0, 0x00, true),
      BoolErr(10, 1, 0x07, true),
      BoolErr(10, 2, 0x0F, true),
      BoolErr(10, 3, 0x17, true),
      BoolErr(10, 4, 0x1D, true),
      BoolErr(10, 5, 0x24, true),
      BoolErr(10, 6, 0x2A, true),
      FormulaNumber(11, 0, 2.5),
      FormulaTagged(12, 0, 0),
      Rec(0x04BC, ByteVec(8, 0)),  // a shared formula between the cell and its text
      String8(u"Dependências"),
      FormulaTagged(13, 0, 1, 1),
      FormulaTagged(13, 1, 1, 0),
      FormulaTagged(14, 0, 2, 0x07),
      FormulaTagged(15, 0, 3),
  };
  WorksheetArray a = Sheet8(records, TwoTexts());
  EXPECT_EQ(a.At(1, 1), Cell::MakeNumber(1234.5));
  EXPECT_EQ(a.At(2, 1), Cell::MakeNumber(123));
  EXPECT_EQ(a.At(3, 1), Cell::MakeNumber(123.45));
  EXPECT_EQ(a.At(4, 1), Cell::MakeNumber(1.5));
  EXPECT_EQ(a.At(5, 1), Cell::MakeNumber(0.07));
  EXPECT_EQ(a.At(6, 1), Cell::MakeNumber(-40000));
  EXPECT_TRUE(a.At(7, 1).IsEmpty());
  EXPECT_EQ(a.At(7, 2), Cell::MakeNumber(1));
  EXPECT_EQ(a.At(7, 3), Cell::MakeNumber(2.5));
  EXPECT_EQ(a.At(7, 4), Cell::MakeNumber(3));
  EXPECT_EQ(a.At(8, 1), Cell::MakeText(Ansi("Provisão – €")));
  EXPECT_EQ(a.At(9, 1), Cell::MakeText(Ansi("Provisão €")));
  EXPECT_EQ(a.At(9, 2), Cell::MakeText("rico"));
  EXPECT_EQ(a.At(10, 1), Cell::MakeBoolean(true));
  EXPECT_EQ(a.At(10, 2), Cell::MakeBoolean(false));
  const char* errors[] = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(a.At(11, i + 1), Cell::MakeError(errors[i])) << errors[i];
  EXPECT_EQ(a.At(12, 1), Cell::MakeNumber(2.5));
  EXPECT_EQ(a.At(13, 1), Cell::MakeText(Ansi("Dependências")));
  EXPECT_EQ(a.At(14, 1), Cell::MakeBoolean(true));
  EXPECT_EQ(a.At(14, 2), Cell::MakeBoolean(false));
  EXPECT_EQ(a.At(15, 1), Cell::MakeError("#DIV/0!"));
  EXPECT_EQ(a.At(16, 1), Cell::MakeText(""));
  // Last row with a value is 16: two more rows; last column is G.
  EXPECT_EQ(a.Rows(), 18);
  EXPECT_EQ(a.Columns(), 7);
}

TEST(XlsRecords, UsedRangeCountsValuesOnly) {
  // Blank and formatted cells, and the cells of a chart embedded in the
  // worksheet, hold no value.
  ByteVec mulBlank = CellHead(40, 2);
  Put16(mulBlank, 15);
  Put16(mulBlank, 9);
  WorksheetArray a = Sheet8({
      Rec(0x0200, ByteVec(14, 0xFF)),  // dimensions claiming a huge sheet
      Number(2, 1, 7),
      Blank(30, 9),
      Rec(0x00BE, mulBlank),
      Bof(false, 0x0020),
      Number(60, 60, 1),
      Eof(),
      Number(0, 0, 1),
  });
  EXPECT_EQ(a.Rows(), 5);
  EXPECT_EQ(a.Columns(), 2);
  EXPECT_EQ(a.At(3, 2), Cell::MakeNumber(7));

  WorksheetArray empty = Sheet8({Blank(9, 9)});
  EXPECT_EQ(empty.Rows(), 3);
  EXPECT_EQ(empty.Columns(), 1);
  EXPECT_TRUE(empty.At(1, 1).IsEmpty());

  // An empty text still holds a value, as it does in the spreadsheet.
  WorksheetArray emptyText = Sheet8({Label8(4, 2, u"")});
  EXPECT_EQ(emptyText.Rows(), 7);
  EXPECT_EQ(emptyText.Columns(), 3);
  EXPECT_EQ(emptyText.At(5, 3), Cell::MakeText(""));

  // The format's last row fits.
  WorksheetArray last = Sheet8({Number(65535, 0, 9)});
  EXPECT_EQ(last.Rows(), 65538);
  EXPECT_EQ(last.At(65536, 1), Cell::MakeNumber(9));
}

TEST(XlsRecords, SharedStringsAcrossContinueRecords) {
  // Segments of the SST record and its CONTINUE records, written by hand:
  // - "Dependências", compressed, split inside its characters; the
  //   continuation goes on two bytes a character after its flag byte;
  // - "Ação", two bytes a character, with formatting runs and phonetic data
  //   that cross a boundary (no flag byte there);
  // - "€uro 2" split from two bytes to one byte a character;
  // - "fim" starting right at a boundary, then the empty text.
  ByteVec s0;
  Put32(s0, 9);
  Put32(s0, 5);
  Put16(s0, 12);
  s0.push_back(0);
  PutBytes(s0, "Depen");
  ByteVec c1{1};
  for (char16_t ch : std::u16string(u"dências")) Put16(c1, ch);
  Put16(c1, 4);
  c1.push_back(0x0D);  // two bytes a character, runs, phonetic data
  Put16(c1, 2);
  Put32(c1, 10);
  for (char16_t ch : std::u16string(u"Ação")) Put16(c1, ch);
  c1.insert(c1.end(), {1, 0, 2, 0, 3});
  ByteVec c2{0, 4, 0};  // the rest of the runs
  c2.insert(c2.end(), 10, 0xEE);  // phonetic data
  Put16(c2, 6);
  c2.push_back(1);
  Put16(c2, u'€');
  Put16(c2, u'u');
  ByteVec c3{0};
  PutBytes(c3, "ro 2");
  ByteVec c4;
  Put16(c4, 3);
  c4.push_back(0);
  PutBytes(c4, "fim");
  Put16(c4, 0);
  c4.push_back(0);
  std::vector<ByteVec> sst = {Rec(0x00FC, s0), Rec(0x003C, c1), Rec(0x003C, c2), Rec(0x003C, c3), Rec(0x003C, c4)};
  std::vector<ByteVec> cells;
  for (std::uint32_t i = 0; i < 5; ++i) cells.push_back(LabelSst(i, 0, i));

  const std::vector<Text> expected = {Ansi("Dependências"), Ansi("Ação"), Ansi("€uro 2"), "fim", ""};
  for (std::uint32_t declared : {5u, 2u, 0u, 0xFFFFFFFFu}) {
    // The declared count of distinct texts cannot be trusted either way.
    std::vector<ByteVec> table = sst;
    Set32(table[0], 8, declared);
    WorksheetArray a = Sheet8(cells, table);
    for (std::size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(a.At(static_cast<std::int32_t>(i) + 1, 1), Cell::MakeText(expected[i])) << declared << " " << i;
  }
}

TEST(XlsRecords, FormulaTextLongerThanOneRecord) {
  // A STRING record continued: the continuation starts with its flag byte.
  const std::string first(8000, 'a');
  ByteVec head;
  Put16(head, 9000);
  head.push_back(0);
  PutBytes(head, first);
  ByteVec cont{1};
  for (int i = 0; i < 1000; ++i) Put16(cont, u'ç');
  WorksheetArray a = Sheet8({FormulaTagged(0, 0, 0), Rec(0x0207, head), Rec(0x003C, cont)});
  EXPECT_EQ(a.At(1, 1).text, first + Text(1000, '\xE7'));
}

TEST(XlsRecords, ListsWorksheetsOnlyInWorkbookOrder) {
  auto book = Open8({}, {
                            {"Plan1", 0, 0, {Number(0, 0, 1)}},
                            {"Gráfico", 2, 0, {}},
                            {"Macro", 1, 0, {}},
                            {"Dependências", 0, 1, {Number(0, 0, 2)}},  // hidden
                            {"Módulo", 6, 0, {}},
                            {"Лист1 – €", 0, 2, {Number(0, 0, 3)}},     // very hidden
                        });
  const std::vector<Text> names = {"Plan1", Ansi("Dependências"), Ansi("????1 – €")};
  EXPECT_EQ(book->SheetNames(), names);
  EXPECT_EQ(book->ReadSheet(std::size_t{1}).At(1, 1), Cell::MakeNumber(2));
  EXPECT_EQ(book->ReadSheet(std::size_t{2}).At(1, 1), Cell::MakeNumber(3));
  EXPECT_EQ(FailureOf([&] { book->ReadSheet(std::size_t{3}); }), ReaderError::Kind::SheetNotFound);
}

TEST(XlsRecords, BeyondTheFormatsBoundsIsTooLarge) {
  EXPECT_EQ(FailureOf([] { Sheet8({Number(0, 256, 1)}); }), ReaderError::Kind::TooLarge);
  EXPECT_EQ(FailureOf([] { Sheet8({MulRk(0, 254, {RkInt(1), RkInt(2), RkInt(3)})}); }), ReaderError::Kind::TooLarge);
  // Within the format, but an array too large to build.
  EXPECT_EQ(FailureOf([] { Sheet8({Number(65535, 200, 1)}); }), ReaderError::Kind::TooLarge);
  WorksheetArray wide = Sheet8({Number(0, 255, 1)});
  EXPECT_EQ(wide.Columns(), 256);
}

TEST(XlsRecords, DamagedRecordsFailAsCorrupt) {
  using K = ReaderError::Kind;
  const std::vector<std::pair<const char*, std::vector<ByteVec>>> sheets = {
      {"short number", {Rec(0x0203, ByteVec(10, 0))}},
      {"short rk", {Rec(0x027E, ByteVec(8, 0))}},
      {"short multiple rk", {Rec(0x00BD, ByteVec(3, 0))}},
      {"short text index", {Rec(0x00FD, ByteVec(7, 0))}},
      {"text index beyond the table", {LabelSst(0, 0, 2)}},
      {"short boolean", {Rec(0x0205, ByteVec(7, 0))}},
      {"short formula", {Rec(0x0006, ByteVec(13, 0))}},
      {"text longer than its record", {Rec(0x0204, Cat({CellHead(0, 0), ByteVec{50, 0, 0, 'a'}}))}},
      {"formula text cut short", {FormulaTagged(0, 0, 0), Rec(0x0207, ByteVec{9, 0, 1, 'a', 0})}},
  };
  for (const auto& [what, records] : sheets)
    EXPECT_EQ(FailureOf([&] { Sheet8(records, TwoTexts()); }), K::Corrupt) << what;

  ByteVec stream = WorkbookStream(false, {}, {{"Plan1", 0, 0, {Number(0, 0, 1)}}});
  ByteVec cut(stream.begin(), stream.end() - 6);  // ends inside a record
  EXPECT_EQ(FailureOf([&] { OpenBiffWorkbook(cut)->ReadSheet(std::size_t{0}); }), K::Corrupt);

  // A sheet whose offset lies outside the stream, or not on a BOF record.
  ByteVec away = stream;
  Set32(away, 20 + 4, 0x7FFFFFF0);
  EXPECT_EQ(FailureOf([&] { OpenBiffWorkbook(away)->ReadSheet(std::size_t{0}); }), K::Corrupt);
  ByteVec askew = stream;
  Set32(askew, 20 + 4, 2);
  EXPECT_EQ(FailureOf([&] { OpenBiffWorkbook(askew)->ReadSheet(std::size_t{0}); }), K::Corrupt);

  EXPECT_EQ(FailureOf([] { OpenBiffWorkbook({}); }), K::Corrupt);
  EXPECT_EQ(FailureOf([] { OpenBiffWorkbook(Number(0, 0, 1)); }), K::Corrupt);
  // Files of the formats before Excel 5 have no compound file and are not read.
  EXPECT_EQ(FailureOf([] { OpenBiffWorkbook(Rec(0x0409, ByteVec(6, 0))); }), K::Unsupported);
}

TEST(XlsRecords, PasswordToOpenIsEncrypted) {
  // RC4 whose verifier does not match the default password, RC4 through a
  // cryptographic provider, XOR obfuscation, unknown versions, records cut
  // short: all are a password to open, never a crash or garbage.
  ByteVec rc4{1, 0, 1, 0, 1, 0};
  rc4.resize(54, 0x5A);
  ByteVec provider{1, 0, 4, 0, 2, 0};
  Put32(provider, 0);
  Put32(provider, 32);
  ByteVec header(32, 0);
  Set32(header, 8, 0x6801);
  Set32(header, 16, 128);
  provider.insert(provider.end(), header.begin(), header.end());
  Put32(provider, 16);
  provider.insert(provider.end(), 32, 0x11);
  Put32(provider, 20);
  provider.insert(provider.end(), 20, 0x22);
  ByteVec bigHeader = provider;
  Set32(bigHeader, 10, 0xFFFFFFF0);
  const std::vector<ByteVec> records = {
      rc4,
      ByteVec(rc4.begin(), rc4.begin() + 30),
      provider,
      bigHeader,
      ByteVec(provider.begin(), provider.begin() + 60),
      ByteVec{0, 0, 0x34, 0x12, 0x78, 0x56},  // XOR obfuscation
      ByteVec{1, 0, 9, 0, 9, 0},
      ByteVec{1},
      ByteVec{},
  };
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(FailureOf([&] { Open8({Rec(0x002F, records[i])}, {{"Plan1", 0, 0, {Number(0, 0, 1)}}}); }),
              ReaderError::Kind::Encrypted)
        << i;
  }
  // Excel 5/95 files encrypt with XOR only.
  EXPECT_EQ(FailureOf([] {
              OpenBiffWorkbook(WorkbookStream(true, {Rec(0x002F, ByteVec{0x34, 0x12, 0x78, 0x56})}, {{"P", 0, 0, {}}}));
            }),
            ReaderError::Kind::Encrypted);
}

// Excel 5/95: texts are bytes in the workbook's code page.
std::vector<ByteVec> CodePageRecord(std::uint16_t id) {
  ByteVec d;
  Put16(d, id);
  return {Rec(0x0042, d)};
}

TEST(XlsRecords, Excel95TextsInTheWorkbooksCodePage) {
  const std::vector<ByteVec> cells = {
      Label5(0, 0, "Provis\xE3o"),
      Label5(1, 0, "rico \xE9", 0x00D6),
      FormulaTagged(2, 0, 0),
      Rec(0x0207, Bytes16("Depend\xEAncias")),
      Number(3, 0, 2.5),
      Rk(4, 0, RkInt(7)),
  };
  auto book = OpenBiffWorkbook(WorkbookStream(true, CodePageRecord(1252), {{"Provis\xE3o", 0, 0, cells}}));
  EXPECT_EQ(book->SheetNames(), std::vector<Text>{Ansi("Provisão")});
  WorksheetArray a = book->ReadSheet(std::size_t{0});
  EXPECT_EQ(a.At(1, 1), Cell::MakeText(Ansi("Provisão")));
  EXPECT_EQ(a.At(2, 1), Cell::MakeText(Ansi("rico é")));
  EXPECT_EQ(a.At(3, 1), Cell::MakeText(Ansi("Dependências")));
  EXPECT_EQ(a.At(4, 1), Cell::MakeNumber(2.5));
  EXPECT_EQ(a.At(5, 1), Cell::MakeNumber(7));

  // Central European: é is in Windows-1252, ă is not and takes its closest form.
  auto ce = OpenBiffWorkbook(WorkbookStream(true, CodePageRecord(1250), {{"x", 0, 0, {Label5(0, 0, "\xE9\xE3")}}}));
  EXPECT_EQ(ce->ReadSheet(std::size_t{0}).At(1, 1), Cell::MakeText(Ansi("éa")));
  // Mac Roman, in both of the numbers it goes by; the sheet name too.
  for (std::uint16_t mac : {std::uint16_t{10000}, std::uint16_t{32768}}) {
    auto m = OpenBiffWorkbook(WorkbookStream(true, CodePageRecord(mac), {{"Provis\x8Bo", 0, 0, {Label5(0, 0, "\x87")}}}));
    EXPECT_EQ(m->SheetNames()[0], Ansi("Provisão"));
    EXPECT_EQ(m->ReadSheet(std::size_t{0}).At(1, 1), Cell::MakeText(Ansi("á")));
  }
  // Without a code page record, or with one the system cannot convert,
  // the bytes are taken as Windows-1252.
  auto plain = OpenBiffWorkbook(WorkbookStream(true, {}, {{"x", 0, 0, {Label5(0, 0, "\xE7")}}}));
  EXPECT_EQ(plain->ReadSheet(std::size_t{0}).At(1, 1), Cell::MakeText(Ansi("ç")));
  auto odd = OpenBiffWorkbook(WorkbookStream(true, CodePageRecord(12345), {{"x", 0, 0, {Label5(0, 0, "\xE7")}}}));
  EXPECT_EQ(odd->ReadSheet(std::size_t{0}).At(1, 1), Cell::MakeText(Ansi("ç")));
}

TEST(XlsRecords, Excel95FromItsBookStream) {
  // A version field left at zero: the "Book" stream says 5/95.
  ByteVec stream = WorkbookStream(true, {}, {{"Plan", 0, 0, {Label5(0, 0, "ok")}}});
  stream[4] = stream[5] = 0;
  auto c = MakeCompoundFile({{u"Book", stream}});
  auto book = OpenXlsWorkbookBytes(c.bytes);
  EXPECT_EQ(book->ReadSheet(std::size_t{0}).At(1, 1), Cell::MakeText("ok"));
  // Both streams present: the 97-2003 one is the workbook.
  ByteVec modern = WorkbookStream(false, {}, {{"Nova", 0, 0, {}}});
  auto both = MakeCompoundFile({{u"Book", stream}, {u"Workbook", modern}});
  EXPECT_EQ(OpenXlsWorkbookBytes(both.bytes)->SheetNames(), std::vector<Text>{"Nova"});
}

}  // namespace
}  // namespace voske
