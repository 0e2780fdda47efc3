#pragma once
// Named temporary files that an interrupted program removes on its way out.
// For posix/ only.
//
// Where the file system cannot hold a document unnamed while it is written,
// its temporary file has a name in the destination folder. Ctrl-C, SIGTERM
// or SIGHUP during the save must not leave it there: while a name is
// recorded here, those signals (when they would end the program anyway)
// first remove it, then end the program as they would have.
#include <string>

namespace voske::platform {

// Records `path` for removal on SIGINT, SIGTERM and SIGHUP, installing the
// handlers the first time. Returns a slot for ForgetTemporaryName, or -1
// when every slot is taken (the file then goes unprotected, as before).
int RecordTemporaryName(const std::string& path);
// The file was renamed into place or removed: a signal must leave it alone.
void ForgetTemporaryName(int slot);

}  // namespace voske::platform
