#include "text/program_version.h"

namespace voske {

const char* ProgramVersion() { return VOSKE_PROGRAM_VERSION; }

}  // namespace voske
