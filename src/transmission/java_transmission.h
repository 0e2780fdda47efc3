#pragma once
// The transmission the front ends plug into the main window's workflow: the
// installed Java runtime, the embedded VM and the client component.
#include <jni.h>

#include <memory>
#include <optional>
#include <string>

#include "transmission/java_registry.h"
#include "transmission/java_runtime.h"
#include "transmission/sender.h"
#include "port/transmission_port.h"

namespace voske {

class JavaTransmission : public TransmissionPort {
 public:
  // The Java installed on this machine, the client folder beside the program
  // (or VOSKE_CLIENT_DIR).
  JavaTransmission();
  // For tests and other hosts: their own registry answers and client folder.
  JavaTransmission(std::unique_ptr<JavaRegistry> registry, std::string clientFolder);
  // Forgets the environment; the VM itself keeps running for the process.
  ~JavaTransmission() override;

  Text JavaVersion() override;
  bool StartJavaVM(FrontEnd& frontEnd) override;
  void SendDocument(const SendRequest& request, FrontEnd& frontEnd) override;
  // Forgets this window's hold on the VM; a later StartJavaVM (a new window)
  // takes the running VM again.
  void ReleaseJavaEnvironment() override { vm_ = nullptr; }

  const JavaRuntime& Runtime();
  const std::string& clientFolder() const { return clientFolder_; }
  // What the last SendDocument ended with (Failed before any).
  SendOutcome lastOutcome() const { return lastOutcome_; }

 private:
  std::unique_ptr<JavaRegistry> registry_;
  std::string clientFolder_;
  std::optional<JavaRuntime> runtime_;
  JavaVM* vm_ = nullptr;
  SendOutcome lastOutcome_ = SendOutcome::Failed;
};

// Shown when a sending is asked for and no VM could be started.
Text NoJavaVmMessage();

}  // namespace voske
