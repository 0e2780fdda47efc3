// The output file on POSIX systems: the unnamed temporary where the file
// system has one, the mode the umask gives, and nothing left when a signal
// ends the program in the middle of a save.
#include "xml/atomic_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/files.h"
#include "support/paths.h"
#include "xml/atomic_file_checks.h"
#include "xml/xml_generator.h"

namespace voske {
namespace atomic_file_posix_test {
namespace {

namespace fs = std::filesystem;
using atomic_file_checks::Entries;
using atomic_file_checks::IsTemporaryName;
using voske::support::ScratchDir;
using Temporary = AtomicFile::Temporary;

TEST(AtomicFile, TheUnnamedKindIsTakenWhereTheFileSystemHasIt) {
  // The scratch folder is on an ordinary local file system, which has it.
  ScratchDir dir;
  AtomicFile out((dir / "doc.xml").string());
  EXPECT_TRUE(out.Unnamed());
  EXPECT_FALSE(AtomicFile((dir / "doc.xml").string(), Temporary::Named).Unnamed());
}

TEST(AtomicFile, DocumentsGetTheModeTheUmaskGivesAnyNewFile) {
  for (const Temporary kind : {Temporary::Unnamed, Temporary::Named}) {
    for (const mode_t mask : {mode_t{022}, mode_t{027}}) {
      ScratchDir dir;
      const fs::path file = dir / "doc.xml";
      const mode_t before = ::umask(mask);
      for (const fs::path& name : {file, dir / "b.xml"}) {
        AtomicFile out(name.string(), kind);
        out.Write("x");
        out.Commit();
      }
      ::umask(before);
      struct stat st {};
      ASSERT_EQ(::stat(file.c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
      ASSERT_EQ(::stat((dir / "b.xml").c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
    }
  }
}

// A child process saves a large document and is stopped by `sig` in the
// middle of it. Returns how the child ended; the folder is left to check.
struct Interrupted {
  int status = 0;
  bool sawTemporaryName = false;
};

Interrupted InterruptSave(const fs::path& folder, Temporary kind, int sig) {
  int ready[2], hold[2];
  if (::pipe(ready) != 0 || ::pipe(hold) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(ready[0]);
    ::close(hold[1]);
    try {
      AtomicFile out((folder / "doc.xml").string(), kind);
      const std::string piece(1 << 20, 'z');
      for (int i = 0; i < 16; ++i) out.Write(piece);
      // Halfway: tell the parent, then wait for what never comes.
      const char one = 1;
      if (::write(ready[1], &one, 1) != 1) ::_exit(3);
      char none;
      while (::read(hold[0], &none, 1) < 0) {
      }
      out.Commit();  // reached only if the signal did not end the process
    } catch (...) {
      ::_exit(2);
    }
    ::_exit(0);
  }
  ::close(ready[1]);
  ::close(hold[0]);
  Interrupted result;
  char byte = 0;
  const bool rendezvous = ::read(ready[0], &byte, 1) == 1;
  for (const std::string& name : Entries(folder)) result.sawTemporaryName |= IsTemporaryName(name);
  ::kill(pid, rendezvous ? sig : SIGKILL);
  ::waitpid(pid, &result.status, 0);
  ::close(ready[0]);
  ::close(hold[1]);
  return result;
}

TEST(AtomicFileSignals, KilledOrInterruptedDuringASaveLeavesNothing) {
  struct Case {
    Temporary kind;
    int sig;
  };
  // A named temporary file cannot outlive SIGKILL's lack of warning; an
  // unnamed one outlives nothing.
  const Case cases[] = {{Temporary::Unnamed, SIGKILL}, {Temporary::Unnamed, SIGTERM}, {Temporary::Named, SIGTERM},
                        {Temporary::Named, SIGINT},    {Temporary::Named, SIGHUP}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind == Temporary::Named ? "named, " : "unnamed, ") + strsignal(c.sig));
    ScratchDir dir;
    const Interrupted run = InterruptSave(dir.path(), c.kind, c.sig);
    // The signal ended the child with its own default action.
    ASSERT_TRUE(WIFSIGNALED(run.status));
    EXPECT_EQ(WTERMSIG(run.status), c.sig);
    EXPECT_EQ(run.sawTemporaryName, c.kind == Temporary::Named);
    EXPECT_TRUE(Entries(dir.path()).empty());
  }
}

TEST(AtomicFileSignals, ASignalTheProgramIgnoresLeavesTheSaveGoingOn) {
  ScratchDir dir;
  int ready[2], go[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(go), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::signal(SIGHUP, SIG_IGN);  // as under nohup
    try {
      AtomicFile out((dir / "doc.xml").string(), Temporary::Named);
      out.Write("inteiro");
      const char one = 1;
      if (::write(ready[1], &one, 1) != 1) ::_exit(3);
      char next;
      if (::read(go[0], &next, 1) != 1) ::_exit(4);
      out.Commit();
    } catch (...) {
      ::_exit(2);
    }
    ::_exit(0);
  }
  char byte;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  // Whenever it arrives, before the save ends or after, an ignored signal
  // must neither remove the file nor end the child.
  ::kill(pid, SIGHUP);
  ASSERT_EQ(::write(go[1], &byte, 1), 1);
  int status = 0;
  ::waitpid(pid, &status, 0);
  for (const int fd : {ready[0], ready[1], go[0], go[1]}) ::close(fd);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"doc.xml"});
  EXPECT_EQ(support::FileContents(dir / "doc.xml"), "inteiro");
}

}  // namespace
}  // namespace atomic_file_posix_test
}  // namespace voske
