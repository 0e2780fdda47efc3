#include "workflow/folder_start.h"

#include "platform/file_system.h"
#include "platform/process.h"

namespace voske {

std::string FolderDialogStart(const std::string& typedDestination) {
  if (platform::IsFolder(typedDestination)) return typedDestination;
  return platform::HomeFolder();
}

}  // namespace voske
