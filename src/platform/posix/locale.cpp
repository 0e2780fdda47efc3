#include "platform/locale.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>

namespace voske::platform {

void PreferUtf8FileNames() {
  locale_t environment = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
  const bool utf8 = environment && std::strcmp(::nl_langinfo_l(CODESET, environment), "UTF-8") == 0;
  if (environment) ::freelocale(environment);
  if (utf8) return;
  if (const char* all = std::getenv("LC_ALL"); all && *all) {
    // LC_ALL would override the character type: its choice moves to LANG,
    // which every category without a variable of its own still follows.
    ::setenv("LANG", all, 1);
    ::unsetenv("LC_ALL");
  }
  ::setenv("LC_CTYPE", "C.UTF-8", 1);
}

}  // namespace voske::platform
