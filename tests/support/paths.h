#pragma once
// Where tests find the shared corpus and a scratch folder of their own.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/process.h"

namespace voske::support {

// Each folder comes from the environment, else from what the build put in.
inline std::string EnvOrBuilt(const char* name, const char* built) {
  const char* env = std::getenv(name);
  return env && *env ? env : built;
}
#ifndef VOSKE_BUILT_SHARED_DIR
#define VOSKE_BUILT_SHARED_DIR ""
#endif
#ifndef VOSKE_BUILT_SOURCE_DIR
#define VOSKE_BUILT_SOURCE_DIR "."
#endif
#ifndef VOSKE_BUILT_BINARY_DIR
#define VOSKE_BUILT_BINARY_DIR "."
#endif

// The shared folder beside the checkout (corpus of real workbooks), or an
// empty path when it is absent; callers GTEST_SKIP with a reason then.
inline std::filesystem::path SharedDir() {
  std::filesystem::path p = EnvOrBuilt("VOSKE_SHARED_DIR", VOSKE_BUILT_SHARED_DIR);
  if (p.empty() || !std::filesystem::is_directory(p)) return {};
  return p;
}

inline std::filesystem::path SourceDir() { return EnvOrBuilt("VOSKE_SOURCE_DIR", VOSKE_BUILT_SOURCE_DIR); }

inline std::filesystem::path BinaryDir() { return EnvOrBuilt("VOSKE_BINARY_DIR", VOSKE_BUILT_BINARY_DIR); }

// A fresh, empty folder under the system's temporary folder, removed with
// everything in it when the object goes away.
class ScratchDir {
 public:
  ScratchDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("voske-test-" + std::to_string(CurrentProcessId()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace voske::support
