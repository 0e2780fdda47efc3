/* A stand-in for a Java VM library (jvm.dll) where no Windows Java exists:
 * the invocation entry points and the few environment functions the sender
 * uses, answering as the client component does. It writes what it was given
 * (the start-up option, the current folder, each call's arguments) to the
 * file named by VOSKE_STAND_IN_VM_LOG, and accepts every sending (writing a
 * receipt into the receipt folder) unless VOSKE_STAND_IN_VM_ANSWER holds the
 * error text to answer with. VOSKE_STAND_IN_VM_DELAY_MS makes each sending
 * take that long, as a slow service does. */
/* The invocation entry points are this library's exports. */
#define _JNI_IMPLEMENTATION_
#include <jni.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

struct StandInString {
  char* utf8;
};

static struct JNINativeInterface_ functions;
static struct JNIInvokeInterface_ invoke;
static JNIEnv environment = &functions;
static JavaVM machine = &invoke;
static int created;
static int classToken, objectToken, sendToken, proxyToken, receivedToken;

/* Appends one line to the log, as bytes. */
static void Log(const char* what, const char* text) {
  wchar_t path[1024];
  if (!GetEnvironmentVariableW(L"VOSKE_STAND_IN_VM_LOG", path, 1024)) return;
  FILE* f = _wfopen(path, L"ab");
  if (!f) return;
  fprintf(f, "%s=%s\n", what, text ? text : "(null)");
  fclose(f);
}

static const char* Utf8Of(jobject s) { return s ? ((struct StandInString*)s)->utf8 : 0; }

static jstring JNICALL StandInNewStringUTF(JNIEnv* env, const char* utf8) {
  (void)env;
  struct StandInString* s = malloc(sizeof *s);
  s->utf8 = _strdup(utf8 ? utf8 : "");
  return (jstring)s;
}

static jint JNICALL StandInGetVersion(JNIEnv* env) {
  (void)env;
  return JNI_VERSION_1_8;
}

static jclass JNICALL StandInFindClass(JNIEnv* env, const char* name) {
  (void)env;
  Log("FindClass", name);
  return strcmp(name, "JNIMain") == 0 ? (jclass)&classToken : 0;
}

static jobject JNICALL StandInAllocObject(JNIEnv* env, jclass cls) {
  (void)env;
  return cls == (jclass)&classToken ? (jobject)&objectToken : 0;
}

static jmethodID JNICALL StandInGetMethodID(JNIEnv* env, jclass cls, const char* name, const char* signature) {
  (void)env;
  (void)cls;
  if (strcmp(name, "send") == 0 &&
      strcmp(signature, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)Ljava/lang/String;") == 0)
    return (jmethodID)&sendToken;
  if (strcmp(name, "configProxy") == 0 &&
      strcmp(signature, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)V") == 0)
    return (jmethodID)&proxyToken;
  if (strcmp(name, "documentReceived") == 0 && strcmp(signature, "()Z") == 0) return (jmethodID)&receivedToken;
  return 0;
}

/* A refused sending was never received: the stand-in answers as the client
 * does when the service said no. (C++ callers reach the V form.) */
static jboolean JNICALL StandInCallBooleanMethodV(JNIEnv* env, jobject obj, jmethodID method, va_list args) {
  (void)env;
  (void)obj;
  (void)args;
  Log("call", method == (jmethodID)&receivedToken ? "documentReceived" : "?");
  return JNI_FALSE;
}

/* The receipt folder comes with every backslash doubled, as the client takes it. */
static void WriteReceipt(const char* doubled) {
  char folder[2048];
  size_t n = 0;
  for (const char* p = doubled; *p && n + 1 < sizeof folder; ++p) {
    folder[n++] = *p;
    if (p[0] == '\\' && p[1] == '\\') ++p;
  }
  folder[n] = 0;
  wchar_t wide[2048];
  if (!MultiByteToWideChar(CP_UTF8, 0, folder, -1, wide, 2000)) return;
  wcscat(wide, L"recibo-stand-in.txt");
  FILE* f = _wfopen(wide, L"wb");
  if (f) {
    fputs("recibo\n", f);
    fclose(f);
  }
}

static jobject JNICALL StandInCallObjectMethodA(JNIEnv* env, jobject obj, jmethodID method, const jvalue* args) {
  (void)obj;
  if (method != (jmethodID)&sendToken) return 0;
  char line[8192];
  snprintf(line, sizeof line, "%s|%s|%s|%s", Utf8Of(args[0].l), Utf8Of(args[1].l), Utf8Of(args[2].l),
           Utf8Of(args[3].l));
  Log("send", line);
  char delay[32] = "";
  if (GetEnvironmentVariableA("VOSKE_STAND_IN_VM_DELAY_MS", delay, sizeof delay)) Sleep((DWORD)strtoul(delay, 0, 10));
  char answer[1024] = "";
  GetEnvironmentVariableA("VOSKE_STAND_IN_VM_ANSWER", answer, sizeof answer);
  if (!answer[0]) WriteReceipt(Utf8Of(args[0].l));
  return StandInNewStringUTF(env, answer);
}

static void JNICALL StandInCallVoidMethodA(JNIEnv* env, jobject obj, jmethodID method, const jvalue* args) {
  (void)env;
  (void)obj;
  if (method != (jmethodID)&proxyToken) return;
  char line[8192];
  snprintf(line, sizeof line, "%s|%s|%s|%s|%s", Utf8Of(args[0].l), Utf8Of(args[1].l), Utf8Of(args[2].l),
           Utf8Of(args[3].l), Utf8Of(args[4].l));
  Log("configProxy", line);
}

static jsize JNICALL StandInGetStringLength(JNIEnv* env, jstring s) {
  (void)env;
  return MultiByteToWideChar(CP_UTF8, 0, Utf8Of(s), -1, 0, 0) - 1;
}

static const jchar* JNICALL StandInGetStringChars(JNIEnv* env, jstring s, jboolean* isCopy) {
  (void)env;
  if (isCopy) *isCopy = JNI_TRUE;
  const int n = MultiByteToWideChar(CP_UTF8, 0, Utf8Of(s), -1, 0, 0);
  wchar_t* chars = malloc(sizeof(wchar_t) * (size_t)(n > 0 ? n : 1));
  chars[0] = 0;
  MultiByteToWideChar(CP_UTF8, 0, Utf8Of(s), -1, chars, n);
  return (const jchar*)chars;
}

static void JNICALL StandInGetStringRegion(JNIEnv* env, jstring s, jsize start, jsize length, jchar* out) {
  const jchar* chars = StandInGetStringChars(env, s, 0);
  memcpy(out, chars + start, sizeof(jchar) * (size_t)length);
  free((void*)chars);
}

static void JNICALL StandInReleaseStringChars(JNIEnv* env, jstring s, const jchar* chars) {
  (void)env;
  (void)s;
  free((void*)chars);
}

static jboolean JNICALL StandInExceptionCheck(JNIEnv* env) {
  (void)env;
  return JNI_FALSE;
}
static jthrowable JNICALL StandInExceptionOccurred(JNIEnv* env) {
  (void)env;
  return 0;
}
static void JNICALL StandInExceptionClear(JNIEnv* env) { (void)env; }
static void JNICALL StandInDeleteLocalRef(JNIEnv* env, jobject obj) {
  (void)env;
  (void)obj;
}
static jint JNICALL StandInPushLocalFrame(JNIEnv* env, jint capacity) {
  (void)env;
  (void)capacity;
  return 0;
}
static jobject JNICALL StandInPopLocalFrame(JNIEnv* env, jobject result) {
  (void)env;
  return result;
}

static jint JNICALL StandInGetEnv(JavaVM* vm, void** env, jint version) {
  (void)vm;
  (void)version;
  *env = &environment;
  return JNI_OK;
}
static jint JNICALL StandInAttachCurrentThread(JavaVM* vm, void** env, void* args) {
  (void)vm;
  (void)args;
  *env = &environment;
  return JNI_OK;
}
static jint JNICALL StandInDetachCurrentThread(JavaVM* vm) {
  (void)vm;
  return JNI_OK;
}

JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** vm, void** env, void* args) {
  const JavaVMInitArgs* init = args;
  for (jint i = 0; i < init->nOptions; ++i) Log("option", init->options[i].optionString);
  char folder[2048] = "";
  GetCurrentDirectoryA(sizeof folder, folder);
  Log("folder", folder);
  functions.GetVersion = StandInGetVersion;
  functions.FindClass = StandInFindClass;
  functions.AllocObject = StandInAllocObject;
  functions.GetMethodID = StandInGetMethodID;
  functions.NewStringUTF = StandInNewStringUTF;
  functions.CallObjectMethodA = StandInCallObjectMethodA;
  functions.CallVoidMethodA = StandInCallVoidMethodA;
  functions.GetStringLength = StandInGetStringLength;
  functions.GetStringChars = StandInGetStringChars;
  functions.GetStringRegion = StandInGetStringRegion;
  functions.CallBooleanMethodV = StandInCallBooleanMethodV;
  functions.ReleaseStringChars = StandInReleaseStringChars;
  functions.ExceptionCheck = StandInExceptionCheck;
  functions.ExceptionOccurred = StandInExceptionOccurred;
  functions.ExceptionClear = StandInExceptionClear;
  functions.DeleteLocalRef = StandInDeleteLocalRef;
  functions.PushLocalFrame = StandInPushLocalFrame;
  functions.PopLocalFrame = StandInPopLocalFrame;
  invoke.GetEnv = StandInGetEnv;
  invoke.AttachCurrentThread = StandInAttachCurrentThread;
  invoke.DetachCurrentThread = StandInDetachCurrentThread;
  created = 1;
  *vm = &machine;
  *env = &environment;
  return JNI_OK;
}

JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* args) {
  (void)args;
  return JNI_OK;
}

JNIEXPORT jint JNICALL JNI_GetCreatedJavaVMs(JavaVM** vms, jsize size, jsize* count) {
  if (created && size > 0) vms[0] = &machine;
  *count = created ? 1 : 0;
  return JNI_OK;
}
