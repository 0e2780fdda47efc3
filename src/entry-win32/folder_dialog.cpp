#include "entry-win32/folder_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "entry-win32/control_ids.h"
#include "entry-win32/icons.h"
#include "entry-win32/win32_text.h"

namespace voske::win32 {

namespace {

constexpr int kIndent = 10;       // pixels of the 96-dpi layout per level
constexpr int kItemHeight = 16;
constexpr DWORD kTypeAheadPause = 1000;  // a pause this long starts a new name
constexpr int kFolderIconKind = 8;

std::wstring WithoutTrailingSeparator(std::wstring path) {
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t buffer[MAX_PATH * 4];
  const DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH * 4, buffer, nullptr);
  if (n == 0 || n >= MAX_PATH * 4) return path;
  return WithoutTrailingSeparator(buffer);
}

std::wstring ParentOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  if (slash <= 2) return path.substr(0, 3);  // "C:\"
  return path.substr(0, slash);
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
}

// The sub-folders of `folder`, by name without regard to case; hidden
// system folders stay out, as the system's own pickers leave them out.
std::vector<std::wstring> SubFolders(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW(Join(folder, L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..") continue;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) && (found.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM)) continue;
    names.push_back(name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  std::sort(names.begin(), names.end(),
            [](const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) < 0; });
  return names;
}

}  // namespace

FolderForm::FolderForm(const std::string& startFolder) {
  Create(L"TForm_Pasta", L"Escolha do diretório", 362, 327, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
         nullptr);
  HFONT font = MakeFont(L"Arial", 11);
  AddControl(WC_STATICW, L"Pasta de destino onde será gerado o arquivo XML/Recibo", SS_LEFT | SS_NOPREFIX,
             control::kFolderCaption, 21, 14, 330, 14, MakeFont(L"Arial", 11, false, true));
  HWND list = AddControl(WC_LISTBOXW, L"",
                         LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
                             WS_TABSTOP,
                         control::kFolderList, 28, 42, 301, 232, font, WS_EX_CLIENTEDGE);
  ::SendMessageW(list, LB_SETITEMHEIGHT, 0, Scale(kItemHeight));
  ::SetWindowSubclass(list, &FolderForm::ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
  AddControl(WC_STATICW, L"", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, control::kFolderChosen, 28, 292, 196, 14, font);
  HWND confirm = AddControl(WC_BUTTONW, L"Confirmar", BS_DEFPUSHBUTTON | WS_TABSTOP, control::kFolderConfirm, 231, 287,
                            99, 26, font);
  glyph_ = LoadVoskeIcon(5, 16);
  ::SendMessageW(confirm, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph_));
  openIcon_ = LoadVoskeIcon(kFolderIconKind, 16);
  closedIcon_ = LoadVoskeIcon(kFolderIconKind, 16);
  SetDefaultButton(control::kFolderConfirm);
  SetFirstFocus(control::kFolderList);

  wchar_t here[MAX_PATH * 4] = L".";
  ::GetCurrentDirectoryW(MAX_PATH * 4, here);
  OpenFolder(startFolder.empty() ? std::wstring(here) : WidePath(startFolder));
}

FolderForm::~FolderForm() {
  ::RemoveWindowSubclass(Control(control::kFolderList), &FolderForm::ListProc, 1);
  for (HICON icon : {openIcon_, closedIcon_, glyph_})
    if (icon) ::DestroyIcon(icon);
}

std::string FolderForm::Choose() {
  if (ShowModal() != IDOK) return {};
  return CurrentFolder();
}

std::string FolderForm::CurrentFolder() const { return Utf8Path(current_); }

void FolderForm::OpenFolder(const std::wstring& folder) {
  current_ = FullPath(folder);
  lines_.clear();
  // The path from the drive's root down to the current folder, one level a line.
  std::vector<std::wstring> chain;
  for (std::wstring p = current_; !p.empty();) {
    chain.insert(chain.begin(), p);
    const std::wstring up = ParentOf(p);
    if (up == p) break;
    p = up;
  }
  int level = 0;
  for (const std::wstring& p : chain) {
    const size_t slash = p.find_last_of(L"\\/");
    const std::wstring name = (p.size() <= 3 || slash == std::wstring::npos) ? p : p.substr(slash + 1);
    lines_.push_back({p, name, level++, true});
  }
  currentRow_ = static_cast<int>(lines_.size()) - 1;
  // Then its sub-folders, one level deeper.
  for (const std::wstring& name : SubFolders(current_)) lines_.push_back({Join(current_, name), name, level, false});

  HWND list = Control(control::kFolderList);
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const Line& line : lines_) ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.name.c_str()));
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(currentRow_), 0);
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);
  ::SetWindowTextW(Control(control::kFolderChosen), current_.c_str());
}

bool FolderForm::HighlightedIsNew() const {
  const LRESULT row = ::SendMessageW(Control(control::kFolderList), LB_GETCURSEL, 0, 0);
  return row != LB_ERR && static_cast<int>(row) != currentRow_;
}

void FolderForm::OpenHighlighted() {
  const LRESULT row = ::SendMessageW(Control(control::kFolderList), LB_GETCURSEL, 0, 0);
  if (row == LB_ERR || static_cast<size_t>(row) >= lines_.size()) return;
  const std::wstring path = lines_[static_cast<size_t>(row)].path;
  OpenFolder(path);
}

void FolderForm::TypeAhead(wchar_t c) {
  const DWORD now = ::GetTickCount();
  if (now - lastTyped_ > kTypeAheadPause) typed_.clear();
  lastTyped_ = now;
  typed_ += c;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::wstring& name = lines_[i].name;
    if (name.size() >= typed_.size() &&
        ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), static_cast<int>(typed_.size()),
                         typed_.c_str(), static_cast<int>(typed_.size())) == CSTR_EQUAL) {
      ::SendMessageW(Control(control::kFolderList), LB_SETCURSEL, i, 0);
      return;
    }
  }
}

void FolderForm::OnCommand(int id, int code, HWND control) {
  (void)control;
  if (id == control::kFolderList && code == LBN_DBLCLK) OpenHighlighted();
  if (id == control::kFolderConfirm && code == BN_CLICKED) EndModal(IDOK);
}

void FolderForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (static_cast<int>(item.CtlID) != control::kFolderList || item.itemID == static_cast<UINT>(-1) ||
      item.itemID >= lines_.size())
    return;
  const Line& line = lines_[item.itemID];
  const bool selected = item.itemState & ODS_SELECTED;
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int x = item.rcItem.left + Scale(2 + kIndent * line.level);
  const int iconSize = Scale(16);
  ::DrawIconEx(item.hDC, x, item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - iconSize) / 2,
               line.open ? openIcon_ : closedIcon_, iconSize, iconSize, 0, nullptr, DI_NORMAL);
  RECT text = item.rcItem;
  text.left = x + iconSize + Scale(4);
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::DrawTextW(item.hDC, line.name.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT CALLBACK FolderForm::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) {
  (void)id;
  auto* form = reinterpret_cast<FolderForm*>(self);
  switch (message) {
    case WM_GETDLGCODE:
      // Enter on a folder that is not the current one opens it; on the
      // current one it is the dialog's, and confirms.
      if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN && wParam == VK_RETURN &&
          form->HighlightedIsNew())
        return DLGC_WANTMESSAGE | ::DefSubclassProc(list, message, wParam, lParam);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        form->OpenHighlighted();
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam >= L' ') {
        form->TypeAhead(static_cast<wchar_t>(wParam));
        return 0;
      }
      if (wParam == L'\r') return 0;
      break;
    default:
      break;
  }
  return ::DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace voske::win32
