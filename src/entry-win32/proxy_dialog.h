#pragma once
// TfrmDlgProxy: the proxy server, port, user and password a sending goes
// through when "Utilizar Proxy ao Enviar" is checked. Made the first time
// the box is checked and reused while the main window lives, so it shows
// what was typed before.
#include <functional>

#include "entry-win32/form.h"
#include "workflow/proxy_settings.h"

namespace voske::win32 {

// Hands the typed fields to the main window's workflow; false keeps the
// dialog open (a field was blank and has been reported).
using ProxyConfirm = std::function<bool(const ProxySettings&)>;

class ProxyForm : public Form {
 public:
  ProxyForm(ProxyConfirm confirm, HWND owner);
  ~ProxyForm() override;

 protected:
  void OnCommand(int id, int code, HWND control) override;
  // Esc leaves as the close box does: nothing reaches the main window.
  void OnCancel() override { EndModal(0); }

 private:
  void Confirm();

  ProxyConfirm confirm_;
  HICON glyph_ = nullptr;
};

}  // namespace voske::win32
