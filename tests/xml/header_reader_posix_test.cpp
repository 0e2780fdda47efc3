// Reading a document's header on POSIX systems: a folder, a named pipe and a
// file without read permission are each refused with their own error.
#include "xml/header_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "support/paths.h"

namespace voske {
namespace header_reader_posix_test {
namespace {

namespace fs = std::filesystem;
using voske::support::ScratchDir;
using Outcome = HeaderValue::Outcome;

TEST(ReadHeaderValue, AFileThatIsNotThereOrCannotBeReadSaysSo) {
  ScratchDir dir;
  HeaderValue v = ReadHeaderValue((dir / "nao-existe.xml").string(), "a", "b");
  EXPECT_EQ(v.outcome, Outcome::Missing);
  v = ReadHeaderValue((dir / "nao-existe" / "x.xml").string(), "a", "b");
  EXPECT_EQ(v.outcome, Outcome::Missing);

  v = ReadHeaderValue(dir.path().string(), "a", "b");
  EXPECT_EQ(v.outcome, Outcome::Unreadable);
  EXPECT_EQ(v.error, EISDIR);

  // Opening a pipe for reading would wait for a writer for ever.
  ASSERT_EQ(::mkfifo((dir / "fila.xml").c_str(), 0600), 0);
  v = ReadHeaderValue((dir / "fila.xml").string(), "a", "b");
  EXPECT_EQ(v.outcome, Outcome::Unreadable);
  EXPECT_EQ(v.error, ENODEV);

  const fs::path locked = dir / "trancado.xml";
  std::ofstream(locked, std::ios::binary) << "<a><b>X</b></a>";
  fs::permissions(locked, fs::perms::none);
  if (::geteuid() != 0) {  // the administrator reads any file
    v = ReadHeaderValue(locked.string(), "a", "b");
    EXPECT_EQ(v.outcome, Outcome::Unreadable);
    EXPECT_EQ(v.error, EACCES);
  }
}


}  // namespace
}  // namespace header_reader_posix_test
}  // namespace voske
