#include "entry-win32/main_form.h"

#include <commctrl.h>

#include "entry-win32/control_ids.h"
#include "entry-win32/icons.h"
#include "entry-win32/win32_text.h"

namespace voske::win32 {

namespace {

constexpr int kClientWidth = 649;
constexpr int kClientHeight = 285;
constexpr int kToolbarHeight = 36;
constexpr int kLabelRight = 178;  // the field labels end here, right-aligned
constexpr int kEditHeight = 21;
constexpr int kDropDownHeight = 120;  // a list's box with its items dropped
const COLORREF kToolbarColour = RGB(214, 214, 173);

// The three tool-bar buttons: their glyphs (icon kinds) and places.
struct ToolbarButton {
  int id;
  const wchar_t* caption;
  int glyph;
  int x, width;
};
constexpr ToolbarButton kToolbar[] = {
    {control::kMainButton, L"Gerar arquivo", 9, 6, 112},
    {control::kStatusPageButton, L"Status da transmissão", 13, 118, 156},
    {control::kQuitButton, L"", 16, 274, 28},
};

}  // namespace

MainForm::MainForm(TransmissionPort& transmission, GenerationServices services) {
  Create(L"TForm_VOSKE_XML", L"VOSKE-XML", kClientWidth, kClientHeight, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
         nullptr);
  toolbarBrush_ = ::CreateSolidBrush(kToolbarColour);
  BuildToolbar();
  BuildFields();
  BuildStatusBar();
  frontEnd_.AttachStatus(Control(control::kStatusLine));
  presenter_ = std::make_unique<MainWindowPresenter>(*this, frontEnd_, transmission, std::move(services));
  SetFirstFocus(control::kDocumentChoice);
  presenter_->FormCreate();
}

MainForm::~MainForm() {
  proxyDialog_.reset();
  for (HICON g : glyphs_)
    if (g) ::DestroyIcon(g);
  if (tooltip_) ::DestroyWindow(tooltip_);
  if (toolbarBrush_) ::DeleteObject(toolbarBrush_);
}

void MainForm::BuildToolbar() {
  // Reading order: the tool bar comes first for the Tab key too, after the
  // fields (the first focus is on the document's list).
  int n = 0;
  for (const ToolbarButton& b : kToolbar) {
    AddControl(WC_BUTTONW, b.caption, BS_OWNERDRAW | WS_TABSTOP, b.id, b.x, 4, b.width, 28,
               MakeFont(L"Arial", 12, true));
    glyphs_[n++] = LoadVoskeIcon(b.glyph, 20);
  }
  // "Sair" shows only its glyph; its name comes as a tip.
  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, ResourceModule(), nullptr);
  TOOLINFOW tip = {};
  tip.cbSize = sizeof tip;
  tip.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tip.hwnd = Handle();
  tip.uId = reinterpret_cast<UINT_PTR>(Control(control::kQuitButton));
  wchar_t sair[] = L"Sair";
  tip.lpszText = sair;
  ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tip));
}

void MainForm::BuildFields() {
  HFONT font = MakeFont(L"Arial", 11);
  const int top = kToolbarHeight;
  const struct {
    int id;
    const wchar_t* caption;
    int y;
  } labels[] = {
      {control::kDocumentLabel, L"Arquivo a ser gerado:", 45},
      {control::kActionLabel, L"Ação a ser gerada:", 73},
      {control::kWorkbookLabel, L"Arquivo Excel (Planilha Padrão):", 102},
      {control::kDestinationLabel, L"Pasta de destino:", 130},
      {control::kXmlFileLabel, L"Arquivo XML a enviar:", 158},
  };
  for (const auto& l : labels)
    AddControl(WC_STATICW, l.caption, SS_RIGHT | SS_NOPREFIX, l.id, 0, top + l.y, kLabelRight, 14, font);

  // The lists are editable: the user may type a text that is no item.
  HWND document = AddControl(WC_COMBOBOXW, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                             control::kDocumentChoice, 182, top + 42, 145, kDropDownHeight, font);
  for (const wchar_t* item : {L"Dados cadastrais", L"Dados financeiros"})
    ::SendMessageW(document, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  HWND action = AddControl(WC_COMBOBOXW, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                           control::kAction, 182, top + 70, 145, kDropDownHeight, font);
  for (const wchar_t* item : {L"Geração do arquivo XML", L"Envio para a OXR"})
    ::SendMessageW(action, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  // The lists' fields have no inner margins: "Geração do arquivo XML" then
  // shows whole in the 145 pixels of the layout.
  for (HWND list : {document, action}) {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (::GetComboBoxInfo(list, &info) && info.hwndItem)
      ::SendMessageW(info.hwndItem, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  }
  AddControl(WC_BUTTONW, L"Utilizar Proxy ao Enviar", BS_AUTOCHECKBOX | WS_TABSTOP, control::kUseProxy, 341, top + 69,
             160, 17, font);

  const struct {
    int edit, button, y;
  } paths[] = {
      {control::kWorkbookPath, control::kPickWorkbook, 99},
      {control::kDestinationFolder, control::kPickDestination, 127},
      {control::kXmlFilePath, control::kPickXmlFile, 155},
  };
  for (const auto& p : paths) {
    AddControl(WC_EDITW, L"", ES_AUTOHSCROLL | WS_TABSTOP, p.edit, 182, top + p.y, 372, kEditHeight, font,
               WS_EX_CLIENTEDGE);
    AddControl(WC_BUTTONW, L"...", BS_PUSHBUTTON | WS_TABSTOP, p.button, 560, top + p.y, 23, 22, font);
  }
  // Wide enough for the longest step of a generation.
  AddControl(WC_STATICW, L"Status:", SS_LEFT | SS_NOPREFIX, control::kStatusLine, 185, top + 183,
             kClientWidth - 185 - 8, 14, font);
}

void MainForm::BuildStatusBar() {
  HWND bar = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(control::kStatusBar)), ResourceModule(),
                               nullptr);
  ::SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(MakeFont(L"Arial", 11)), FALSE);
  ::SendMessageW(bar, SB_SETMINHEIGHT, static_cast<WPARAM>(Scale(19) - 2 * ::GetSystemMetrics(SM_CYBORDER)), 0);
  int edges[4] = {Scale(120), Scale(170), Scale(220), Scale(270)};
  ::SendMessageW(bar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
  ::SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Versão 2013-06.01"));
  ::SendMessageW(bar, WM_SIZE, 0, 0);
}

void MainForm::PaintToolbar(HDC dc) {
  RECT client;
  ::GetClientRect(Handle(), &client);
  RECT band = {0, 0, client.right, Scale(kToolbarHeight)};
  ::FillRect(dc, &band, toolbarBrush_);
}

LRESULT MainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    const LRESULT erased = Form::HandleMessage(message, wParam, lParam);
    PaintToolbar(reinterpret_cast<HDC>(wParam));
    return erased;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

void MainForm::OnCommand(int id, int code, HWND control) {
  (void)control;
  MainWindowPresenter& p = *presenter_;
  if (id == control::kAction && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)) {
    // A pick from the list changes the text only after this notice: the
    // text is put in first, so the presenter sees the new choice.
    if (code == CBN_SELCHANGE) {
      HWND combo = Control(control::kAction);
      const LRESULT item = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
      if (item != CB_ERR) {
        wchar_t text[128] = {};
        if (::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0) < 128) {
          ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
          ::SetWindowTextW(combo, text);
        }
      }
    }
    p.ActionChanged();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case control::kMainButton: p.GenerateOrSend(); break;
    case control::kStatusPageButton: p.OpenStatusPage(); break;
    case control::kQuitButton: p.Quit(); break;
    case control::kPickWorkbook: p.PickWorkbook(); break;
    case control::kPickXmlFile: p.PickXmlFile(); break;
    case control::kPickDestination: p.PickDestinationFolder(); break;
    case control::kUseProxy: p.ProxyBoxClicked(); break;
    default: break;
  }
}

void MainForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  // The tool-bar buttons are flat on the tool bar's colour: a raised edge
  // under the keyboard's focus, a sunken one while pressed.
  int n = 0;
  while (n < 3 && kToolbar[n].id != static_cast<int>(item.CtlID)) ++n;
  if (n == 3) return;
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  ::FillRect(dc, &r, toolbarBrush_);
  const bool disabled = item.itemState & ODS_DISABLED;
  if (item.itemState & ODS_SELECTED) {
    ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  } else if (item.itemState & ODS_FOCUS) {
    ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  }
  const int icon = Scale(20);
  const std::wstring caption = WindowText(item.hwndItem);
  const int iconX = caption.empty() ? r.left + (r.right - r.left - icon) / 2 : r.left + Scale(4);
  const int iconY = r.top + (r.bottom - r.top - icon) / 2;
  ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(glyphs_[n]), 0, iconX, iconY, icon, icon,
              DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
  if (!caption.empty()) {
    RECT text = r;
    text.left = iconX + icon + Scale(3);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    ::DrawTextW(dc, caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = r;
    ::InflateRect(&focus, -Scale(3), -Scale(3));
    ::DrawFocusRect(dc, &focus);
  }
}

std::wstring OpenDialogFilter(const std::wstring& filter) {
  std::wstring out;
  size_t start = 0;
  while (start < filter.size()) {
    const size_t bar = filter.find(L'|', start);
    if (bar == std::wstring::npos) break;
    size_t end = filter.find(L'|', bar + 1);
    if (end == std::wstring::npos) end = filter.size();
    const std::wstring name = filter.substr(start, bar - start);
    const std::wstring patterns = filter.substr(bar + 1, end - bar - 1);
    out += name + L" (" + patterns + L")" + L'\0' + patterns + L'\0';
    start = end + 1;
  }
  return out + L'\0';
}

}  // namespace voske::win32
