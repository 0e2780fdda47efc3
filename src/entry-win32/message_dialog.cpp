#include "entry-win32/message_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "entry-win32/control_ids.h"
#include "entry-win32/icons.h"
#include "entry-win32/win32_text.h"

namespace voske::win32 {

const std::array<MessageButtonEntry, 11>& MessageButtonTable() {
  static const std::array<MessageButtonEntry, 11> table = {{
      {L"&Sim", 6, ButtonRole::Default, 5},
      {L"&Não", 7, ButtonRole::Cancel, 6},
      {L"&OK", 1, ButtonRole::Default, 5},
      {L"&Cancelar", 2, ButtonRole::Cancel, 6},
      {L"&Abortar", 3, ButtonRole::None, 6},
      {L"&Tentar", 4, ButtonRole::None, 0},
      {L"&Ignorar", 5, ButtonRole::None, 0},
      {L"&Todos", 8, ButtonRole::None, 5},
      {L"", 0, ButtonRole::None, 0},
      {L"", 0, ButtonRole::None, 0},
      {L"&Ajuda", 0, ButtonRole::None, 3},
  }};
  return table;
}

namespace {

constexpr int kButtonWidth = 80, kButtonHeight = 27, kButtonGap = 8;
constexpr int kDetailsGrowth = 115, kDetailsHeight = 100;
// The row of a button beside the link, and the button's least width.
constexpr int kRowHeight = 35, kRowButtonWidth = 120;
constexpr int kHelpEntry = 10;
const COLORREF kLinkColour = RGB(0, 0, 255);

struct ExtraRoom {
  int width = 0, top = 0, height = 0;
};

// Messages break lines with a lone carriage return; a static control breaks
// them on CR LF.
std::wstring DisplayText(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n')) out += L'\n';
  }
  return out;
}

// The space `text` needs when wrapped at `width` pixels in `font`.
SIZE Measure(const std::wstring& text, HFONT font, int width) {
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, font);
  RECT r = {0, 0, width, 0};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_LEFT | DT_TOP);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE IconSize(HICON icon) {
  ICONINFO info = {};
  SIZE size = {Scale(32), Scale(32)};
  if (icon && ::GetIconInfo(icon, &info)) {
    BITMAP bm = {};
    if (info.hbmColor && ::GetObjectW(info.hbmColor, sizeof bm, &bm)) size = {bm.bmWidth, bm.bmHeight};
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
  }
  return size;
}

class MessageForm : public Form {
 public:
  MessageForm(const std::wstring& text, int iconKind, unsigned buttons, const std::wstring& caption,
              int defaultButton, bool large, const std::vector<std::wstring>* details,
              const MessageRowButton* rowButton);
  ~MessageForm() override;

 protected:
  void OnCommand(int id, int code, HWND control) override;
  void OnCancel() override;
  void OnCloseBox() override { OnCancel(); }
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;
  HBRUSH OnStaticColour(HDC dc, HWND control) override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ToggleDetails();
  void PlaceBottomControls();

  HICON icon_ = nullptr;
  std::vector<HICON> glyphs_;
  std::vector<int> shownEntries_;
  const std::vector<std::wstring>* details_ = nullptr;
  const MessageRowButton* rowButton_ = nullptr;
  bool detailsShown_ = false;
  int linkHeight_ = 0;  // the bottom row's: the link's, or the row button's
  int rowButtonWidth_ = 0;
  HFONT linkFont_ = nullptr;
};

MessageForm::MessageForm(const std::wstring& text, int iconKind, unsigned buttons, const std::wstring& caption,
                         int defaultButton, bool large, const std::vector<std::wstring>* details,
                         const MessageRowButton* rowButton) {
  ::MessageBeep(MB_OK);
  HFONT dialogFont = MakeFont(L"Arial", 11);
  HFONT textFont = large ? MakeFont(L"Arial", 19, false, true) : dialogFont;

  icon_ = LoadVoskeIcon(iconKind, 32);
  const SIZE iconSize = IconSize(icon_);
  const std::wstring shown = DisplayText(text);
  // Wrapped at half the screen's width. The interface's own 8-point font
  // has always set the size; the text is drawn in Arial, so the larger of
  // the two measures is taken, and no line is ever cut.
  const int wrapWidth =
      std::max(Scale(40), ::GetSystemMetrics(SM_CXSCREEN) / 2 - static_cast<int>(iconSize.cx + Scale(15)));
  const SIZE byInterface = Measure(shown, static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), wrapWidth);
  const SIZE byArial = Measure(shown, textFont, wrapWidth);
  const SIZE textSize = {std::max(byInterface.cx, byArial.cx), std::max(byInterface.cy, byArial.cy)};

  for (int i = 0; i <= kHelpEntry; ++i)
    if (buttons & (1u << i)) shownEntries_.push_back(i);
  MessageGeometry g = ComputeMessageGeometry(iconSize, textSize, static_cast<int>(shownEntries_.size()), large, Scale);
  if (details && !details->empty()) {
    // The link takes a row of its own below the buttons, with the row
    // button, if any, at its left.
    if (rowButton) {
      rowButton_ = rowButton;
      const int captionWidth = static_cast<int>(Measure(rowButton->caption, dialogFont, 1 << 20).cx);
      rowButtonWidth_ = std::max(Scale(kRowButtonWidth), captionWidth + Scale(20));
    }
    linkHeight_ = Scale(rowButton_ ? kRowHeight : 16);
    g.clientHeight += linkHeight_;
    // The details are read in their box: the dialog is as wide as their
    // longest line needs, up to half the screen, so that a finding fits on
    // a line or two instead of breaking every few words.
    int longest = 0;
    for (const std::wstring& line : *details)
      longest = std::max(longest, static_cast<int>(Measure(line, dialogFont, 1 << 20).cx));
    int wanted = std::min(longest + Scale(30), ::GetSystemMetrics(SM_CXSCREEN) / 2);
    // Never narrower than the row: the button and the whole link, apart.
    if (rowButton_)
      wanted = std::max(wanted, rowButtonWidth_ + Scale(kButtonGap * 3 + 6) +
                                    static_cast<int>(Measure(L"Ocultar detalhes...", dialogFont, 1 << 20).cx));
    if (wanted > g.clientWidth) {
      for (RECT& b : g.buttons) ::OffsetRect(&b, (wanted - g.clientWidth) / 2, 0);
      g.clientWidth = wanted;
    }
  }

  // No border icons: a message is answered with its own buttons.
  CreateInPixels(L"_TForm", caption, g.clientWidth, g.clientHeight, WS_POPUP | WS_CAPTION,
                 WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, ActiveModalWindow());

  HWND iconControl = AddControlInPixels(WC_STATICW, L"", SS_ICON | SS_REALSIZEIMAGE, control::kMessageIcon, g.icon,
                                        nullptr);
  ::SendMessageW(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
  ::SetWindowPos(iconControl, nullptr, g.icon.left, g.icon.top, iconSize.cx, iconSize.cy, SWP_NOZORDER);
  AddControlInPixels(WC_STATICW, shown, SS_LEFT | SS_NOPREFIX, control::kMessageText, g.text, textFont);

  const auto& table = MessageButtonTable();
  for (size_t n = 0; n < shownEntries_.size(); ++n) {
    const MessageButtonEntry& entry = table[static_cast<size_t>(shownEntries_[n])];
    const bool chosen = static_cast<int>(n) == defaultButton;
    const DWORD kind = chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    HWND b = AddControlInPixels(WC_BUTTONW, entry.caption, kind | WS_TABSTOP, control::kMessageButtonBase + shownEntries_[n],
                                g.buttons[n], dialogFont);
    if (entry.glyph) {
      HICON glyph = LoadVoskeIcon(entry.glyph, 16);
      glyphs_.push_back(glyph);
      ::SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph));
    }
    if (chosen) SetFirstFocus(control::kMessageButtonBase + shownEntries_[n]);
  }
  if (linkHeight_) {
    details_ = details;
    // Underlined as well as blue: plainly something to click.
    LOGFONTW underlined = {};
    ::GetObjectW(dialogFont, sizeof underlined, &underlined);
    underlined.lfUnderline = TRUE;
    linkFont_ = ::CreateFontIndirectW(&underlined);
    if (rowButton_)
      AddControlInPixels(WC_BUTTONW, rowButton_->caption, BS_PUSHBUTTON | WS_TABSTOP, control::kSaveFindings,
                         RECT{0, 0, rowButtonWidth_, Scale(kButtonHeight)}, dialogFont);
    AddControlInPixels(WC_BUTTONW, L"Ver mais...", BS_OWNERDRAW | WS_TABSTOP, control::kMoreLink, RECT{0, 0, 1, 1},
                       linkFont_);
    PlaceBottomControls();
  }
}

MessageForm::~MessageForm() {
  if (icon_) ::DestroyIcon(icon_);
  for (HICON g : glyphs_) ::DestroyIcon(g);
  if (linkFont_) ::DeleteObject(linkFont_);
}

void MessageForm::OnCommand(int id, int code, HWND control) {
  (void)control;
  if (id == control::kMoreLink) {
    if (code == BN_CLICKED) ToggleDetails();
    return;
  }
  if (id == control::kSaveFindings) {
    if (code == BN_CLICKED && rowButton_ && rowButton_->pressed) rowButton_->pressed(Handle());
    return;
  }
  const int entry = id - control::kMessageButtonBase;
  if (code != BN_CLICKED || entry < 0 || entry > kHelpEntry || entry == kHelpEntry) return;
  EndModal(MessageButtonTable()[static_cast<size_t>(entry)].result);
}

void MessageForm::OnCancel() {
  // Esc answers through a cancel button, and only a lone button stands for
  // one when there is none: the user answers a question with its buttons.
  const auto& table = MessageButtonTable();
  for (int entry : shownEntries_) {
    if (table[static_cast<size_t>(entry)].role == ButtonRole::Cancel) {
      EndModal(table[static_cast<size_t>(entry)].result);
      return;
    }
  }
  if (shownEntries_.size() == 1 && shownEntries_.front() != kHelpEntry)
    EndModal(table[static_cast<size_t>(shownEntries_.front())].result);
}

void MessageForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (static_cast<int>(item.CtlID) != control::kMoreLink) return;
  // A link: blue text against the dialog, to the right, with the focus
  // rectangle when the keyboard is on it.
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring text = WindowText(item.hwndItem);
  RECT r = item.rcItem;
  r.right -= Scale(6);
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, kLinkColour);
  HGDIOBJ oldFont = ::SelectObject(item.hDC, linkFont_);
  RECT needed = r;
  ::DrawTextW(item.hDC, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  ::DrawTextW(item.hDC, text.c_str(), -1, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::SelectObject(item.hDC, oldFont);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = {r.right - (needed.right - needed.left) - 2, r.top + 1, r.right + 2, r.bottom - 1};
    ::DrawFocusRect(item.hDC, &focus);
  }
}

HBRUSH MessageForm::OnStaticColour(HDC dc, HWND control) {
  // The details box reads like the dialog, not like a field to fill in.
  if (::GetDlgCtrlID(control) != control::kDetailsBox) return nullptr;
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  return ::GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT MessageForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETCURSOR && !BusyCursor() && ::GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == control::kMoreLink) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

void MessageForm::ToggleDetails() {
  RECT client;
  ::GetClientRect(Handle(), &client);
  HWND link = Control(control::kMoreLink);
  if (!detailsShown_) {
    detailsShown_ = true;
    SetClientHeight(client.bottom + Scale(kDetailsGrowth));
    ::SetWindowTextW(link, L"Ocultar detalhes...");
    std::wstring lines;
    for (const std::wstring& line : *details_) lines += (lines.empty() ? L"" : L"\r\n") + line;
    ::GetClientRect(Handle(), &client);
    AddControlInPixels(WC_EDITW, lines, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                       control::kDetailsBox,
                       RECT{0, client.bottom - Scale(kDetailsHeight), client.right, client.bottom},
                       MakeFont(L"Arial", 11));
  } else {
    detailsShown_ = false;
    ::DestroyWindow(Control(control::kDetailsBox));
    SetClientHeight(client.bottom - Scale(kDetailsGrowth));
    ::SetWindowTextW(link, L"Ver mais...");
  }
  PlaceBottomControls();
}

void MessageForm::PlaceBottomControls() {
  // The row sits just above the details box while it shows, else at the
  // bottom: the row button at the left, the link at the right on the
  // button's middle line, both clear of the edges.
  RECT client;
  ::GetClientRect(Handle(), &client);
  const int bottom = client.bottom - (detailsShown_ ? Scale(kDetailsHeight) : 0);
  const int top = bottom - linkHeight_;
  int linkLeft = 0, linkRight = client.right;
  if (rowButton_) {
    const int gap = Scale(kButtonGap), height = Scale(kButtonHeight);
    const int buttonTop = top + (linkHeight_ - height) / 2;
    ::SetWindowPos(Control(control::kSaveFindings), nullptr, gap, buttonTop, rowButtonWidth_, height, SWP_NOZORDER);
    linkLeft = gap + rowButtonWidth_;
    linkRight = client.right - gap;
  }
  ::SetWindowPos(Control(control::kMoreLink), nullptr, linkLeft, top, linkRight - linkLeft, linkHeight_,
                 SWP_NOZORDER);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace

MessageGeometry ComputeMessageGeometry(SIZE icon, SIZE text, int buttonCount, bool large, int (*scale)(int)) {
  const ExtraRoom extra = large ? ExtraRoom{scale(300), scale(30), scale(50)} : ExtraRoom{};
  MessageGeometry g;
  const int s15 = scale(15), s20 = scale(20);
  g.icon = RECT{scale(6), s20, scale(6) + icon.cx, s20 + icon.cy};
  g.text = RECT{icon.cx + s15, s15, icon.cx + s15 + text.cx, s15 + text.cy};
  const int width = scale(kButtonWidth), height = scale(kButtonHeight), gap = scale(kButtonGap);
  const int total = buttonCount * width;
  g.clientWidth = std::max(static_cast<int>(icon.cx + s20 + text.cx + extra.width), total + (buttonCount + 1) * gap);
  int x = (g.clientWidth - total - (buttonCount - 1) * gap) / 2;
  const int top = std::max(static_cast<int>(g.text.bottom), static_cast<int>(icon.cy + s20)) + s15 + extra.top;
  for (int i = 0; i < buttonCount; ++i) {
    g.buttons.push_back(RECT{x, top, x + width, top + height});
    x += width + gap;
  }
  g.clientHeight = static_cast<int>(std::max(text.cy + s15, icon.cy + s20)) + height + s20 + extra.height;
  return g;
}

int ShowMessageDialog(const std::wstring& text, int iconKind, unsigned buttons, const std::wstring& caption,
                      int defaultButton, bool large, const std::vector<std::wstring>* details,
                      const MessageRowButton* rowButton) {
  MessageForm form(text.substr(0, kMessageMaxChars), iconKind, buttons, caption, defaultButton, large, details,
                   rowButton);
  return form.ShowModal();
}

}  // namespace voske::win32
