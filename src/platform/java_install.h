#pragma once
// How Java runtimes are laid out on this system: where a Java home keeps its
// VM library, where the system's packages put them, how a class path is
// written. Facts of the system, not of any one runtime.
#include <string>
#include <vector>

namespace voske::platform {

// The VM library of a Java home folder as Java 9 and later lay it out:
// <home>/lib/server/libjvm.so on POSIX, <home>\bin\server\jvm.dll on Windows.
std::string VmLibraryOfJavaHome(const std::string& javaHome);
// The VM library of a home folder registered as a development kit under the
// old key: <home>/lib/server/libjvm.so on POSIX; on Windows the kit's own
// runtime, <home>\jre\bin\client\jvm.dll, or its server VM where only that
// one is installed (64-bit kits have no client VM).
std::string VmLibraryOfRegisteredKit(const std::string& javaHome);
// The file whose presence tells a development kit from a runtime.
std::string CompilerOfJavaHome(const std::string& javaHome);

// Java homes the system's packages declare as the default, in order: a home
// folder or the "java" launcher inside one (POSIX: the alternatives' links);
// and the folder that holds every packaged Java home. Empty on Windows,
// where runtimes are found through the registry.
std::vector<std::string> DefaultJavaPlaces();
std::string PackagedJavaFolder();

// The separator between class path entries (":" or ";"), and a folder in the
// form a class path takes ("/" between its parts on every system).
char ClassPathSeparator();
std::string ClassPathFormOf(const std::string& folder);

// A path as the client component takes it in its arguments: on Windows with
// every "\" doubled, as it has always been handed over; unchanged on POSIX.
std::string ClientPathArgument(const std::string& path);

// Lets the libraries a VM library depends on be found beside it when it is
// loaded (on Windows its bin folder joins the DLL search path; the POSIX
// loader needs nothing). Call before loading the library.
void PrepareToLoadVm(const std::string& vmLibrary);

}  // namespace voske::platform
