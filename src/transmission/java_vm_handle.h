#pragma once
// TJavaVM: a Java VM library loaded by path, with the three entry points of
// the invocation interface resolved from it.
#include <jni.h>

#include <string>

#include "platform/library.h"

namespace voske {

class TJavaVM {
 public:
  // Loads the library and resolves JNI_CreateJavaVM, JNI_GetDefaultJavaVMInitArgs
  // and JNI_GetCreatedJavaVMs, in that order. Throws EVoske with the loader's
  // message when the library cannot be loaded or lacks an entry point; the
  // library is unloaded again in that case.
  TJavaVM(const std::string& libraryPath, jint interfaceVersion);
  // Unloads the library. A library in which a VM was created must stay loaded
  // for the rest of the process: its owner keeps the object alive.
  ~TJavaVM();
  TJavaVM(const TJavaVM&) = delete;
  TJavaVM& operator=(const TJavaVM&) = delete;

  jint CreateJavaVM(JavaVM** vm, JNIEnv** env, JavaVMInitArgs* args) const;
  // The VMs already running in this process (at most one).
  JavaVM* CreatedJavaVM() const;

  const std::string& libraryPath() const { return libraryPath_; }
  jint interfaceVersion() const { return interfaceVersion_; }

 private:
  using CreateFn = jint(JNICALL*)(JavaVM**, void**, void*);
  using DefaultArgsFn = jint(JNICALL*)(void*);
  using CreatedFn = jint(JNICALL*)(JavaVM**, jsize, jsize*);

  std::string libraryPath_;
  jint interfaceVersion_;
  platform::LoadedLibrary library_;
  CreateFn create_ = nullptr;
  DefaultArgsFn defaultArgs_ = nullptr;
  CreatedFn created_ = nullptr;
};

}  // namespace voske
