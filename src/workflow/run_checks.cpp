#include "workflow/run_checks.h"

#include "platform/file_system.h"
#include "text/cp1252.h"
#include "text/text.h"

namespace voske {

namespace {

struct Messages {
  Text noDocument = Ansi("Selecione pelo menos um tipo de arquivo a ser gerado.");
  Text noAction = Ansi("Selecione a ação desejada.");
  Text noWorkbook = Ansi("Selecione o arquivo Excel com seus dados.");
  Text workbookMissing = Ansi("Arquivo não encontrado.");
  Text noReceiptFolder = Ansi("Selecione o local onde ficará a pasta Recibo.");
  Text noDestination = Ansi("Selecione a pasta de destino do(s) arquivo(s) XML.");
  Text destinationMissing = Ansi("Destino do(s) arquivo(s) XML(s) inválido.");
  Text noXmlFile = Ansi("Selecione o arquivo XML a ser enviado.");
};

const Messages& Msg() {
  static const Messages m;
  return m;
}

// A file, not a folder, as the workbook must be.
bool FileExists(const std::string& path) { return platform::IsFile(path); }

bool DirectoryExists(const std::string& path) { return platform::IsFolder(path); }

bool Stop(FrontEnd& frontEnd, const Text& message) {
  frontEnd.ShowError(message);
  return false;
}

}  // namespace

bool CheckRunChoices(const RunChoices& c, FrontEnd& frontEnd) {
  const bool generating = c.action == RunAction::Generate;
  if (!c.documentKind) return Stop(frontEnd, Msg().noDocument);
  if (!c.action) return Stop(frontEnd, Msg().noAction);
  if (generating && Trim(c.workbookPath).empty()) return Stop(frontEnd, Msg().noWorkbook);
  if (generating && !FileExists(RemoveAll(c.workbookPath, '"'))) return Stop(frontEnd, Msg().workbookMissing);
  if (Trim(c.destinationFolder).empty())
    return Stop(frontEnd, generating ? Msg().noDestination : Msg().noReceiptFolder);
  if (!DirectoryExists(c.destinationFolder)) return Stop(frontEnd, Msg().destinationMissing);
  if (c.action == RunAction::Send && Trim(c.xmlFilePath).empty()) return Stop(frontEnd, Msg().noXmlFile);
  return true;
}

}  // namespace voske
