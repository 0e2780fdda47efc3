// voske: the desktop program. It holds no window of its own; it loads
// libvoske.so or voske.dll (beside it, or from the package's own folder once installed)
// and calls the library's export, which shows the
// main window and returns when the user closes it.
#include <string>

#include "common/program_arguments.h"
#include "host_library.h"
#include "platform/process.h"

int main(int argc, char** argv) {
  const voske::programs::ProgramSyntax syntax{
      "voske",
      "Uso: voske\n"
      "Abre a janela do VOSKE-XML, que gera os documentos XML da OXR a partir da Planilha\n"
      "Padrão e os envia. A linha de comando é voske-cli (\"voske-cli --help\").\n",
      {}, 0, 0};
  if (const auto status = voske::programs::CheckArguments(syntax, argc, argv)) return *status;
  const std::string path = voske::host::VoskeLibraryPath(voske::host::ExecutableFolder());
  voske::host::LoadedLibrary library = voske::host::LoadVoskeLibrary(path);
  if (!library.chamaVoske) {
    voske::platform::ReportFatalError("voske: não foi possível carregar " + path + ": " + library.error);
    return 1;
  }
  library.chamaVoske();
  voske::host::UnloadVoskeLibrary(library);
  return 0;
}
