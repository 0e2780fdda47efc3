/* A shared library that has the first two entry points of a VM library but
   lacks JNI_GetCreatedJavaVMs. */
#define EXPORT __attribute__((visibility("default")))

EXPORT int JNI_CreateJavaVM(void** vm, void** env, void* args) {
  (void)vm;
  (void)env;
  (void)args;
  return -1;
}
EXPORT int JNI_GetDefaultJavaVMInitArgs(void* args) {
  (void)args;
  return -1;
}
