#pragma once
// Where the package's own files are: beside the program (the build folder
// keeps the programs, libvoske.so and the Java client together), else in the
// package's folder of the installed layout, <prefix>/lib/voske-xml for a
// program in <prefix>/bin. The host program looking for the library and the
// transmission looking for the Java client follow this one rule.
#include <filesystem>
#include <string>
#include <system_error>

namespace voske {

// The package's own folder, relative to the installation prefix.
inline constexpr const char* kInstalledLibraryFolder = "lib/voske-xml";

// The first of `folder` and its installed counterpart in which `relative`
// (a file or a folder's file) exists, as `exists` tells; `folder` when
// neither holds it, so that a message names the place looked at first.
inline std::filesystem::path PackageFolderHolding(const std::filesystem::path& folder,
                                                  const std::filesystem::path& relative) {
  const std::filesystem::path installed = folder.parent_path() / kInstalledLibraryFolder;
  for (const std::filesystem::path& place : {folder, installed}) {
    std::error_code ec;
    if (std::filesystem::exists(place / relative, ec)) return place;
  }
  return folder;
}

}  // namespace voske
