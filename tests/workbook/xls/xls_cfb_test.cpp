#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "support/paths.h"
#include "workbook/xls/cfb.h"
#include "workbook/readers.h"
#include "workbook/xls/xls_reader.h"
#include "workbook/xls/xls_test_files.h"

namespace voske {
namespace {

using support::ByteVec;
using support::CfbStream;
using support::MakeCompoundFile;
using support::SectorOffset;
using support::Set32;

ByteVec Pattern(std::size_t n, unsigned seed) {
  ByteVec v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<unsigned char>((i * 31 + seed) ^ (i >> 8));
  return v;
}

ReaderError::Kind KindOf(const ByteVec& bytes) {
  try {
    cfb::CompoundFile f(bytes);
    for (const auto& n : f.StreamNames()) f.ReadStream(n);
  } catch (const ReaderError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "no error";
  return ReaderError::Kind::FileNotFound;
}

TEST(CompoundFile, ReadsLargeAndSmallStreamsByNameWithoutRegardToCase) {
  const ByteVec big = Pattern(10000, 1), small = Pattern(100, 2), edge = Pattern(4096, 3);
  auto layout = MakeCompoundFile({{u"Workbook", big}, {u"\x05SummaryInformation", small}, {u"Edge", edge}, {u"Empty", {}}});
  cfb::CompoundFile f(layout.bytes);
  ASSERT_EQ(f.StreamNames().size(), 4u);
  EXPECT_EQ(f.StreamNames()[0], u"Workbook");
  EXPECT_EQ(f.ReadStream(u"WORKBOOK"), big);
  EXPECT_EQ(f.ReadStream(u"workBOOK"), big);
  EXPECT_EQ(f.ReadStream(u"\x05summaryinformation"), small);  // from the mini stream
  EXPECT_EQ(f.ReadStream(u"edge"), edge);                     // exactly at the cutoff: regular sectors
  EXPECT_EQ(f.ReadStream(u"Empty"), ByteVec{});
  EXPECT_FALSE(f.ReadStream(u"Book").has_value());
  EXPECT_FALSE(f.HasStream(u"Workbook2"));
  EXPECT_FALSE(cfb::IsEncryptedPackage(f));
}

TEST(CompoundFile, ToleratesAWrongMiniTableLength) {
  // Some writers leave the mini table's sector count at zero; its chain
  // still says where it is.
  const ByteVec small = Pattern(700, 4);
  auto layout = MakeCompoundFile({{u"Workbook", small}});
  Set32(layout.bytes, 0x40, 0);
  EXPECT_EQ(cfb::CompoundFile(layout.bytes).ReadStream(u"Workbook"), small);
}

TEST(CompoundFile, FollowsTheFatSectorListBeyondTheHeader) {
  // More than 109 FAT sectors: the rest of their list lives in DIFAT sectors.
  const ByteVec huge = Pattern(8 << 20, 7);
  auto layout = MakeCompoundFile({{u"Workbook", huge}});
  ASSERT_GT(layout.fatSectors.size(), 109u);
  cfb::CompoundFile f(layout.bytes);
  EXPECT_EQ(f.ReadStream(u"Workbook"), huge);
}

TEST(CompoundFile, DamagedStructuresFailAsCorruptNeverLoop) {
  const ByteVec big = Pattern(5000, 1), small = Pattern(300, 2);
  const auto base = MakeCompoundFile({{u"Workbook", big}, {u"Small", small}});
  auto fatEntry = [&](ByteVec& b, std::uint32_t sector, std::uint32_t value) {
    Set32(b, SectorOffset(base.fatSectors[sector / 128]) + 4 * (sector % 128), value);
  };
  const std::uint32_t wb = base.streamStart[0];
  std::size_t dirEntry1 = SectorOffset(base.directorySector) + 128;

  struct Case {
    const char* what;
    std::function<void(ByteVec&)> damage;
  };
  const std::vector<Case> cases = {
      {"chain loops back to its start", [&](ByteVec& b) { fatEntry(b, wb + 3, wb); }},
      {"chain loops onto itself", [&](ByteVec& b) { fatEntry(b, wb, wb); }},
      {"chain points past the table", [&](ByteVec& b) { fatEntry(b, wb + 1, 0x00FFFFFF); }},
      {"chain ends before the declared size", [&](ByteVec& b) { fatEntry(b, wb + 2, 0xFFFFFFFE); }},
      {"chain hits a free sector", [&](ByteVec& b) { fatEntry(b, wb + 2, 0xFFFFFFFF); }},
      {"stream larger than the file", [&](ByteVec& b) { Set32(b, dirEntry1 + 0x78, 0x7FFFFFFF); }},
      {"directory tree loops", [&](ByteVec& b) { Set32(b, dirEntry1 + 0x48, 1); }},
      {"directory child beyond the table", [&](ByteVec& b) { Set32(b, dirEntry1 + 0x44, 5000); }},
      {"directory chain loops", [&](ByteVec& b) { fatEntry(b, base.directorySector, base.directorySector); }},
      {"root entry missing", [&](ByteVec& b) { b[SectorOffset(base.directorySector) + 0x42] = 2; }},
      {"FAT sector beyond the file", [&](ByteVec& b) { Set32(b, 0x4C, 90000); }},
      {"FAT count beyond the file", [&](ByteVec& b) { Set32(b, 0x2C, 90000); }},
      {"DIFAT chain loops", [&](ByteVec& b) {
         // One FAT sector more than the header lists, in a DIFAT sector
         // that names itself as the next one.
         Set32(b, 0x2C, 2);
         Set32(b, 0x44, 0);
         std::fill_n(b.begin() + SectorOffset(0), 512, 0xFF);
         Set32(b, SectorOffset(0) + 508, 0);
       }},
      {"mini chain loops", [&](ByteVec& b) {
         // The mini FAT is the last data sector before the directory.
         Set32(b, SectorOffset(base.directorySector - 1) + 4 * base.streamStart[1], base.streamStart[1]);
       }},
      {"bad sector size", [&](ByteVec& b) { b[0x1E] = 30; }},
      {"cut inside the stream", [&](ByteVec& b) { b.resize(SectorOffset(wb + 2)); }},
      {"header only", [&](ByteVec& b) { b.resize(512); }},
      {"half a header", [&](ByteVec& b) { b.resize(100); }},
  };
  for (const Case& c : cases) {
    ByteVec b = base.bytes;
    c.damage(b);
    EXPECT_EQ(KindOf(b), ReaderError::Kind::Corrupt) << c.what;
  }
}

TEST(CompoundFile, AnythingElseIsNotAWorkbook) {
  EXPECT_EQ(KindOf(ByteVec{}), ReaderError::Kind::NotAWorkbook);
  EXPECT_EQ(KindOf(ByteVec{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0}), ReaderError::Kind::NotAWorkbook);
  // A compound file without a workbook stream (a text document, say).
  auto doc = MakeCompoundFile({{u"WordDocument", Pattern(5000, 3)}});
  try {
    OpenXlsWorkbookBytes(doc.bytes);
    ADD_FAILURE();
  } catch (const ReaderError& e) {
    EXPECT_EQ(e.kind(), ReaderError::Kind::NotAWorkbook);
  }
}

TEST(CompoundFile, TellsAnEncryptedOfficeOpenXmlPackage) {
  auto pkg = MakeCompoundFile({{u"EncryptionInfo", Pattern(200, 1)}, {u"EncryptedPackage", Pattern(9000, 2)}});
  EXPECT_TRUE(cfb::IsEncryptedPackage(cfb::CompoundFile(pkg.bytes)));
  try {
    OpenXlsWorkbookBytes(pkg.bytes);
    ADD_FAILURE();
  } catch (const ReaderError& e) {
    EXPECT_EQ(e.kind(), ReaderError::Kind::Encrypted);
  }
  // One of the two streams alone is not such a package.
  auto half = MakeCompoundFile({{u"EncryptionInfo", Pattern(200, 1)}});
  EXPECT_FALSE(cfb::IsEncryptedPackage(cfb::CompoundFile(half.bytes)));

  // The same, made by a spreadsheet program, through the file-level test.
  const auto fixtures = support::SourceDir() / "tests/workbook/fixtures";
  EXPECT_TRUE(cfb::IsEncryptedPackage((fixtures / "xlsx_password.xlsx").string()));
  EXPECT_FALSE(cfb::IsEncryptedPackage((fixtures / "xls_cells.xls").string()));
  EXPECT_FALSE(cfb::IsEncryptedPackage((fixtures / "no_such_file.xls").string()));
}

TEST(CompoundFile, MissingFileIsFileNotFound) {
  support::ScratchDir dir;
  try {
    cfb::ReadWholeFile((dir / "absent.xls").string());
    ADD_FAILURE();
  } catch (const ReaderError& e) {
    EXPECT_EQ(e.kind(), ReaderError::Kind::FileNotFound);
  }
  try {
    cfb::ReadWholeFile(dir.path().string());  // a folder
    ADD_FAILURE();
  } catch (const ReaderError& e) {
    EXPECT_EQ(e.kind(), ReaderError::Kind::FileNotFound);
  }
}

}  // namespace
}  // namespace voske
