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

Text TJNIEnv::ToText(jstring s, std::size_t maxUnits) const {
  if (!s) return {};
  const auto length = static_cast<std::size_t>(env_->GetStringLength(s));
  const std::size_t taken = length < maxUnits ? length : maxUnits;
  std::u16string utf16(taken, u'\0');
  env_->GetStringRegion(s, 0, static_cast<jsize>(taken), reinterpret_cast<jchar*>(utf16.data()));
  if (env_->ExceptionCheck()) {
    env_->ExceptionClear();
    return {};
  }
  Text text = FromUtf16(utf16);
  if (taken < length) text += '\x85';  // "…" in Windows-1252
  return text;
}

}  // namespace voske
