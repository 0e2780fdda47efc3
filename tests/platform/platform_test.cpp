// The platform layer's promises that every system must keep alike: files
// read byte for byte under names with accents, errno values for what is not
// a readable file, paths as UTF-8, code pages decoded.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "platform/code_pages.h"
#include "platform/file_reading.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/utf8_path.h"
#include "support/paths.h"

namespace voske::platform {
namespace {

namespace fs = std::filesystem;

TEST(ReadOnlyFile, ReadsEveryByteOfAFileWithAnAccentedName) {
  support::ScratchDir dir;
  const std::string folder = JoinPath(Utf8Of(dir.path()), "Pasta São");
  ASSERT_TRUE(CreateFolder(folder));
  const std::string path = JoinPath(folder, "Planilha Padrão.bin");
  // What a text-mode read would change or stop at: CR LF, Ctrl-Z, NUL.
  const std::string bytes("PK\r\n\x1A\0\xFF\r", 8);
  std::ofstream(PathOf(path), std::ios::binary) << bytes;

  {
    const ReadOnlyFile file(path);
    ASSERT_TRUE(file.IsOpen()) << file.Error();
    EXPECT_EQ(file.Size(), bytes.size());
    std::string read(16, '?');
    EXPECT_EQ(file.ReadFullyAt(0, read.data(), read.size()), 8);
    EXPECT_EQ(read.substr(0, 8), bytes);
    EXPECT_EQ(file.ReadAt(4, read.data(), 2), 2);
    EXPECT_EQ(read.substr(0, 2), std::string("\x1A\0", 2));
    EXPECT_EQ(file.ReadAt(8, read.data(), 4), 0);
  }  // closed: Windows removes a file only once nobody has it open

  EXPECT_EQ(KindOf(path), PathKind::File);
  EXPECT_EQ(KindOf(folder), PathKind::Folder);
  EXPECT_EQ(FileNameOf(path), "Planilha Padrão.bin");
  EXPECT_EQ(ParentFolder(path), folder);
  EXPECT_EQ(AbsolutePath(JoinPath(JoinPath(folder, ".."), "Pasta São")), folder);
  ASSERT_EQ(FolderEntries(folder).size(), 1u);
  EXPECT_EQ(FolderEntries(folder)[0], path);
  EXPECT_TRUE(RemoveFile(path));
  EXPECT_EQ(KindOf(path), PathKind::Missing);
}

TEST(ReadOnlyFile, WhatIsNotAReadableFileSaysWhy) {
  support::ScratchDir dir;
  const std::string folder = Utf8Of(dir.path());
  const struct {
    std::string path;
    int error;
  } cases[] = {{JoinPath(folder, "não-existe.xlsx"), ENOENT},
               {folder, EISDIR},
               {"", ENOENT}};
  for (const auto& c : cases) {
    const ReadOnlyFile file(c.path);
    EXPECT_FALSE(file.IsOpen()) << c.path;
    EXPECT_EQ(file.Error(), c.error) << c.path;
  }
  EXPECT_FALSE(ReadOnlyFile(JoinPath(JoinPath(folder, "não-existe"), "x.xml")).IsOpen());
}

TEST(Process, TheProgramKnowsWhereItRuns) {
  const std::string self = ExecutablePath();
  EXPECT_EQ(KindOf(self), PathKind::File) << self;
  EXPECT_NE(FileNameOf(self).find("platform_tests"), std::string::npos) << self;
  EXPECT_EQ(CodeModulePath(), self);  // linked into the program itself
  EXPECT_EQ(KindOf(HomeFolder()), PathKind::Folder);
  EXPECT_FALSE(EnvironmentVariable("VOSKE_NO_SUCH_VARIABLE_EVER"));
}

TEST(CodePages, OldWorkbookTextsDecode) {
  const CodePageDecoder centralEurope(1250);
  ASSERT_TRUE(centralEurope.Usable());
  EXPECT_EQ(centralEurope.Decode("\xB9\x9C" "a"), u"\u0105\u015Ba");
  EXPECT_EQ(CodePageDecoder(10000).Decode("\x8A"), u"\u00E4");  // Mac Roman
  EXPECT_FALSE(CodePageDecoder(1).Usable());
}

}  // namespace
}  // namespace voske::platform
