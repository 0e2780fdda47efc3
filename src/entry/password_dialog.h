#pragma once
// TForm_Senha_OXR: asks for the password the operator holds with the
// regulator, before every generation and every sending. Esc ends it without
// OK, as its close box does.
#include <QDialog>

#include "text/text.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace voske {

class TForm_Senha_OXR : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_Senha_OXR(QWidget* owner = nullptr);

  // The password as typed, in Windows-1252.
  Text Password() const;

  // OK: closes the dialog unless the field is empty.
  void Confirm();
  // "Mostrar os caracteres": shows or hides what was typed.
  void ToggleShowCharacters();

 private:
  QLabel* prompt_;
  QLineEdit* password_;
  QCheckBox* showCharacters_;
  QPushButton* ok_;
};

}  // namespace voske
