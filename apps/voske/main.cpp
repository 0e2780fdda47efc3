// voske: the desktop program. It holds no window of its own; it loads
// libvoske.so (beside it, or from the package's own folder once installed)
// and calls the library's export, which shows the
// main window and returns when the user closes it.
#include <cstdio>
#include <string>

#include "host_library.h"

int main() {
  const std::string path = voske::host::VoskeLibraryPath(voske::host::ExecutableFolder());
  voske::host::LoadedLibrary library = voske::host::LoadVoskeLibrary(path);
  if (!library.chamaVoske) {
    std::fprintf(stderr, "voske: não foi possível carregar %s: %s\n", path.c_str(), library.error.c_str());
    return 1;
  }
  library.chamaVoske();
  voske::host::UnloadVoskeLibrary(library);
  return 0;
}
