// The streamed document on POSIX systems: a file-size limit in a forked
// child stands for a disk that fills up in the middle of the writing.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/paths.h"
#include "text/cp1252.h"
#include "xml/ledger_writes.h"
#include "xml/xml_generator.h"

namespace voske {
namespace streamed_generation_posix_test {
namespace {

namespace fs = std::filesystem;
using voske::support::ScratchDir;
using ledger_writes::Entries;
using ledger_writes::kRootTag;
using ledger_writes::WriteLedger;

TEST(StreamedGeneration, ADiskThatFillsUpMidwayLeavesNoFile) {
  // In a child whose files may not grow past 2 MB: the writes of the
  // document fail halfway, as on a full disk.
  ScratchDir dir;
  const fs::path file = dir / "doc.xml";
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{2 << 20, 2 << 20};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(4);
    try {
      TXMLGenerator gen("oxr:voskeFinanc", kRootTag, "", file.string());
      WriteLedger(gen, 60000);
      gen.SaveToFile(file.string());
      ::_exit(1);  // saved past the limit
    } catch (const EGravaArquivo& e) {
      const bool named = e.Message().find(Ansi("Não foi possível gravar o arquivo \"") + file.string()) == 0;
      ::_exit(named ? 0 : 3);
    } catch (...) {
      ::_exit(2);
    }
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(Entries(dir.path()).empty());
}


}  // namespace
}  // namespace streamed_generation_posix_test
}  // namespace voske
