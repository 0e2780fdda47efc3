#include "entry/password_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "entry/component_names.h"
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

  prompt_ = new QLabel(QStringLiteral("Digite sua senha junto à OXR:"), this);
  prompt_->setObjectName(QString::fromLatin1(component::kPasswordPrompt));
  prompt_->move(16, 20);
  prompt_->adjustSize();

  password_ = new QLineEdit(this);
  password_->setObjectName(QString::fromLatin1(component::kOxrPassword));
  password_->setGeometry(16, 36, 265, 21);
  password_->setEchoMode(QLineEdit::Password);
  password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"

  showCharacters_ = new QCheckBox(QStringLiteral("Mostrar os caracteres"), this);
  showCharacters_->setObjectName(QString::fromLatin1(component::kShowCharacters));
  showCharacters_->move(21, 63);
  showCharacters_->adjustSize();

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QString::fromLatin1(component::kPasswordOk));
  ok_->setGeometry(39, 91, 113, 29);
  ok_->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogOkButton));
  ok_->setDefault(true);

  setTabOrder(password_, showCharacters_);
  setTabOrder(showCharacters_, ok_);
  password_->setFocus();

  connect(ok_, &QPushButton::clicked, this, &TForm_Senha_OXR::Confirm);
  connect(showCharacters_, &QCheckBox::clicked, this, &TForm_Senha_OXR::ToggleShowCharacters);
}

Text TForm_Senha_OXR::Password() const { return ToText(password_->text()); }

void TForm_Senha_OXR::Confirm() {
  // The rule (only an empty field is refused) and its message belong to the
  // workflow; the dialog only stays open and puts the cursor back.
  WindowFrontEnd messages;
  if (AcceptOxrPassword(ToText(password_->text()), messages)) {
    accept();
    return;
  }
  password_->setFocus();
}

void TForm_Senha_OXR::ToggleShowCharacters() {
  password_->setEchoMode(password_->echoMode() == QLineEdit::Password ? QLineEdit::Normal : QLineEdit::Password);
}

}  // namespace voske
