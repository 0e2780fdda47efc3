#pragma once
// TfrmDlgProxy: the proxy server, port, user and password handed to the
// client component when "Utilizar Proxy ao Enviar" is checked. Created the
// first time the box is checked and reused while the main window lives, so
// the fields keep what was typed.
#include <QDialog>

#include <functional>

#include "workflow/proxy_settings.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace voske {

// What "Confirmar" hands the four fields to: the main window's workflow,
// which checks them, reports the first blank one and stores them. True
// closes the dialog; false keeps it open.
using ProxyConfirm = std::function<bool(const ProxySettings&)>;

class TfrmDlgProxy : public QDialog {
  Q_OBJECT
 public:
  TfrmDlgProxy(ProxyConfirm confirm, QWidget* owner = nullptr);

  QLabel *serverLabel_, *portLabel_, *passwordLabel_, *userLabel_;
  QLineEdit *server_, *port_, *proxyPassword_, *user_;
  QPushButton* confirm_;

  void Confirm();

 private:
  ProxyConfirm onConfirm_;
};

}  // namespace voske
