#include "platform/memory.h"

namespace voske::platform {

// Large pages on Windows need a privilege that ordinary users lack and must
// be asked for when the memory is allocated, not advised afterwards: the
// hint has nothing to say there.
void AdviseLargePages(const void*, std::size_t) {}

}  // namespace voske::platform
