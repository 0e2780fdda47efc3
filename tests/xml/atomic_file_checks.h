#pragma once
// What a folder holds while a document is saved into it, by name: the
// atomic-file tests look for the temporary beside the document.
#include <filesystem>
#include <string>
#include <vector>

namespace voske::atomic_file_checks {

inline std::vector<std::string> Entries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

// The name a named temporary takes in the destination folder.
inline bool IsTemporaryName(const std::string& name) {
  return name.rfind(".voske-", 0) == 0 && name.size() > 11 && name.substr(name.size() - 4) == ".tmp";
}

}  // namespace voske::atomic_file_checks
