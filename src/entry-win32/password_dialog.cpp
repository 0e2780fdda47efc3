#include "entry-win32/password_dialog.h"

#include <commctrl.h>

#include "entry-win32/control_ids.h"
#include "entry-win32/icons.h"
#include "entry-win32/win32_text.h"
#include "entry-win32/window_front_end.h"
#include "workflow/oxr_password.h"

namespace voske::win32 {

namespace {
constexpr int kAccepted = IDOK;
}

PasswordForm::PasswordForm(HWND owner) {
  Create(L"TForm_Senha_OXR", L"Senha na OXR", 360, 131, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
         owner);
  HFONT font = MakeFont(L"Arial", 11);
  AddControl(WC_STATICW, L"Digite sua senha junto à OXR:", SS_LEFT | SS_NOPREFIX, control::kPasswordPrompt, 16, 20,
             300, 14, font);
  HWND edit = AddControl(WC_EDITW, L"", ES_PASSWORD | ES_AUTOHSCROLL | WS_TABSTOP, control::kOxrPassword, 16, 36, 265,
                         21, font, WS_EX_CLIENTEDGE);
  // Each character shown as "*", whatever the system's own mask is.
  ::SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
  AddControl(WC_BUTTONW, L"Mostrar os caracteres", BS_AUTOCHECKBOX | WS_TABSTOP, control::kShowCharacters, 21, 63,
             200, 17, font);
  HWND ok = AddControl(WC_BUTTONW, L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, control::kPasswordOk, 39, 91, 113, 29, font);
  okGlyph_ = LoadVoskeIcon(5, 16);
  ::SendMessageW(ok, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(okGlyph_));
  SetDefaultButton(control::kPasswordOk);
  SetFirstFocus(control::kOxrPassword);
}

PasswordForm::~PasswordForm() {
  if (okGlyph_) ::DestroyIcon(okGlyph_);
}

std::optional<Text> PasswordForm::Ask() {
  if (ShowModal() != kAccepted) return std::nullopt;
  return FromWide(WindowText(Control(control::kOxrPassword)));
}

void PasswordForm::OnCommand(int id, int code, HWND control) {
  (void)control;
  if (code != BN_CLICKED) return;
  if (id == control::kPasswordOk) Confirm();
  if (id == control::kShowCharacters) ToggleShowCharacters();
}

void PasswordForm::Confirm() {
  // The rule (only an empty field is refused) and its message belong to the
  // workflow; the dialog only stays open and puts the cursor back.
  WindowFrontEnd messages;
  if (AcceptOxrPassword(FromWide(WindowText(Control(control::kOxrPassword))), messages)) {
    EndModal(kAccepted);
    return;
  }
  ::SetFocus(Control(control::kOxrPassword));
}

void PasswordForm::ToggleShowCharacters() {
  HWND edit = Control(control::kOxrPassword);
  const bool masked = ::SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0) != 0;
  ::SendMessageW(edit, EM_SETPASSWORDCHAR, masked ? 0 : L'*', 0);
  ::InvalidateRect(edit, nullptr, TRUE);
}

}  // namespace voske::win32
