#pragma once
// TForm_Senha_OXR: asks the password the operator holds with the regulator,
// before every generation and every sending.
#include <optional>

#include "entry-win32/form.h"
#include "text/text.h"

namespace voske::win32 {

class PasswordForm : public Form {
 public:
  explicit PasswordForm(HWND owner);
  ~PasswordForm() override;

  // Shows the dialog modally: the text of the field when it ended with OK,
  // nothing when it was closed otherwise (the close box or Esc).
  std::optional<Text> Ask();

 protected:
  void OnCommand(int id, int code, HWND control) override;
  // Esc closes the dialog as its close box does.
  void OnCancel() override { EndModal(0); }

 private:
  void Confirm();
  void ToggleShowCharacters();

  HICON okGlyph_ = nullptr;
};

}  // namespace voske::win32
