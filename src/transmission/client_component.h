#pragma once
// The client component (class JNIMain) as one sending sees it. The sender's
// rules are written against this interface; the embedded VM implements it,
// and tests can stand in for the VM.
#include <cstddef>
#include <string>

#include "text/text.h"

namespace voske {

class ClientComponent {
 public:
  virtual ~ClientComponent() = default;

  // Finds the class JNIMain and allocates an instance of it (no constructor
  // runs); false when the class is not on the class path.
  virtual bool FindClientClass() = 0;
  // Whether the instance method exists with the given signature text.
  virtual bool HasMethod(const char* name, const char* signature) = 0;

  // The calls themselves. Every argument is UTF-8, as the VM receives it.
  virtual void ConfigProxy(const std::string& host, const std::string& port, const std::string& user,
                           const std::string& password, const std::string& oxrPassword) = 0;
  // The returned string in Windows-1252; empty for a null or empty result.
  virtual Text Send(const std::string& receiptFolder, const std::string& file, const std::string& kind,
                    const std::string& password) = 0;

  // Whether the document of the last Send reached the regulator and was
  // accepted although Send returned a text: its receipt could not be
  // written, and the text says why. False for clients that cannot tell.
  virtual bool DocumentReceived() { return false; }

  // A Java exception raised by the last call and not yet cleared.
  virtual bool ExceptionPending() = 0;
  virtual void ClearException() = 0;
};

inline constexpr char kConfigProxyMethod[] = "configProxy";
inline constexpr char kConfigProxySignature[] =
    "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)V";
inline constexpr char kSendMethod[] = "send";
inline constexpr char kSendSignature[] =
    "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;)Ljava/lang/String;";
// Optional: clients that have it tell an accepted document whose receipt
// could not be written from a refused one.
inline constexpr char kDocumentReceivedMethod[] = "documentReceived";
inline constexpr char kDocumentReceivedSignature[] = "()Z";

// The most of a text from the client that is taken (UTF-16 units): a refusal
// is a sentence or a list of problems; a client passing on an endless answer
// must not fill the memory or the screen with it.
inline constexpr std::size_t kMaxClientTextUnits = 64 * 1024;

}  // namespace voske
