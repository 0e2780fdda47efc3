#include "platform/locale.h"

#include <clocale>

namespace voske::platform {

ProgramLocaleKept::ProgramLocaleKept() {
  const char* current = std::setlocale(LC_ALL, nullptr);
  locale_ = current ? current : "C";
}

ProgramLocaleKept::~ProgramLocaleKept() { std::setlocale(LC_ALL, locale_.c_str()); }

}  // namespace voske::platform
