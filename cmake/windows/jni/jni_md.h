/* The machine-dependent part of the JNI headers for 64-bit Windows: what the
   JDK's include/win32 holds, for a build that cross-compiles against the
   Linux JDK's jni.h. jni.h itself is the same on every system. */
#ifndef _JAVASOFT_JNI_MD_H_
#define _JAVASOFT_JNI_MD_H_

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

/* jint is 32 bits and jlong 64 on Windows: "long" is 32 bits there. */
typedef int jint;
typedef long long jlong;
typedef signed char jbyte;

#endif /* !_JAVASOFT_JNI_MD_H_ */
