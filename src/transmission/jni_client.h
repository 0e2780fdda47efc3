#pragma once
// The client component reached through the embedded VM's environment.
#include <jni.h>

#include "transmission/client_component.h"
#include "transmission/jni_env_handle.h"

namespace voske {

// Lives for one sending. Every local reference it makes is released with it,
// and a lookup that fails leaves no Java exception behind.
class JniClientComponent : public ClientComponent {
 public:
  explicit JniClientComponent(JNIEnv* env);
  ~JniClientComponent() override;
  JniClientComponent(const JniClientComponent&) = delete;
  JniClientComponent& operator=(const JniClientComponent&) = delete;

  bool FindClientClass() override;
  bool HasMethod(const char* name, const char* signature) override;
  void ConfigProxy(const std::string& host, const std::string& port, const std::string& user,
                   const std::string& password, const std::string& oxrPassword) override;
  Text Send(const std::string& receiptFolder, const std::string& file, const std::string& kind,
            const std::string& password) override;
  bool DocumentReceived() override;
  bool ExceptionPending() override;
  void ClearException() override;

 private:
  jmethodID Method(const char* name, const char* signature);

  TJNIEnv env_;
  bool framePushed_ = false;
  jclass class_ = nullptr;
  jobject instance_ = nullptr;
};

}  // namespace voske
