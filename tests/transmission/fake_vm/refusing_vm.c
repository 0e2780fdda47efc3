/* A VM library whose entry points all exist but which refuses to create a VM. */
#define EXPORT __attribute__((visibility("default")))

EXPORT int JNI_CreateJavaVM(void** vm, void** env, void* args) {
  (void)args;
  *vm = 0;
  *env = 0;
  return -1;
}
EXPORT int JNI_GetDefaultJavaVMInitArgs(void* args) {
  (void)args;
  return -1;
}
EXPORT int JNI_GetCreatedJavaVMs(void** vms, int size, int* count) {
  (void)vms;
  (void)size;
  *count = 0;
  return 0;
}
