#include "transmission/java_transmission.h"

#include "text/cp1252.h"
#include "transmission/installed_java.h"
#include "transmission/java_vm.h"
#include "transmission/jni_client.h"
#include "transmission/transaction_code.h"

namespace voske {

JavaTransmission::JavaTransmission()
    : JavaTransmission(std::make_unique<MemoryRegistry>(InstalledJavaRegistry()), DefaultClientFolder()) {}

JavaTransmission::JavaTransmission(std::unique_ptr<JavaRegistry> registry, std::string clientFolder)
    : registry_(std::move(registry)), clientFolder_(std::move(clientFolder)) {}

JavaTransmission::~JavaTransmission() { vm_ = nullptr; }

const JavaRuntime& JavaTransmission::Runtime() {
  if (!runtime_) runtime_ = FindJavaRuntime(*registry_);
  return *runtime_;
}

Text JavaTransmission::JavaVersion() { return Runtime().version; }

bool JavaTransmission::StartJavaVM(FrontEnd& frontEnd) {
  vm_ = voske::StartJavaVM(Runtime(), clientFolder_, frontEnd);
  return vm_ != nullptr;
}

Text NoJavaVmMessage() {
  return Ansi("A Máquina Virtual Java não está disponível.") + CR +
         Ansi("Desta forma não será possível transmitir o arquivo para a OXR.");
}

void JavaTransmission::SendDocument(const SendRequest& request, FrontEnd& frontEnd) {
  lastOutcome_ = SendOutcome::Failed;
  bool attached = false;
  JNIEnv* env = EnvironmentForThread(vm_, &attached);
  if (!env) {
    frontEnd.ShowError(NoJavaVmMessage());
    return;
  }
  {
    JniClientComponent client(env);
    lastOutcome_ = voske::SendDocument(request, client, frontEnd, ReadTransactionCode);
  }
  // A thread attached only for this sending must not end attached: the VM
  // would keep its Java side alive for ever.
  if (attached) vm_->DetachCurrentThread();
}

}  // namespace voske
