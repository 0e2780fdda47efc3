#pragma once
// TForm_Senha_OXR: asks for the password the operator holds with the
// regulator, before every generation and every sending.
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace voske {

class TForm_Senha_OXR : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_Senha_OXR(QWidget* owner = nullptr);

  QLabel* Label1;
  QLineEdit* MaskEdit1;
  QCheckBox* CheckBox1;
  QPushButton* BitBtn3;

  void BitBtn3Click();
  void CheckBox1Click();

 protected:
  // There is no cancel button, so Esc does nothing; the close box still
  // ends the dialog without OK.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace voske
