// voske: the desktop program. It holds no window of its own; it loads
// libvoske.so or voske.dll (beside it, or from the package's own folder once installed)
// and calls the library's export, which shows the
// main window and returns when the user closes it.
#include <string>

#include "host_library.h"
#include "platform/process.h"

int main() {
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
