#pragma once
// Long work off the window's thread. A sending waits on the regulator's
// service for as long as the client allows; run on the window's own thread
// it would leave the window frozen, unpainted and deaf all that time.
#include <functional>

#include "port/front_end.h"

namespace voske {

// Runs `work` on a thread of its own and returns when it has ended. Meanwhile
// the calling thread, the window's, keeps handling its events through
// `window.ProcessEvents()`. Whatever `work` reports through the front end it
// is handed (messages, status lines, the cursor) is carried over to `window`
// and done there, on the window's thread, in the order it was asked; a
// message holds `work` until the user has closed it, as it would on the
// window's thread. An exception thrown by `work` is thrown again here.
void RunOffWindowThread(FrontEnd& window, const std::function<void(FrontEnd& reports)>& work);

}  // namespace voske
