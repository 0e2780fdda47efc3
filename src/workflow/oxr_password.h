#pragma once
// The regulator password of one run: the confirmation rule of the password
// dialog, and the only form in which the documents and the sender see it.
#include "port/front_end.h"
#include "text/text.h"

namespace voske {

// The password dialog's OK: an empty text is refused with "Nehuma senha foi
// digitada para Confirmação." (the dialog then stays open). Blanks are a
// password like any other, so nothing is trimmed.
bool AcceptOxrPassword(const Text& typed, FrontEnd& frontEnd);

// The password with the letters a-z in upper case; accented letters and
// every other character stay as typed.
Text OxrPasswordUpper(const Text& password);

}  // namespace voske
