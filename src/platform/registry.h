#pragma once
// The system's registry of installed software, read only: keys of the local
// machine, in the 64-bit view whatever the program's own width. Key paths are
// UTF-8 with "\" between their parts ("Software\JavaSoft"). POSIX systems
// have no such registry: there no key exists.
#include <string>
#include <vector>

namespace voske::platform {

// Whether the key exists (and may be opened for reading).
bool RegistryKeyExists(const std::string& key);
// A string value of a key, as UTF-8; empty when the key or the value is
// absent or not a string.
std::string RegistryString(const std::string& key, const std::string& value);
// The names of a key's subkeys, in the registry's order; empty when the key
// is absent.
std::vector<std::string> RegistrySubkeys(const std::string& key);

}  // namespace voske::platform
