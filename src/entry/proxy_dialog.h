#pragma once
// TfrmDlgProxy: the proxy server, port, user and password handed to the
// client component when "Utilizar Proxy ao Enviar" is checked. Created the
// first time the box is checked and reused while the main window lives, so
// the fields keep what was typed.
#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace voske {

// Where a confirmed proxy dialog writes: the main window's setters.
struct ProxyTarget {
  std::function<void(const QString&)> SetProxyServer;
  std::function<void(const QString&)> SetProxyPort;
  std::function<void(const QString&)> SetProxyUser;
  std::function<void(const QString&)> SetProxyPassword;
};

class TfrmDlgProxy : public QDialog {
  Q_OBJECT
 public:
  TfrmDlgProxy(ProxyTarget target, QWidget* owner = nullptr);

  QLabel *Label5, *Label6, *Label7, *Label8;
  QLineEdit *Edit5, *Edit6, *Edit7, *Edit8;
  QPushButton* BitBtn3;

  void BitBtn3Click();

 private:
  ProxyTarget target_;
};

}  // namespace voske
