#pragma once
// What a failing call tells the user: the message of the EGenerica it
// raises, so converter tests compare the exact Portuguese text.
#include "text/error.h"
#include "text/text.h"

namespace voske::support {

// The message of the EGenerica `call` raises, or "(no error)".
template <typename F>
Text ErrorOf(F&& call) {
  try {
    call();
  } catch (const EGenerica& e) {
    return e.Message();
  }
  return "(no error)";
}

}  // namespace voske::support
