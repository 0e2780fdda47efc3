#include "entry/proxy_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>

#include "entry/ui_text.h"

namespace voske {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int x, int y) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->move(x, y);
  l->adjustSize();
  return l;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int width) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setGeometry(x, y, width, 21);
  return e;
}

}  // namespace

TfrmDlgProxy::TfrmDlgProxy(ProxyConfirm confirm, QWidget* owner) : QDialog(owner), onConfirm_(std::move(confirm)) {
  setObjectName(QStringLiteral("frmDlgProxy"));
  setWindowTitle(QStringLiteral("VOSKE-XML - Proxy"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  QFont f;
  QStringList families;
  families << QStringLiteral("MS Sans Serif") << QStringLiteral("Liberation Sans");
  f.setFamilies(families);
  f.setPixelSize(11);
  setFont(f);
  setFixedSize(464, 177);

  serverLabel_ = MakeLabel(this, component::kProxyServerLabel, QStringLiteral("Servidor:"), 16, 24);
  server_ = MakeEdit(this, component::kProxyServer, 64, 20, 217);
  portLabel_ = MakeLabel(this, component::kProxyPortLabel, QStringLiteral("Porta:"), 312, 24);
  port_ = MakeEdit(this, component::kProxyPort, 344, 20, 105);
  userLabel_ = MakeLabel(this, component::kProxyUserLabel, QStringLiteral("Usuário:"), 19, 57);
  user_ = MakeEdit(this, component::kProxyUser, 64, 53, 217);
  passwordLabel_ = MakeLabel(this, component::kProxyPasswordLabel, QStringLiteral("Senha:"), 306, 57);
  proxyPassword_ = MakeEdit(this, component::kProxyPassword, 344, 53, 105);
  proxyPassword_->setEchoMode(QLineEdit::Password);
  proxyPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));

  confirm_ = new QPushButton(QStringLiteral("Confirmar"), this);
  confirm_->setObjectName(QString::fromLatin1(component::kProxyConfirm));
  confirm_->setGeometry(64, 108, 109, 33);
  confirm_->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton));
  confirm_->setAutoDefault(false);

  setTabOrder(server_, port_);
  setTabOrder(port_, user_);
  setTabOrder(user_, proxyPassword_);
  setTabOrder(proxyPassword_, confirm_);

  connect(confirm_, &QPushButton::clicked, this, &TfrmDlgProxy::Confirm);
}

void TfrmDlgProxy::Confirm() {
  // Handed over as typed, blanks included; the rules live in the workflow.
  const ProxySettings typed{ToText(server_->text()), ToText(port_->text()), ToText(user_->text()),
                            ToText(proxyPassword_->text())};
  if (onConfirm_ && onConfirm_(typed)) accept();
}

}  // namespace voske
