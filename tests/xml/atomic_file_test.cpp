// The output file appears whole or not at all: nothing under any name while
// it is written, and no file already there replaced.
#include "xml/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/paths.h"
#include "xml/atomic_file_checks.h"
#include "xml/xml_generator.h"

namespace voske {
namespace atomic_file_test {
namespace {

namespace fs = std::filesystem;
using atomic_file_checks::Entries;
using atomic_file_checks::IsTemporaryName;
using voske::support::ScratchDir;
using Temporary = AtomicFile::Temporary;

TEST(AtomicFile, NothingButTheTemporaryFileUntilCommitThenTheWholeFile) {
  for (const Temporary kind : {Temporary::Unnamed, Temporary::Named}) {
    ScratchDir dir;
    const fs::path file = dir / "doc.xml";
    AtomicFile out(file.string(), kind);
    out.Write("<novo>");
    out.Write(std::string(3 << 20, 'x'));
    out.Write("</novo>");
    const std::vector<std::string> during = Entries(dir.path());
    if (out.Unnamed()) {
      EXPECT_TRUE(during.empty());
    } else {
      ASSERT_EQ(during.size(), 1u);
      EXPECT_TRUE(IsTemporaryName(during[0]));
    }
    EXPECT_EQ(out.Commit(), file.string());
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"doc.xml"});
    EXPECT_EQ(support::FileContents(file), "<novo>" + std::string(3 << 20, 'x') + "</novo>");
  }
}

// A file that has the name at the moment of saving (an earlier document, or
// another run's of the same second) is never replaced: the document takes
// the next free name offered, or, with none, the save fails leaving nothing.
TEST(AtomicFile, ATakenNameIsNeverReplaced) {
  for (const Temporary kind : {Temporary::Unnamed, Temporary::Named}) {
    ScratchDir dir;
    const fs::path file = dir / "doc.xml";
    AtomicFile out(file.string(), kind);
    out.Write("novo");
    { std::ofstream(file) << "anterior"; }
    { std::ofstream(dir / "doc-1.xml") << "outro"; }
    int asked = 0;
    const std::string taken = out.Commit([&](const std::string& name) {
      ++asked;
      return name == file.string() ? (dir / "doc-1.xml").string() : (dir / "doc-2.xml").string();
    });
    EXPECT_EQ(taken, (dir / "doc-2.xml").string());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(support::FileContents(file), "anterior");
    EXPECT_EQ(support::FileContents(dir / "doc-1.xml"), "outro");
    EXPECT_EQ(support::FileContents(dir / "doc-2.xml"), "novo");
    EXPECT_EQ(Entries(dir.path()).size(), 3u);

    {
      AtomicFile refused(file.string(), kind);
      refused.Write("recusado");
      EXPECT_THROW(refused.Commit(), EGravaArquivo);
    }
    EXPECT_THROW(AtomicFile(file.string(), kind).Commit([](const std::string&) { return std::string(); }),
                 EGravaArquivo);
    EXPECT_EQ(support::FileContents(file), "anterior");
    EXPECT_EQ(Entries(dir.path()).size(), 3u);  // no temporary file left
  }
}

TEST(AtomicFile, DroppedWithoutCommitLeavesNothingAndTheOldFileWhole) {
  for (const Temporary kind : {Temporary::Unnamed, Temporary::Named}) {
    ScratchDir dir;
    const fs::path file = dir / "doc.xml";
    { std::ofstream(file) << "anterior"; }
    {
      AtomicFile out(file.string(), kind);
      out.Write(std::string(1 << 20, 'y'));
    }
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"doc.xml"});
    EXPECT_EQ(support::FileContents(file), "anterior");
  }
}

}  // namespace
}  // namespace atomic_file_test
}  // namespace voske
