#pragma once
// The readers open files by path, as users give them; each fuzz input is
// written to one private temporary file per process, replaced every run.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace voske::fuzz {

inline const std::string& InputPath(const char* name) {
  static const std::string path = [name] {
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/voske-fuzz-XXXXXX";
    if (!::mkdtemp(dir.data())) std::abort();
    return dir + "/" + name;
  }();
  return path;
}

inline void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

}  // namespace voske::fuzz
