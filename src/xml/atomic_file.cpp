#include "xml/atomic_file.h"

#include <cerrno>
#include <string>

#include "platform/file_system.h"
#include "text/cp1252.h"
#include "xml/xml_generator.h"

namespace voske {

namespace {

// The reason of a failed file operation, in the user's words.
Text Reason(int error) {
  if (platform::IsDiskFull(error)) return Ansi("Não há espaço suficiente no disco.");
  switch (error) {
    case ENOENT:
    case ENOTDIR: return Ansi("A pasta de destino não existe.");
    case EACCES:
    case EPERM: return Ansi("Acesso negado à pasta ou ao arquivo.");
    case EROFS: return Ansi("A pasta de destino é somente leitura.");
    case EISDIR: return Ansi("Já existe uma pasta com esse nome.");
    case EEXIST: return Ansi("Já existe um arquivo com esse nome.");
    case ENAMETOOLONG: return Ansi("O nome do arquivo é longo demais.");
    default: return Ansi("Erro do sistema ") + std::to_string(error) + ".";
  }
}

}  // namespace

AtomicFile::AtomicFile(const std::string& fileName, Temporary kind) : fileName_(fileName) {
  if (fileName.empty() || platform::FileNameOf(fileName).empty()) Fail(ENOENT);
  std::string folder = platform::ParentFolder(fileName);
  if (folder.empty()) folder = ".";
  const int error = file_.Create(folder, kind == Temporary::Unnamed ? platform::SavedFile::Temporary::Unnamed
                                                                    : platform::SavedFile::Temporary::Named);
  if (error != 0) Fail(error);
}

AtomicFile::~AtomicFile() = default;

void AtomicFile::Fail(int error) const {
  throw EGravaArquivo(Ansi("Não foi possível gravar o arquivo \"") + FromUtf8(fileName_) + "\"." + CR +
                      Reason(error));
}

void AtomicFile::Write(std::string_view piece) {
  if (committed_) Fail(EBADF);
  if (const int error = file_.Write(piece); error != 0) Fail(error);
}

std::string AtomicFile::Commit(const NextName& next) {
  if (committed_) Fail(EBADF);
  committed_ = true;
  if (const int error = file_.Flush(); error != 0) Fail(error);
  std::string name = fileName_;
  for (int tries = 1;; ++tries) {
    const int error = file_.TakeName(name);
    if (error == 0) break;
    if (error != EEXIST) Fail(error);
    if (!next || tries == kNameTries || (name = next(name)).empty()) Fail(EEXIST);
  }
  fileName_ = name;
  return fileName_;
}

}  // namespace voske
