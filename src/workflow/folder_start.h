#pragma once
// The folder the folder dialog opens at.
#include <string>

namespace voske {

// The folder typed in the destination field when it exists, else the user's
// home folder: the user picks near where they already are, never in the
// program's own folder (the current directory once the Java VM has started).
std::string FolderDialogStart(const std::string& typedDestination);

}  // namespace voske
