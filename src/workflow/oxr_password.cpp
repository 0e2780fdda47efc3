#include "workflow/oxr_password.h"

#include "text/cp1252.h"

namespace voske {

bool AcceptOxrPassword(const Text& typed, FrontEnd& frontEnd) {
  if (!typed.empty()) return true;
  frontEnd.ShowError(Ansi("Nehuma senha foi digitada para Confirmação."));
  return false;
}

Text OxrPasswordUpper(const Text& password) { return UpperAscii(password); }

}  // namespace voske
