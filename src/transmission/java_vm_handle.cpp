#include "transmission/java_vm_handle.h"

#include "platform/java_install.h"
#include "text/cp1252.h"
#include "text/error.h"

namespace voske {

namespace {

// The loader's messages keep their historic wording: support staff know them.
EVoske LoaderError(const char* what, const std::string& path) {
  return EVoske(Text(what) + FromUtf8(path));
}

}  // namespace

TJavaVM::TJavaVM(const std::string& libraryPath, jint interfaceVersion)
    : libraryPath_(libraryPath), interfaceVersion_(interfaceVersion) {
  // The libraries the VM depends on sit beside it, and the ones it loads
  // itself later see its symbols.
  platform::PrepareToLoadVm(libraryPath_);
  library_ = platform::LoadedLibrary(libraryPath_, platform::LoadedLibrary::Symbols::Shared);
  if (!library_.IsLoaded()) throw LoaderError("LoadLibrary failed trying to load ", libraryPath_);

  auto resolve = [this](const char* name) {
    void* symbol = library_.Symbol(name);
    if (!symbol) {
      library_.Unload();
      throw LoaderError((std::string("GetProcAddress failed to locate ") + name + " in library ").c_str(),
                        libraryPath_);
    }
    return symbol;
  };
  create_ = reinterpret_cast<CreateFn>(resolve("JNI_CreateJavaVM"));
  defaultArgs_ = reinterpret_cast<DefaultArgsFn>(resolve("JNI_GetDefaultJavaVMInitArgs"));
  created_ = reinterpret_cast<CreatedFn>(resolve("JNI_GetCreatedJavaVMs"));
}

TJavaVM::~TJavaVM() = default;

jint TJavaVM::CreateJavaVM(JavaVM** vm, JNIEnv** env, JavaVMInitArgs* args) const {
  return create_(vm, reinterpret_cast<void**>(env), args);
}

JavaVM* TJavaVM::CreatedJavaVM() const {
  JavaVM* vm = nullptr;
  jsize count = 0;
  if (created_(&vm, 1, &count) != JNI_OK || count < 1) return nullptr;
  return vm;
}

}  // namespace voske
