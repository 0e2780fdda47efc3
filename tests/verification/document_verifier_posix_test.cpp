// Verification of what is not a regular file, on POSIX systems: nothing is
// read from it, since a pipe with no writer would never end, a device never
// stop.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/paths.h"
#include "text/cp1252.h"
#include "verification/document_file.h"

namespace voske {
namespace {

TEST(VerifySpecialFile, APipeOrADeviceIsNeverRead) {
  support::ScratchDir dir;
  const std::string fifo = (dir / "fila.xml").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero")}) {
    const FileVerification v = VerifyDocumentFile(path, [](const Finding&) { ADD_FAILURE() << "a finding"; });
    EXPECT_FALSE(v.read) << path;
    EXPECT_NE(ToUtf8(v.problem).find("não é um arquivo comum"), std::string::npos) << ToUtf8(v.problem);
  }
}

}  // namespace
}  // namespace voske
