#pragma once
// The folder the folder dialog opens at.
#include <initializer_list>
#include <string>

namespace voske {

// The folder typed in the destination field when it exists, else the user's
// home folder: the user picks near where they already are, never in the
// program's own folder (the current directory once the Java VM has started).
std::string FolderDialogStart(const std::string& typedDestination);

// The folder a file picker opens at: the first of `candidates` that is a
// folder (a file names the folder it lies in), else the user's home folder.
// The XML picker passes the destination folder first, where the generated
// documents are; the workbook picker the workbook typed.
std::string FilePickerStart(std::initializer_list<std::string> candidates);

}  // namespace voske
