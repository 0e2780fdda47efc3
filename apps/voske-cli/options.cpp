#include "options.h"

namespace voske::cli {

bool OptionValue(const std::vector<std::string>& args, std::size_t& i, const char* option, std::string& value) {
  const std::string& a = args[i];
  const std::string prefix = std::string(option) + "=";
  if (a.rfind(prefix, 0) == 0) {
    value = a.substr(prefix.size());
    return true;
  }
  if (a == option && i + 1 < args.size()) {
    value = args[++i];
    return true;
  }
  return false;
}

}  // namespace voske::cli
