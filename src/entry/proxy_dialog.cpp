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

TfrmDlgProxy::TfrmDlgProxy(ProxyConfirm confirm, QWidget* owner) : QDialog(owner), confirm_(std::move(confirm)) {
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

  Label5 = MakeLabel(this, "Label5", QStringLiteral("Servidor:"), 16, 24);
  Edit5 = MakeEdit(this, "Edit5", 64, 20, 217);
  Label6 = MakeLabel(this, "Label6", QStringLiteral("Porta:"), 312, 24);
  Edit6 = MakeEdit(this, "Edit6", 344, 20, 105);
  Label8 = MakeLabel(this, "Label8", QStringLiteral("Usuário:"), 19, 57);
  Edit8 = MakeEdit(this, "Edit8", 64, 53, 217);
  Label7 = MakeLabel(this, "Label7", QStringLiteral("Senha:"), 306, 57);
  Edit7 = MakeEdit(this, "Edit7", 344, 53, 105);
  Edit7->setEchoMode(QLineEdit::Password);
  Edit7->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));

  BitBtn3 = new QPushButton(QStringLiteral("Confirmar"), this);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  BitBtn3->setGeometry(64, 108, 109, 33);
  BitBtn3->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton));
  BitBtn3->setAutoDefault(false);

  setTabOrder(Edit5, Edit6);
  setTabOrder(Edit6, Edit8);
  setTabOrder(Edit8, Edit7);
  setTabOrder(Edit7, BitBtn3);

  connect(BitBtn3, &QPushButton::clicked, this, &TfrmDlgProxy::BitBtn3Click);
}

void TfrmDlgProxy::BitBtn3Click() {
  // Handed over as typed, blanks included; the rules live in the workflow.
  const ProxySettings typed{ToText(Edit5->text()), ToText(Edit6->text()), ToText(Edit8->text()),
                            ToText(Edit7->text())};
  if (confirm_ && confirm_(typed)) accept();
}

}  // namespace voske
