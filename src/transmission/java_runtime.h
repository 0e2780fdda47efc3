#pragma once
// FindJavaRuntime: the Java version text and the VM library path, read from
// the registry-shaped layer, and the rule that says which versions can run
// the client component.
#include <optional>
#include <string>

#include "text/text.h"
#include "transmission/java_registry.h"

namespace voske {

struct JavaRuntime {
  Text version;              // as registered, e.g. "1.6" or "17.0.15"
  std::string libraryPath;   // the VM library; empty when none was found
};

JavaRuntime FindJavaRuntime(const JavaRegistry& registry);

// The feature release a version text names: "1.x..." means x (1.6 -> 6,
// 1.8.0_392 -> 8), anything else its leading number (9, 11.0.2 -> 11,
// 17.0.15 -> 17). Blanks around the text are ignored. Empty when the text
// does not start with a number.
std::optional<int> JavaFeatureVersion(TextView version);

// The client component needs Java 6 (1.6) or later.
inline constexpr int kMinimumJavaFeature = 6;
bool IsUsableJavaVersion(TextView version);

}  // namespace voske
