#include "entry-win32/proxy_dialog.h"

#include <commctrl.h>

#include "entry-win32/control_ids.h"
#include "entry-win32/icons.h"
#include "entry-win32/win32_text.h"

namespace voske::win32 {

ProxyForm::ProxyForm(ProxyConfirm confirm, HWND owner) : confirm_(std::move(confirm)) {
  Create(L"TfrmDlgProxy", L"VOSKE-XML - Proxy", 464, 177, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
         owner);
  HFONT font = MakeFont(L"MS Sans Serif", 11);
  const struct {
    int labelId;
    const wchar_t* label;
    int labelX, labelY;
    int editId;
    int editX, editY, editWidth;
    DWORD editStyle;
  } rows[] = {
      {control::kProxyServerLabel, L"Servidor:", 16, 24, control::kProxyServer, 64, 20, 217, 0},
      {control::kProxyPortLabel, L"Porta:", 312, 24, control::kProxyPort, 344, 20, 105, 0},
      {control::kProxyUserLabel, L"Usuário:", 19, 57, control::kProxyUser, 64, 53, 217, 0},
      {control::kProxyPasswordLabel, L"Senha:", 306, 57, control::kProxyPassword, 344, 53, 105, ES_PASSWORD},
  };
  for (const auto& r : rows) {
    AddControl(WC_STATICW, r.label, SS_LEFT | SS_NOPREFIX, r.labelId, r.labelX, r.labelY, r.editX - r.labelX - 2, 14,
               font);
    HWND edit = AddControl(WC_EDITW, L"", ES_AUTOHSCROLL | WS_TABSTOP | r.editStyle, r.editId, r.editX, r.editY,
                           r.editWidth, 21, font, WS_EX_CLIENTEDGE);
    if (r.editStyle & ES_PASSWORD) ::SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
  }
  HWND button = AddControl(WC_BUTTONW, L"Confirmar", BS_DEFPUSHBUTTON | WS_TABSTOP, control::kProxyConfirm, 64, 108,
                           109, 33, font);
  glyph_ = LoadVoskeIcon(5, 16);
  ::SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph_));
  // Enter anywhere in the dialog confirms, as Windows users expect.
  SetDefaultButton(control::kProxyConfirm);
  SetFirstFocus(control::kProxyServer);
}

ProxyForm::~ProxyForm() {
  if (glyph_) ::DestroyIcon(glyph_);
}

void ProxyForm::OnCommand(int id, int code, HWND control) {
  (void)control;
  if (id == control::kProxyConfirm && code == BN_CLICKED) Confirm();
}

void ProxyForm::Confirm() {
  // Handed over as typed, blanks included; the rules live in the workflow.
  auto field = [this](int id) { return FromWide(WindowText(Control(id))); };
  const ProxySettings typed{field(control::kProxyServer), field(control::kProxyPort), field(control::kProxyUser),
                            field(control::kProxyPassword)};
  if (confirm_ && confirm_(typed)) EndModal(IDOK);
}

}  // namespace voske::win32
