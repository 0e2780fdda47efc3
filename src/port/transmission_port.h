#pragma once
// How the main window's workflow reaches Java discovery and sending without
// depending on the JVM itself. The front ends wire it to the transmission
// subsystem; tests give it a double.
#include <string>

#include "port/document_kind.h"
#include "port/front_end.h"
#include "text/text.h"

namespace voske {

// Everything one sending reads from the main window.
struct SendRequest {
  std::string xmlPath;            // OutputPath: the XML file to send, double quotes removed
  std::string destinationFolder;  // the folder of the "Recibo" folder, as typed
  DocumentKind documentKind = DocumentKind::Cadastral;  // the kind the file must be of
  bool useProxy = false;          // whether the proxy box is checked
  Text proxyServer, proxyPort, proxyUser, proxyPassword;
  Text passwordUpper;             // OxrPasswordUpper
};

class TransmissionPort {
 public:
  virtual ~TransmissionPort() = default;
  // The Java version text for the window caption; empty when none was found.
  virtual Text JavaVersion() = 0;
  // Starts the embedded JVM, or reports why it cannot; false when sending is impossible.
  virtual bool StartJavaVM(FrontEnd& frontEnd) = 0;
  // Sends one document; reports every outcome itself through the front end.
  // The window calls it on a thread of its own (not the window's), with a
  // front end that carries each report over to the window.
  virtual void SendDocument(const SendRequest& request, FrontEnd& frontEnd) = 0;
  // The main window is closing: its Java environment handle is released and
  // must not be used again (the VM itself stays loaded). A later window of
  // the same process takes the running VM again when it starts up.
  virtual void ReleaseJavaEnvironment() {}
};

}  // namespace voske
