#pragma once
// TJNIEnv: the environment of the embedded VM for the calling thread, with
// the two text conversions every call into the client component needs.
#include <jni.h>

#include <cstddef>
#include <string>

#include "text/text.h"

namespace voske {

class TJNIEnv {
 public:
  explicit TJNIEnv(JNIEnv* env);

  JNIEnv* operator->() const { return env_; }
  JNIEnv* get() const { return env_; }
  jint version() const { return version_; }

  // A Java string from UTF-8 (the VM's modified UTF-8 differs only for the NUL
  // character, which is encoded as the VM expects).
  jstring NewString(const std::string& utf8) const;
  // A Java string as Windows-1252 text; null gives an empty text. Of a string
  // longer than `maxUnits` UTF-16 units only the first ones are copied out of
  // the VM, followed by "..." (one character), so no answer is taken whole.
  Text ToText(jstring s, std::size_t maxUnits = kNoLimit) const;

  static constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

 private:
  JNIEnv* env_;
  jint version_;
};

}  // namespace voske
