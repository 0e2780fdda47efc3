// The output file appears whole or not at all: nothing under any name while
// it is written, and the file before it untouched until the end.
#include "xml/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/paths.h"
#include "xml/atomic_file_checks.h"

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
    { std::ofstream(file) << "anterior"; }
    AtomicFile out(file.string(), kind);
    out.Write("<novo>");
    out.Write(std::string(3 << 20, 'x'));
    out.Write("</novo>");
    const std::vector<std::string> during = Entries(dir.path());
    if (out.Unnamed()) {
      EXPECT_EQ(during, std::vector<std::string>{"doc.xml"});
    } else {
      ASSERT_EQ(during.size(), 2u);
      EXPECT_TRUE(IsTemporaryName(during[0] == "doc.xml" ? during[1] : during[0]));
    }
    EXPECT_EQ(support::FileContents(file), "anterior");
    out.Commit();
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"doc.xml"});
    EXPECT_EQ(support::FileContents(file), "<novo>" + std::string(3 << 20, 'x') + "</novo>");
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
