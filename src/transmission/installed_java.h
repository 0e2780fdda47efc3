#pragma once
// The registry-shaped layer answered from the Java installed on this machine,
// in this order: the keys the system's registry holds for Java (Windows),
// when they name a usable runtime whose VM library is there; the key that
// Java 9 and later register ("Software\JavaSoft\JDK\<version>"); JAVA_HOME;
// the system's default JVM; the first JVM under the JVM folder that has a VM
// library. A home folder's version text is the JAVA_VERSION of its "release"
// file.
#include <optional>
#include <string>
#include <vector>

#include "transmission/java_registry.h"

namespace voske {

// The key under which Java 9 and later register each installed kit.
inline constexpr char kModernJdkKey[] = "Software\\JavaSoft\\JDK";

struct JavaSearchPlaces {
  // JAVA_HOME when set. When it is set but names no folder, no other place is
  // tried: an explicit choice that is wrong must not be silently replaced.
  std::optional<std::string> javaHome;
  // The system's default JVM, in order of preference: folders, or links to a
  // "java" launcher inside a JVM's bin folder.
  std::vector<std::string> defaults;
  // Folder whose sub-folders are JVM installations, searched by name.
  std::string jvmFolder;
};

// JAVA_HOME, and the system's own places (/usr/lib/jvm/default-java, the
// "java" launcher the system runs, /usr/lib/jvm; none on Windows).
JavaSearchPlaces SystemJavaSearchPlaces();

// The home folder of the Java to use, or none.
std::optional<std::string> LocateJavaHome(const JavaSearchPlaces& places);

// JAVA_VERSION from the "release" file of a Java home (quotes removed), or
// empty when the file or the entry is missing.
std::string ReadReleaseVersion(const std::string& javaHome);

// The keys an installation at `javaHome` answers: the runtime key with its
// version (`version`, else the release file's) and VM library, and, when it
// has a compiler, the development-kit key with its home folder.
MemoryRegistry RegistryForJavaHome(const std::string& javaHome, const std::string& version = {});

// What `system` holds under the keys the Java lookup reads, copied.
MemoryRegistry JavaKeysOf(const JavaRegistry& system);

// Everything together, in the order above (empty when nothing was found).
// `system` is the system's registry (tests pass their own).
MemoryRegistry InstalledJavaRegistry(const JavaSearchPlaces& places = SystemJavaSearchPlaces());
MemoryRegistry InstalledJavaRegistry(const JavaSearchPlaces& places, const JavaRegistry& system);

}  // namespace voske
