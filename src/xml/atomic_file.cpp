#include "xml/atomic_file.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "text/cp1252.h"
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
    case ENAMETOOLONG: return Ansi("O nome do arquivo é longo demais.");
    default: return Ansi("Erro do sistema ") + std::to_string(error) + ".";
  }
}

[[noreturn]] void Fail(const std::string& fileName, int error) {
  throw EGravaArquivo(Ansi("Não foi possível gravar o arquivo \"") + FromUtf8(fileName) + "\"." + CR +
                      Reason(error));
}

// Closes the descriptor and removes the temporary file unless released.
class TempFile {
 public:
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  int fd_ = -1;
  std::string path_;
};

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

}  // namespace

void WriteFileAtomically(const std::string& fileName, std::string_view content) {
  WriteFileAtomically(fileName, [content](const PieceWriter& write) { write(content); });
}

void WriteFileAtomically(const std::string& fileName, const std::function<void(const PieceWriter&)>& produce) {
  namespace fs = std::filesystem;
  const fs::path target(fileName);
  if (fileName.empty() || !target.has_filename()) Fail(fileName, ENOENT);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

  TempFile temp;
  // A hidden name of its own in the same folder, so that the rename stays on
  // one file system and is atomic. The mode lets the umask decide, as for
  // any file the user creates.
  std::random_device seed;
  std::mt19937_64 generator(static_cast<std::uint64_t>(seed()) << 32 ^ static_cast<std::uint64_t>(::getpid()));
  for (int attempt = 0; attempt < 100 && temp.fd_ < 0; ++attempt) {
    const std::string name = ".voske-" + std::to_string(generator() % 100000000000ULL) + ".tmp";
    const std::string path = (folder / name).string();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      temp.fd_ = fd;
      temp.path_ = path;
    } else if (errno != EEXIST) {
      Fail(fileName, errno);
    }
  }
  if (temp.fd_ < 0) Fail(fileName, EEXIST);

  produce([&](std::string_view piece) {
    if (!WriteAll(temp.fd_, piece)) Fail(fileName, errno);
  });
  if (::fsync(temp.fd_) != 0) Fail(fileName, errno);
  const int fd = temp.fd_;
  temp.fd_ = -1;
  if (::close(fd) != 0) Fail(fileName, errno);
  if (::rename(temp.path_.c_str(), fileName.c_str()) != 0) Fail(fileName, errno);
  temp.path_.clear();  // it is the document now

  // Make the rename itself durable; a failure here loses nothing written.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace voske
