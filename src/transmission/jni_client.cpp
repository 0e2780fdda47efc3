#include "transmission/jni_client.h"

#include "text/error.h"

namespace voske {

namespace {
// Local references one sending needs: class, instance, nine strings, result.
constexpr jint kLocalReferences = 32;
}  // namespace

JniClientComponent::JniClientComponent(JNIEnv* env) : env_(env) {
  // The calling thread may never return to Java, so its local references
  // would pile up sending after sending without a frame of their own.
  framePushed_ = env_->PushLocalFrame(kLocalReferences) == JNI_OK;
  if (!framePushed_) env_->ExceptionClear();
}

JniClientComponent::~JniClientComponent() {
  if (framePushed_) env_->PopLocalFrame(nullptr);
}

bool JniClientComponent::FindClientClass() {
  class_ = env_->FindClass("JNIMain");
  if (!class_) {
    env_->ExceptionClear();  // NoClassDefFoundError: reported by the caller in its own words
    return false;
  }
  instance_ = env_->AllocObject(class_);
  if (!instance_) {
    env_->ExceptionClear();
    return false;
  }
  return true;
}

jmethodID JniClientComponent::Method(const char* name, const char* signature) {
  if (!class_) return nullptr;
  jmethodID id = env_->GetMethodID(class_, name, signature);
  if (!id) env_->ExceptionClear();  // NoSuchMethodError
  return id;
}

bool JniClientComponent::HasMethod(const char* name, const char* signature) {
  return Method(name, signature) != nullptr;
}

void JniClientComponent::ConfigProxy(const std::string& host, const std::string& port, const std::string& user,
                                     const std::string& password, const std::string& oxrPassword) {
  jmethodID id = Method(kConfigProxyMethod, kConfigProxySignature);
  if (!id) throw EVoske(Text("configProxy"));
  jvalue args[5];
  args[0].l = env_.NewString(host);
  args[1].l = env_.NewString(port);
  args[2].l = env_.NewString(user);
  args[3].l = env_.NewString(password);
  args[4].l = env_.NewString(oxrPassword);
  if (env_->ExceptionCheck()) return;  // out of memory: left pending for the caller
  env_->CallVoidMethodA(instance_, id, args);
}

Text JniClientComponent::Send(const std::string& receiptFolder, const std::string& file, const std::string& kind,
                              const std::string& password) {
  jmethodID id = Method(kSendMethod, kSendSignature);
  if (!id) throw EVoske(Text("send"));
  jvalue args[4];
  args[0].l = env_.NewString(receiptFolder);
  args[1].l = env_.NewString(file);
  args[2].l = env_.NewString(kind);
  args[3].l = env_.NewString(password);
  if (env_->ExceptionCheck()) return {};
  jobject result = env_->CallObjectMethodA(instance_, id, args);
  if (env_->ExceptionCheck()) return {};
  return env_.ToText(static_cast<jstring>(result), kMaxClientTextUnits);
}

bool JniClientComponent::DocumentReceived() {
  if (env_->ExceptionCheck()) return false;  // a failed Send says nothing was received
  jmethodID id = Method(kDocumentReceivedMethod, kDocumentReceivedSignature);
  if (!id) return false;
  const jboolean received = env_->CallBooleanMethod(instance_, id);
  if (env_->ExceptionCheck()) {
    env_->ExceptionClear();
    return false;
  }
  return received == JNI_TRUE;
}

bool JniClientComponent::ExceptionPending() {
  jthrowable pending = env_->ExceptionOccurred();
  if (!pending) return false;
  env_->DeleteLocalRef(pending);
  return true;
}

void JniClientComponent::ClearException() { env_->ExceptionClear(); }

}  // namespace voske
