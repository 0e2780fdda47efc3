#include "platform/java_install.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/windows/wide.h"

namespace voske::platform {

std::string VmLibraryOfJavaHome(const std::string& javaHome) { return JoinPath(javaHome, "bin\\server\\jvm.dll"); }

std::string VmLibraryOfRegisteredKit(const std::string& javaHome) {
  // Concatenated, as the key's home folder always was.
  const std::string client = javaHome + "\\jre\\bin\\client\\jvm.dll";
  const std::string server = javaHome + "\\jre\\bin\\server\\jvm.dll";
  return !IsFile(client) && IsFile(server) ? server : client;
}

std::string CompilerOfJavaHome(const std::string& javaHome) { return JoinPath(javaHome, "bin\\javac.exe"); }

std::vector<std::string> DefaultJavaPlaces() { return {}; }
std::string PackagedJavaFolder() { return {}; }

char ClassPathSeparator() { return ';'; }

std::string ClassPathFormOf(const std::string& folder) {
  std::string form = folder;
  std::replace(form.begin(), form.end(), '\\', '/');
  return form;
}

std::string ClientPathArgument(const std::string& path) {
  std::string doubled;
  doubled.reserve(path.size() + 8);
  for (const char c : path) {
    doubled += c;
    if (c == '\\') doubled += c;
  }
  return doubled;
}

void PrepareToLoadVm(const std::string& vmLibrary) {
  // jvm.dll sits in bin\server (or bin\client) and needs the libraries of
  // bin itself (the C runtime the VM was built with, among them): the bin
  // folder joins the search path; the VM's own folder is searched as it loads.
  const std::string vmFolder = ParentFolder(vmLibrary);
  const std::string bin = ParentFolder(vmFolder);
  ::SetDllDirectoryW(windows::Wide(bin.empty() ? vmFolder : bin).c_str());
}

}  // namespace voske::platform
