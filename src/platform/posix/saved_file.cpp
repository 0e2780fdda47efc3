#include "platform/saved_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <random>

#include "platform/file_system.h"
#include "platform/posix/interrupt_cleanup.h"

namespace voske::platform {

namespace {

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
    return JoinPath(folder_, ".voske-" + std::to_string(generator_() % 100000000000ULL) + ".tmp");
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

// Moves the closed temporary file at `from` to `to` only while `to` is free.
// Sets errno on failure (EEXIST: `to` is taken).
bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without that kind of rename: a second link, which fails
  // on a taken name as well, then the temporary name goes.
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  if (errno == EEXIST) return false;
  // Nor links (FAT): the name is looked at just before the rename, which
  // leaves another program only that moment to take it.
  if (::access(to.c_str(), F_OK) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

constexpr std::uint64_t kStartToDisk = 8ULL << 20;

}  // namespace

SavedFile::~SavedFile() { Discard(); }

void SavedFile::Discard() noexcept {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
  if (!named_ && !temporaryPath_.empty()) ::unlink(temporaryPath_.c_str());
  temporaryPath_.clear();
  ForgetTemporaryName(signalSlot_);
  signalSlot_ = -1;
}

int SavedFile::Create(const std::string& folder, Temporary kind) {
  folder_ = folder;
  // The mode lets the umask decide, as for any file the user creates.
  if (kind == Temporary::Unnamed) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
      handle_ = fd;
      unnamed_ = true;
      return 0;
    }
    if (!UnnamedUnsupported(errno)) return errno;
  }
  TemporaryNames names(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = names.Next();
    SignalsHeld held;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      handle_ = fd;
      temporaryPath_ = path;
      signalSlot_ = RecordTemporaryName(path);
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int SavedFile::Write(std::string_view bytes) {
  if (handle_ < 0) return EBADF;
  const int fd = static_cast<int>(handle_);
  const std::size_t size = bytes.size();
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  // Starts the disk writing what is written so far, without waiting for it:
  // the flush before the file takes its name then finds little left to do.
  written_ += size;
  if (written_ - startedToDisk_ >= kStartToDisk) {
    ::sync_file_range(fd, static_cast<off_t>(startedToDisk_), static_cast<off_t>(written_ - startedToDisk_),
                      SYNC_FILE_RANGE_WRITE);
    startedToDisk_ = written_;
  }
  return 0;
}

int SavedFile::Flush() {
  if (handle_ < 0) return EBADF;
  if (::fsync(static_cast<int>(handle_)) != 0) return errno;
  if (!unnamed_) {
    // A named temporary file moves by its name: it is closed here, and a
    // failed close (some network file systems report write errors only
    // then) fails the save.
    const int fd = static_cast<int>(handle_);
    handle_ = -1;
    if (::close(fd) != 0) return errno;
  }
  return 0;
}

int SavedFile::TakeName(const std::string& path) {
  // A link never replaces a file, so the unnamed file can only take a free
  // name; and until it does, no name but the final one ever exists.
  const bool took = unnamed_ ? (handle_ >= 0 && LinkUnnamed(static_cast<int>(handle_), path))
                             : RenameNoReplace(temporaryPath_, path);
  if (!took) return errno ? errno : EBADF;
  named_ = true;
  if (unnamed_) {
    ::close(static_cast<int>(handle_));  // flushed already: its data is on disk
    handle_ = -1;
  } else {
    temporaryPath_.clear();  // it is the document now
    ForgetTemporaryName(signalSlot_);
    signalSlot_ = -1;
  }
  // Make the new name itself durable; a failure here loses nothing written.
  const int dir = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

}  // namespace voske::platform
