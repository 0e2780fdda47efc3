#include "workflow/proxy_settings.h"

#include "text/cp1252.h"

namespace voske {

bool CheckProxySettings(const ProxySettings& typed, FrontEnd& frontEnd) {
  const struct {
    const Text& value;
    const char* name;
  } fields[] = {{typed.server, "Servidor"}, {typed.port, "Porta"}, {typed.user, "Usuário"}, {typed.password, "Senha"}};
  for (const auto& f : fields) {
    if (Trim(f.value).empty()) {
      frontEnd.ShowError(Ansi(std::string("O campo \"") + f.name + "\" deve ser definido."));
      return false;
    }
  }
  return true;
}

bool ProxySettingsComplete(const ProxySettings& settings) {
  for (const Text* field : {&settings.server, &settings.port, &settings.user, &settings.password})
    if (Trim(*field).empty()) return false;
  return true;
}

}  // namespace voske
