#pragma once
// The program's version: the title bar, the status bar and the documents'
// oxr:apTrans all show this one value.
namespace voske {

// "3.3": the CMake project version (project(voske-xml VERSION ...)), its only
// written home. Only program_version.cpp sees it, so a new version rebuilds
// one file.
const char* ProgramVersion();

}  // namespace voske
