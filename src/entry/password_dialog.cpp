#include "entry/password_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "entry/screen_placement.h"
#include "entry/ui_fonts.h"
#include "entry/ui_text.h"
#include "entry/window_front_end.h"
#include "workflow/oxr_password.h"

namespace voske {

TForm_Senha_OXR::TForm_Senha_OXR(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("Form_Senha_OXR"));
  setWindowTitle(QStringLiteral("Senha na OXR"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(DialogFont());
  setFixedSize(360, 131);
  // On the middle of the screen, not over the main window.
  CentreOnScreen(*this);

  Label1 = new QLabel(QStringLiteral("Digite sua senha junto à OXR:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->move(16, 20);
  Label1->adjustSize();

  MaskEdit1 = new QLineEdit(this);
  MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
  MaskEdit1->setGeometry(16, 36, 265, 21);
  MaskEdit1->setEchoMode(QLineEdit::Password);
  MaskEdit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"

  CheckBox1 = new QCheckBox(QStringLiteral("Mostrar os caracteres"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->move(21, 63);
  CheckBox1->adjustSize();

  BitBtn3 = new QPushButton(QStringLiteral("OK"), this);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  BitBtn3->setGeometry(39, 91, 113, 29);
  BitBtn3->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogOkButton));
  BitBtn3->setDefault(true);

  setTabOrder(MaskEdit1, CheckBox1);
  setTabOrder(CheckBox1, BitBtn3);
  MaskEdit1->setFocus();

  connect(BitBtn3, &QPushButton::clicked, this, &TForm_Senha_OXR::BitBtn3Click);
  connect(CheckBox1, &QCheckBox::clicked, this, &TForm_Senha_OXR::CheckBox1Click);
}

void TForm_Senha_OXR::BitBtn3Click() {
  // The rule (only an empty field is refused) and its message belong to the
  // workflow; the dialog only stays open and puts the cursor back.
  WindowFrontEnd messages;
  if (AcceptOxrPassword(ToText(MaskEdit1->text()), messages)) {
    accept();
    return;
  }
  MaskEdit1->setFocus();
}

void TForm_Senha_OXR::CheckBox1Click() {
  MaskEdit1->setEchoMode(MaskEdit1->echoMode() == QLineEdit::Password ? QLineEdit::Normal : QLineEdit::Password);
}

void TForm_Senha_OXR::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace voske
