#include "xml/atomic_file.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include "text/cp1252.h"
#include "xml/temporary_names.h"
#include "xml/xml_generator.h"

namespace voske {

namespace {

// The reason of a failed file operation, in the user's words.
Text Reason(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return Ansi("A pasta de destino não existe.");
    case EACCES:
    case EPERM: return Ansi("Acesso negado à pasta ou ao arquivo.");
    case ENOSPC:
    case EDQUOT: return Ansi("Não há espaço suficiente no disco.");
    case EROFS: return Ansi("A pasta de destino é somente leitura.");
    case EISDIR: return Ansi("Já existe uma pasta com esse nome.");
    case EEXIST: return Ansi("Já existe um arquivo com esse nome.");
    case ENAMETOOLONG: return Ansi("O nome do arquivo é longo demais.");
    default: return Ansi("Erro do sistema ") + std::to_string(error) + ".";
  }
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Holds off Ctrl-C, SIGTERM and SIGHUP while a temporary file gets a name and
// that name is recorded for the handlers, so that no signal falls between.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, SIGINT);
    sigaddset(&held, SIGTERM);
    sigaddset(&held, SIGHUP);
    ::pthread_sigmask(SIG_BLOCK, &held, &before_);
  }
  ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &before_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t before_;
};

// Hidden names of their own in the destination folder, so that the rename
// stays on one file system and is atomic.
class TemporaryNames {
 public:
  explicit TemporaryNames(const std::string& folder)
      : folder_(folder),
        generator_(static_cast<std::uint64_t>(std::random_device()()) << 32 ^
                   static_cast<std::uint64_t>(::getpid())) {}
  std::string Next() {
    return (std::filesystem::path(folder_) / (".voske-" + std::to_string(generator_() % 100000000000ULL) + ".tmp"))
        .string();
  }

 private:
  std::string folder_;
  std::mt19937_64 generator_;
};

// The file system has no unnamed files (or the kernel no O_TMPFILE).
bool UnnamedUnsupported(int error) { return error == EOPNOTSUPP || error == EISDIR || error == EINVAL; }

// Gives the unnamed file open at `fd` the name `path`: through /proc, or,
// where /proc is not mounted, by the descriptor itself (which needs a
// privilege the /proc way does not). Sets errno on failure.
bool LinkUnnamed(int fd, const std::string& path) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  const int error = errno;
  if (error != ENOENT || ::access("/proc/self/fd", F_OK) == 0) return false;
  if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return true;
  errno = error;
  return false;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& fileName, Temporary kind) : fileName_(fileName) {
  namespace fs = std::filesystem;
  const fs::path target(fileName);
  if (fileName.empty() || !target.has_filename()) Fail(ENOENT);
  folder_ = target.has_parent_path() ? target.parent_path().string() : std::string(".");

  // The mode lets the umask decide, as for any file the user creates.
  if (kind == Temporary::Unnamed) {
    fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      unnamed_ = true;
      return;
    }
    if (!UnnamedUnsupported(errno)) Fail(errno);
  }
  OpenNamed();
}

void AtomicFile::OpenNamed() {
  TemporaryNames names(folder_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = names.Next();
    SignalsHeld held;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fd_ = fd;
      tempPath_ = path;
      signalSlot_ = RecordTemporaryName(path);
      return;
    }
    if (errno != EEXIST) Fail(errno);
  }
  Fail(EEXIST);
}

AtomicFile::~AtomicFile() { Discard(); }

void AtomicFile::Discard() noexcept {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
  tempPath_.clear();
  ForgetTemporaryName(signalSlot_);
  signalSlot_ = -1;
}

void AtomicFile::Fail(int error) const {
  throw EGravaArquivo(Ansi("Não foi possível gravar o arquivo \"") + FromUtf8(fileName_) + "\"." + CR +
                      Reason(error));
}

void AtomicFile::Write(std::string_view piece) {
  if (fd_ < 0) Fail(EBADF);
  if (!WriteAll(fd_, piece)) Fail(errno);
  // Starts the disk writing what is written so far, without waiting for it:
  // the flush before the file is put in place then finds little left to do.
  written_ += piece.size();
  if (written_ - startedToDisk_ >= kStartToDisk) {
    ::sync_file_range(fd_, static_cast<off_t>(startedToDisk_), static_cast<off_t>(written_ - startedToDisk_),
                      SYNC_FILE_RANGE_WRITE);
    startedToDisk_ = written_;
  }
}

bool AtomicFile::TakeName(const std::string& name) {
  // A link never replaces a file, so the unnamed file can only take a free
  // name; and until it does, no name but the final one ever exists.
  if (unnamed_) return LinkUnnamed(fd_, name);

  // The named temporary file moves to the new name only while that is free.
  if (::renameat2(AT_FDCWD, tempPath_.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without that kind of rename: a second link, which fails
  // on a taken name as well, then the temporary name goes.
  if (::link(tempPath_.c_str(), name.c_str()) == 0) {
    ::unlink(tempPath_.c_str());
    return true;
  }
  if (errno == EEXIST) return false;
  // Nor links (FAT): the name is looked at just before the rename, which
  // leaves another program only that moment to take it.
  if (::access(name.c_str(), F_OK) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(tempPath_.c_str(), name.c_str()) == 0;
}

std::string AtomicFile::Commit(const NextName& next) {
  if (fd_ < 0) Fail(EBADF);
  if (::fsync(fd_) != 0) Fail(errno);
  if (!unnamed_) {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) Fail(errno);
  }

  std::string name = fileName_;
  for (int tries = 1;; ++tries) {
    if (TakeName(name)) break;
    if (errno != EEXIST) Fail(errno);
    if (!next || tries == kNameTries || (name = next(name)).empty()) Fail(EEXIST);
  }
  fileName_ = name;
  if (unnamed_) {
    ::close(fd_);  // flushed above: its data is on disk already
    fd_ = -1;
  } else {
    tempPath_.clear();  // it is the document now
    ForgetTemporaryName(signalSlot_);
    signalSlot_ = -1;
  }

  // Make the new name itself durable; a failure here loses nothing written.
  const int dir = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return fileName_;
}

std::string WriteFileAtomically(const std::string& fileName, std::string_view content, const NextName& next) {
  AtomicFile file(fileName);
  file.Write(content);
  return file.Commit(next);
}

}  // namespace voske
