#include "generation/generation_state.h"

#include <sys/stat.h>

#include <cstdio>

namespace voske {

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  FileStamp s;
  s.device = static_cast<unsigned long long>(st.st_dev);
  s.inode = static_cast<unsigned long long>(st.st_ino);
  s.size = static_cast<unsigned long long>(st.st_size);
  s.mtimeSec = static_cast<long long>(st.st_mtim.tv_sec);
  s.mtimeNsec = static_cast<long long>(st.st_mtim.tv_nsec);
  return s;
}

void DiscardOutputFile(GenerationState& state) {
  if (!state.outputPath.empty()) {
    const std::optional<FileStamp> now = StampOf(state.outputPath);
    // A document is saved to a temporary file and renamed into place, so a
    // file this run wrote never carries the earlier file's stamp.
    if (now && !(state.earlierFile && *state.earlierFile == *now)) std::remove(state.outputPath.c_str());
  }
  state.generationFailed = true;
}

}  // namespace voske
