#pragma once
// StartJavaVM: starts the one Java VM of the process with the client
// component's class path, or reuses the VM that already runs here.
#include <jni.h>

#include <string>

#include "port/front_end.h"
#include "transmission/java_runtime.h"

namespace voske {

// The interface version the VM is asked for.
inline constexpr jint kJniVersion = JNI_VERSION_1_4;

// The client folder beside the host program: its executable's folder, with
// its trailing separator, followed by "/ext/VOSKE".
std::string ClientFolderBeside(const std::string& executableFolder);

// The folder of the file this code runs from: libvoske.so when a host
// loaded the library, else the program itself.
std::string CodeFolder();

// VOSKE_CLIENT_DIR when set; otherwise the client folder beside the code
// (the build folder keeps libvoske.so, the programs and ext/VOSKE together),
// else the one of the installed layout (<prefix>/lib/voske-xml/ext/VOSKE for
// a program in <prefix>/bin); when neither holds the client, the one beside
// the code.
std::string DefaultClientFolder();

// "-Djava.class.path=" followed by the client folder, the client jar in it,
// and the other jars the client has always been shipped with, relative to the
// current directory (the client folder once the VM starts).
std::string ClassPathOption(const std::string& clientFolder);

// The warning shown once when no usable Java was found.
Text RuntimeMissingMessage(const JavaRuntime& runtime);

// Starts the VM or reports why it cannot (through `frontEnd`, with the
// system's messages). On success the current directory is the client folder
// and the VM is returned; it then lives as long as the process. Without a
// usable runtime, or when the start fails, returns null.
JavaVM* StartJavaVM(const JavaRuntime& runtime, const std::string& clientFolder, FrontEnd& frontEnd);

// Whether this process already runs its VM (started here or found running).
bool JavaVmRunning();

// The environment of the calling thread in `vm`, attaching the thread when
// it is not attached yet (then `attached` is set, and the caller detaches it
// when done); null when the VM refuses.
JNIEnv* EnvironmentForThread(JavaVM* vm, bool* attached = nullptr);

}  // namespace voske
