#pragma once
// How the sub-commands read an option that takes a value: "--name=value" or
// "--name value".
#include <cstddef>
#include <string>
#include <vector>

namespace voske::cli {

// Whether args[i] is `option` with a value. The value goes to `value`; when
// it is the next argument, `i` moves past it. An option given last, with no
// value after it, does not match, so the caller reports it as unknown or
// missing its value.
bool OptionValue(const std::vector<std::string>& args, std::size_t& i, const char* option, std::string& value);

}  // namespace voske::cli
