// Reading a document's header on POSIX systems: the process's own peak
// memory while a large document is read, and a folder, a named pipe and a
// file without read permission each refused with their own error.
#include "xml/header_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <filesystem>
#include <fstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/paths.h"

namespace voske {
namespace header_reader_posix_test {
namespace {

namespace fs = std::filesystem;
using voske::support::ScratchDir;
using Outcome = HeaderValue::Outcome;

// A large operator's financial document: the code is read in memory that
// does not grow with the document.
TEST(ReadHeaderValue, ALargeDocumentIsReadFromItsHeader) {
  ScratchDir dir;
  const fs::path file = dir / "grande.xml";
  {
    std::ofstream out(file, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n\r\n<oxr:voskeFinanceiro xmlns:oxr=\"urn:x\">"
           "<oxr:identificador><oxr:cabecalho><oxr:transacao>ENVIO_VOSKE_FINANCEIRO</oxr:transacao>"
           "</oxr:cabecalho></oxr:identificador><oxr:corpo>";
    const std::string row = "<oxr:conta><oxr:codigo>1234</oxr:codigo><oxr:saldo>10.00</oxr:saldo></oxr:conta>\r\n";
    for (std::uintmax_t written = 0; written <= (36u << 20); written += row.size()) out << row;
    out << "</oxr:corpo></oxr:voskeFinanceiro>\r\n";
  }

  rusage before{}, after{};
  ::getrusage(RUSAGE_SELF, &before);
  const HeaderValue v = ReadHeaderValue(file.string(), "oxr:identificador", "oxr:transacao");
  EXPECT_EQ(v.outcome, Outcome::Read);
  EXPECT_EQ(v.value, "ENVIO_VOSKE_FINANCEIRO");
  ::getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 8 * 1024) << "KiB more at the peak";
}

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
