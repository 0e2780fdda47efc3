#include "platform/registry.h"

namespace voske::platform {

bool RegistryKeyExists(const std::string&) { return false; }
std::string RegistryString(const std::string&, const std::string&) { return {}; }
std::vector<std::string> RegistrySubkeys(const std::string&) { return {}; }

}  // namespace voske::platform
