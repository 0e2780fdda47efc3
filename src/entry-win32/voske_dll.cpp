// voske.dll and its one export, Chama_VOSKE: the host program calls it, the
// main window opens modally, and the call returns when the window closes.
// It can be called again, as often as the host likes, in the same process.
#include "entry-win32/form.h"  // windows.h before the system's other headers
#include <commctrl.h>

#include "entry-win32/main_form.h"
#include "generation/run_generation.h"
#include "transmission/java_transmission.h"

namespace {

// The library's own manifest (resource 2) asks for the common controls of
// version 6, whatever the host's manifest asks for; its activation context
// is in force while the windows are made and shown.
class LibraryControls {
 public:
  LibraryControls() {
    static HANDLE context = [] {
      ACTCTXW actctx = {};
      actctx.cbSize = sizeof actctx;
      actctx.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
      actctx.hModule = voske::win32::ResourceModule();
      actctx.lpResourceName = MAKEINTRESOURCEW(2);
      return ::CreateActCtxW(&actctx);
    }();
    if (context != INVALID_HANDLE_VALUE) active_ = ::ActivateActCtx(context, &cookie_);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
  }
  ~LibraryControls() {
    if (active_) ::DeactivateActCtx(0, cookie_);
  }
  LibraryControls(const LibraryControls&) = delete;
  LibraryControls& operator=(const LibraryControls&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  BOOL active_ = FALSE;
};

}  // namespace

extern "C" __declspec(dllexport) void Chama_VOSKE() {
  LibraryControls controls;
  voske::JavaTransmission transmission;
  voske::win32::MainForm form(transmission, voske::StandardGenerationServices());
  form.ShowModal();
}
