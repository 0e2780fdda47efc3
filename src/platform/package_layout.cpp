#include "platform/package_layout.h"

#include "platform/file_system.h"

namespace voske::platform {

std::string PackageFolderHolding(const std::string& folder, const std::string& relative) {
  const std::string installed = JoinPath(ParentFolder(folder), kInstalledLibraryFolder);
  for (const std::string& place : {folder, installed})
    if (KindOf(JoinPath(place, relative)) != PathKind::Missing) return place;
  return folder;
}

}  // namespace voske::platform
