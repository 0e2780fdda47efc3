#include "platform/locale.h"

namespace voske::platform {

// A VM on Windows opens files through the wide calls: nothing to prepare.
void PreferUtf8FileNames() {}

}  // namespace voske::platform
