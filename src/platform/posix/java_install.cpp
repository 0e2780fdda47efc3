#include "platform/java_install.h"

#include "platform/file_system.h"

namespace voske::platform {

std::string VmLibraryOfJavaHome(const std::string& javaHome) { return JoinPath(javaHome, "lib/server/libjvm.so"); }
// Concatenated, as the key's home folder always was.
std::string VmLibraryOfRegisteredKit(const std::string& javaHome) { return javaHome + "/lib/server/libjvm.so"; }
std::string CompilerOfJavaHome(const std::string& javaHome) { return JoinPath(javaHome, "bin/javac"); }

std::vector<std::string> DefaultJavaPlaces() { return {"/usr/lib/jvm/default-java", "/usr/bin/java"}; }
std::string PackagedJavaFolder() { return "/usr/lib/jvm"; }

char ClassPathSeparator() { return ':'; }
std::string ClassPathFormOf(const std::string& folder) { return folder; }

std::string ClientPathArgument(const std::string& path) { return path; }

void PrepareToLoadVm(const std::string&) {}

}  // namespace voske::platform
