#include "transmission/installed_java.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "transmission/java_runtime.h"

namespace voske {

namespace fs = std::filesystem;

namespace {

bool HasVmLibrary(const fs::path& home) {
  std::error_code ec;
  return fs::is_regular_file(home / fs::path(kJdkLibrarySuffix).relative_path(), ec);
}

// A default may be the JVM's folder itself or the "java" launcher inside its
// bin folder (what the system's alternatives point at).
std::optional<fs::path> HomeOfDefault(const fs::path& place) {
  std::error_code ec;
  const fs::path real = fs::canonical(place, ec);
  if (ec) return std::nullopt;
  if (fs::is_directory(real, ec)) return HasVmLibrary(real) ? std::optional(real) : std::nullopt;
  const fs::path home = real.parent_path().parent_path();
  if (real.parent_path().filename() == "bin" && HasVmLibrary(home)) return home;
  return std::nullopt;
}

}  // namespace

JavaSearchPlaces SystemJavaSearchPlaces() {
  JavaSearchPlaces places;
  if (const char* home = std::getenv("JAVA_HOME"); home && *home) places.javaHome = fs::path(home);
  places.defaults = {"/usr/lib/jvm/default-java", "/usr/bin/java"};
  places.jvmFolder = "/usr/lib/jvm";
  return places;
}

std::optional<fs::path> LocateJavaHome(const JavaSearchPlaces& places) {
  std::error_code ec;
  if (places.javaHome) {
    if (!fs::is_directory(*places.javaHome, ec)) return std::nullopt;
    return *places.javaHome;
  }
  for (const fs::path& place : places.defaults) {
    if (auto home = HomeOfDefault(place)) return home;
  }
  std::vector<fs::path> candidates;
  for (fs::directory_iterator it(places.jvmFolder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_directory(ec) && HasVmLibrary(it->path())) candidates.push_back(it->path());
  }
  if (candidates.empty()) return std::nullopt;
  std::sort(candidates.begin(), candidates.end());
  return candidates.front();
}

std::string ReadReleaseVersion(const fs::path& javaHome) {
  std::ifstream in(javaHome / "release");
  std::string line;
  const std::string key = "JAVA_VERSION=";
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, key.size(), key) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return value;
  }
  return {};
}

MemoryRegistry RegistryForJavaHome(const fs::path& javaHome) {
  MemoryRegistry registry;
  registry.AddKey(kJavaSoftKey);
  const std::string version = ReadReleaseVersion(javaHome);
  if (version.empty()) return registry;

  std::error_code ec;
  const fs::path library = javaHome / fs::path(kJdkLibrarySuffix).relative_path();
  registry.SetString(kJreKey, "CurrentVersion", version);
  registry.SetString(std::string(kJreKey) + "\\" + version, "RuntimeLib",
                     fs::is_regular_file(library, ec) ? library.string() : std::string());
  if (fs::is_regular_file(javaHome / "bin" / "javac", ec)) {
    registry.SetString(kJdkKey, "CurrentVersion", version);
    registry.SetString(std::string(kJdkKey) + "\\" + version, "JavaHome", javaHome.string());
  }
  return registry;
}

MemoryRegistry InstalledJavaRegistry(const JavaSearchPlaces& places) {
  const std::optional<fs::path> home = LocateJavaHome(places);
  return home ? RegistryForJavaHome(*home) : MemoryRegistry();
}

}  // namespace voske
