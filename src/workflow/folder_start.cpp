#include "workflow/folder_start.h"

#include "platform/file_system.h"
#include "platform/process.h"

namespace voske {

std::string FolderDialogStart(const std::string& typedDestination) {
  if (platform::IsFolder(typedDestination)) return typedDestination;
  return platform::HomeFolder();
}

std::string FilePickerStart(std::initializer_list<std::string> candidates) {
  for (const std::string& c : candidates) {
    if (c.empty()) continue;
    if (platform::IsFolder(c)) return c;
    const std::size_t slash = c.find_last_of("/\\");
    if (slash != std::string::npos && slash > 0 && platform::IsFolder(c.substr(0, slash))) return c.substr(0, slash);
  }
  return platform::HomeFolder();
}

}  // namespace voske
