#include "generation/generation_state.h"

#include <sys/stat.h>
#include <unistd.h>

namespace voske {

void FailGeneration(GenerationState& state) { state.generationFailed = true; }

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

void DiscardOwnOutput(GenerationState& state, const std::optional<FileIdentity>& own) {
  if (own && IdentityOf(state.outputPath) == own) ::unlink(state.outputPath.c_str());
  FailGeneration(state);
}

}  // namespace voske
