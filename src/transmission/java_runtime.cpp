#include "transmission/java_runtime.h"

#include <cctype>

#include "platform/java_install.h"

namespace voske {

namespace {

// Registered versions below this are not even looked up (compared as text,
// character by character, as the registry's own version strings sort).
constexpr TextView kOldestRegisteredVersion = "1.5";

}  // namespace

JavaRuntime FindJavaRuntime(const JavaRegistry& registry) {
  JavaRuntime found;
  if (!registry.KeyExists(kJavaSoftKey)) return found;

  if (registry.KeyExists(kJreKey)) {
    found.version = registry.ReadString(kJreKey, "CurrentVersion");
    if (!(Trim(found.version) < kOldestRegisteredVersion)) {
      found.libraryPath = registry.ReadString(std::string(kJreKey) + "\\" + found.version, "RuntimeLib");
    }
  }
  // A runtime registered with an old version does not fall through to the
  // development kit: only a missing runtime version does.
  if (Trim(found.version).empty() && registry.KeyExists(kJdkKey)) {
    found.version = registry.ReadString(kJdkKey, "CurrentVersion");
    if (!Trim(found.version).empty()) {
      found.libraryPath =
          platform::VmLibraryOfRegisteredKit(registry.ReadString(std::string(kJdkKey) + "\\" + found.version, "JavaHome"));
    }
  }
  return found;
}

std::optional<int> JavaFeatureVersion(TextView version) {
  const Text v = Trim(version);
  size_t pos = 0;
  // Reads the run of digits at `pos`; false when there is none or it is absurdly long.
  auto number = [&](int& out) {
    const size_t start = pos;
    out = 0;
    while (pos < v.size() && std::isdigit(static_cast<unsigned char>(v[pos]))) {
      if (pos - start >= 6) return false;
      out = out * 10 + (v[pos] - '0');
      ++pos;
    }
    return pos > start;
  };
  int major = 0;
  if (!number(major)) return std::nullopt;
  if (major == 1 && pos < v.size() && v[pos] == '.') {
    ++pos;
    int minor = 0;
    if (number(minor)) return minor;
  }
  return major;
}

bool IsUsableJavaVersion(TextView version) {
  const std::optional<int> feature = JavaFeatureVersion(version);
  return feature && *feature >= kMinimumJavaFeature;
}

}  // namespace voske
