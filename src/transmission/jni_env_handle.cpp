#include "transmission/jni_env_handle.h"

#include "text/cp1252.h"

namespace voske {

TJNIEnv::TJNIEnv(JNIEnv* env) : env_(env), version_(env->GetVersion()) {}

jstring TJNIEnv::NewString(const std::string& utf8) const {
  std::string modified;
  modified.reserve(utf8.size());
  for (char c : utf8) {
    if (c == '\0') modified += "\xC0\x80";
    else modified += c;
  }
  return env_->NewStringUTF(modified.c_str());
}

Text TJNIEnv::ToText(jstring s) const {
  if (!s) return {};
  const jsize length = env_->GetStringLength(s);
  const jchar* chars = env_->GetStringChars(s, nullptr);
  if (!chars) return {};
  const std::u16string utf16(reinterpret_cast<const char16_t*>(chars), static_cast<size_t>(length));
  env_->ReleaseStringChars(s, chars);
  return FromUtf16(utf16);
}

}  // namespace voske
