// Saving on POSIX systems: a folder whose permissions refuse the new file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "support/files.h"
#include "support/paths.h"
#include "xml/xml_generator.h"

namespace voske {
namespace xml_generator_posix_test {
namespace {

namespace fs = std::filesystem;
using voske::support::ScratchDir;

const Text kRootTag = "<oxr:doc xmlns:oxr=\"urn:x\">";

TEST(SaveToFile, AnUnwritableFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  ScratchDir dir;
  const fs::path file = dir / "doc.xml";
  { std::ofstream(file) << "antigo"; }
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(TXMLGenerator("oxr:doc", kRootTag, "", file.string()), EGravaArquivo);
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(support::FileContents(file), "antigo");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}


}  // namespace
}  // namespace xml_generator_posix_test
}  // namespace voske
