#include "transmission/java_vm_handle.h"

#include <dlfcn.h>

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
  handle_ = ::dlopen(libraryPath_.c_str(), RTLD_NOW | RTLD_GLOBAL);
  if (!handle_) throw LoaderError("LoadLibrary failed trying to load ", libraryPath_);

  auto resolve = [this](const char* name) {
    void* symbol = ::dlsym(handle_, name);
    if (!symbol) {
      ::dlclose(handle_);
      handle_ = nullptr;
      throw LoaderError((std::string("GetProcAddress failed to locate ") + name + " in library ").c_str(),
                        libraryPath_);
    }
    return symbol;
  };
  create_ = reinterpret_cast<CreateFn>(resolve("JNI_CreateJavaVM"));
  defaultArgs_ = reinterpret_cast<DefaultArgsFn>(resolve("JNI_GetDefaultJavaVMInitArgs"));
  created_ = reinterpret_cast<CreatedFn>(resolve("JNI_GetCreatedJavaVMs"));
}

TJavaVM::~TJavaVM() {
  if (handle_) ::dlclose(handle_);
}

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
