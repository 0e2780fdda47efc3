#pragma once
// The registry-shaped layer answered from the Java installed on this machine:
// JAVA_HOME when it is set, else the system's default JVM, else the first JVM
// under the JVM folder that has a VM library. Its version text is the
// JAVA_VERSION of the installation's "release" file.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "transmission/java_registry.h"

namespace voske {

struct JavaSearchPlaces {
  // JAVA_HOME when set. When it is set but names no folder, no other place is
  // tried: an explicit choice that is wrong must not be silently replaced.
  std::optional<std::filesystem::path> javaHome;
  // The system's default JVM, in order of preference: folders, or links to a
  // "java" launcher inside a JVM's bin folder.
  std::vector<std::filesystem::path> defaults;
  // Folder whose sub-folders are JVM installations, searched by name.
  std::filesystem::path jvmFolder;
};

// JAVA_HOME, /usr/lib/jvm/default-java, the "java" launcher the system runs,
// and /usr/lib/jvm.
JavaSearchPlaces SystemJavaSearchPlaces();

// The home folder of the Java to use, or none.
std::optional<std::filesystem::path> LocateJavaHome(const JavaSearchPlaces& places);

// JAVA_VERSION from the "release" file of a Java home (quotes removed), or
// empty when the file or the entry is missing.
std::string ReadReleaseVersion(const std::filesystem::path& javaHome);

// The keys an installation at `javaHome` answers: the runtime key with its
// version and VM library, and, when it has a compiler, the development-kit
// key with its home folder.
MemoryRegistry RegistryForJavaHome(const std::filesystem::path& javaHome);

// Everything together: the layer for the Java installed here (empty when none).
MemoryRegistry InstalledJavaRegistry(const JavaSearchPlaces& places = SystemJavaSearchPlaces());

}  // namespace voske
