#pragma once
// Paths are UTF-8 text everywhere in the program. These two conversions are
// the only way a path becomes a std::filesystem::path and back: a path built
// from a narrow string would be read in the system's legacy code page on
// Windows, and "Planilha Padrão.xlsx" would name a file that is not there.
// For the platform layer's own use.
#include <filesystem>
#include <string>

namespace voske::platform {

// The path that UTF-8 text names, whatever the system's code page.
std::filesystem::path PathOf(const std::string& utf8);
// A path as UTF-8 text, with the system's own separators.
std::string Utf8Of(const std::filesystem::path& path);

}  // namespace voske::platform
