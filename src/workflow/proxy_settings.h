#pragma once
// The proxy settings a sending passes to the client component, and the
// proxy dialog's rule for confirming them.
#include "port/front_end.h"
#include "text/text.h"

namespace voske {

struct ProxySettings {
  Text server, port, user, password;
};

// The proxy dialog's "Confirmar": the first field that is blank once
// trimmed, in the order server, port, user, password, is named in an error
// and false is returned (the dialog stays open). The port is not required
// to be a number; the fields are kept untrimmed.
bool CheckProxySettings(const ProxySettings& typed, FrontEnd& frontEnd);

// Whether all four fields hold text once trimmed: settings a sending can use.
bool ProxySettingsComplete(const ProxySettings& settings);

}  // namespace voske
