#include "transmission/installed_java.h"

#include <algorithm>

#include "platform/file_reading.h"
#include "platform/file_system.h"
#include "platform/java_install.h"
#include "platform/process.h"
#include "transmission/java_runtime.h"

namespace voske {

namespace {

bool HasVmLibrary(const std::string& home) { return platform::IsFile(platform::VmLibraryOfJavaHome(home)); }

// A default may be the JVM's folder itself or the "java" launcher inside its
// bin folder (what the system's alternatives point at).
std::optional<std::string> HomeOfDefault(const std::string& place) {
  const std::string real = platform::RealPath(place);
  if (real.empty()) return std::nullopt;
  if (platform::IsFolder(real)) return HasVmLibrary(real) ? std::optional(real) : std::nullopt;
  const std::string bin = platform::ParentFolder(real);
  const std::string home = platform::ParentFolder(bin);
  if (platform::FileNameOf(bin) == "bin" && HasVmLibrary(home)) return home;
  return std::nullopt;
}

// The whole of a small text file; empty when it cannot be read.
std::string SmallTextFile(const std::string& path) {
  constexpr std::uint64_t kCap = 1 << 20;
  const platform::ReadOnlyFile file(path);
  if (!file.IsOpen() || file.Size() > kCap) return {};
  std::string text(static_cast<std::size_t>(file.Size()), '\0');
  const std::ptrdiff_t got = file.ReadFullyAt(0, text.data(), text.size());
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

// A runtime the VM can be started from: a version new enough, and its VM
// library on disk.
bool Runnable(const JavaRuntime& runtime) {
  return IsUsableJavaVersion(runtime.version) && platform::IsFile(Trim(runtime.libraryPath));
}

// The kit that Java 9 and later registered: the key's CurrentVersion, else
// the highest version under it; its JavaHome.
std::optional<MemoryRegistry> ModernKit(const JavaRegistry& system) {
  std::string version = Trim(system.ReadString(kModernJdkKey, "CurrentVersion"));
  if (version.empty()) {
    std::vector<std::string> versions = system.Subkeys(kModernJdkKey);
    // The highest feature release first, then the text (17.0.10 after 17.0.9
    // is not told apart here; both run the client).
    std::sort(versions.begin(), versions.end(), [](const std::string& a, const std::string& b) {
      const int fa = JavaFeatureVersion(a).value_or(0), fb = JavaFeatureVersion(b).value_or(0);
      return fa != fb ? fa > fb : a > b;
    });
    if (versions.empty()) return std::nullopt;
    version = versions.front();
  }
  const std::string home = Trim(system.ReadString(std::string(kModernJdkKey) + "\\" + version, "JavaHome"));
  if (home.empty()) return std::nullopt;
  return RegistryForJavaHome(home, version);
}

}  // namespace

JavaSearchPlaces SystemJavaSearchPlaces() {
  JavaSearchPlaces places;
  if (std::optional<std::string> home = platform::EnvironmentVariable("JAVA_HOME"); home && !home->empty())
    places.javaHome = *home;
  places.defaults = platform::DefaultJavaPlaces();
  places.jvmFolder = platform::PackagedJavaFolder();
  return places;
}

std::optional<std::string> LocateJavaHome(const JavaSearchPlaces& places) {
  if (places.javaHome) {
    if (!platform::IsFolder(*places.javaHome)) return std::nullopt;
    return *places.javaHome;
  }
  for (const std::string& place : places.defaults) {
    if (auto home = HomeOfDefault(place)) return home;
  }
  std::vector<std::string> candidates;
  if (!places.jvmFolder.empty()) {
    for (const std::string& entry : platform::FolderEntries(places.jvmFolder))
      if (platform::IsFolder(entry) && HasVmLibrary(entry)) candidates.push_back(entry);
  }
  if (candidates.empty()) return std::nullopt;
  std::sort(candidates.begin(), candidates.end());
  return candidates.front();
}

std::string ReadReleaseVersion(const std::string& javaHome) {
  const std::string text = SmallTextFile(platform::JoinPath(javaHome, "release"));
  const std::string key = "JAVA_VERSION=";
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, key.size(), key) != 0) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    return value;
  }
  return {};
}

MemoryRegistry RegistryForJavaHome(const std::string& javaHome, const std::string& knownVersion) {
  MemoryRegistry registry;
  registry.AddKey(kJavaSoftKey);
  const std::string version = knownVersion.empty() ? ReadReleaseVersion(javaHome) : knownVersion;
  if (version.empty()) return registry;

  const std::string library = platform::VmLibraryOfJavaHome(javaHome);
  registry.SetString(kJreKey, "CurrentVersion", version);
  registry.SetString(std::string(kJreKey) + "\\" + version, "RuntimeLib",
                     platform::IsFile(library) ? library : std::string());
  if (platform::IsFile(platform::CompilerOfJavaHome(javaHome))) {
    registry.SetString(kJdkKey, "CurrentVersion", version);
    registry.SetString(std::string(kJdkKey) + "\\" + version, "JavaHome", javaHome);
  }
  return registry;
}

MemoryRegistry JavaKeysOf(const JavaRegistry& system) {
  MemoryRegistry copy;
  if (!system.KeyExists(kJavaSoftKey)) return copy;
  copy.AddKey(kJavaSoftKey);
  for (const auto& [key, value] : {std::pair{kJreKey, "RuntimeLib"}, std::pair{kJdkKey, "JavaHome"}}) {
    if (!system.KeyExists(key)) continue;
    const std::string version = system.ReadString(key, "CurrentVersion");
    copy.SetString(key, "CurrentVersion", version);
    const std::string versionKey = std::string(key) + "\\" + version;
    if (system.KeyExists(versionKey)) copy.SetString(versionKey, value, system.ReadString(versionKey, value));
  }
  return copy;
}

MemoryRegistry InstalledJavaRegistry(const JavaSearchPlaces& places) {
  return InstalledJavaRegistry(places, SystemJavaRegistry());
}

MemoryRegistry InstalledJavaRegistry(const JavaSearchPlaces& places, const JavaRegistry& system) {
  MemoryRegistry registered = JavaKeysOf(system);
  if (Runnable(FindJavaRuntime(registered))) return registered;
  if (std::optional<MemoryRegistry> kit = ModernKit(system); kit && Runnable(FindJavaRuntime(*kit))) return *kit;
  if (const std::optional<std::string> home = LocateJavaHome(places)) return RegistryForJavaHome(*home);
  // Nothing runnable anywhere: what the system registered is what the
  // warning then reports ("Versão encontrada: ...").
  return registered;
}

}  // namespace voske
