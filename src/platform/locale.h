#pragma once
// The process locale around an embedded runtime (the Java VM), which reads
// it when it starts. The program's own conversions never depend on it.
#include <string>

namespace voske::platform {

// Makes a runtime started after this call take file names as UTF-8, as the
// program's paths are. On POSIX, under a locale that is not UTF-8 (no LANG
// at all, as in scheduled jobs, or LANG=C) only the character type is
// switched to UTF-8 in the environment; every other category keeps what the
// user chose. On Windows file names are wide already: nothing changes.
void PreferUtf8FileNames();

// Restores the C library's locale of the process when it goes, whatever a
// runtime started meanwhile set it to.
class ProgramLocaleKept {
 public:
  ProgramLocaleKept();
  ~ProgramLocaleKept();
  ProgramLocaleKept(const ProgramLocaleKept&) = delete;
  ProgramLocaleKept& operator=(const ProgramLocaleKept&) = delete;

 private:
  std::string locale_;
};

}  // namespace voske::platform
