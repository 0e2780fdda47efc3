#pragma once
// Where the package's own files are: beside the program (the build folder
// keeps the programs, libvoske.so and the Java client together), else in the
// package's folder of the installed layout, <prefix>/lib/voske-xml for a
// program in <prefix>/bin. The host program looking for the library and the
// transmission looking for the Java client follow this one rule.
#include <string>

namespace voske::platform {

// The package's own folder, relative to the installation prefix.
inline constexpr const char* kInstalledLibraryFolder = "lib/voske-xml";

// The first of `folder` and its installed counterpart in which `relative`
// (a file, or a file in a sub-folder: "ext/VOSKE/VOSKEClient.jar") exists;
// `folder` when neither holds it, so that a message names the place looked
// at first.
std::string PackageFolderHolding(const std::string& folder, const std::string& relative);

}  // namespace voske::platform
