#include "entry-win32/form.h"

#include <map>
#include <tuple>
#include <vector>

namespace voske::win32 {

namespace {

const wchar_t kFormProperty[] = L"VoskeForm";

// The forms shown modally on this thread, the innermost last.
thread_local std::vector<Form*> t_modalForms;
bool g_busy = false;

HCURSOR WaitCursor() { return ::LoadCursorW(nullptr, IDC_WAIT); }

// A push button of ours: Enter on it presses it, as in any Windows dialog.
bool IsPushButton(HWND control) {
  wchar_t cls[32] = {};
  ::GetClassNameW(control, cls, 32);
  if (::lstrcmpiW(cls, WC_BUTTONW) != 0) return false;
  const LONG_PTR type = ::GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

// Hands a message to the window it is for, through the keyboard handling of
// the form it belongs to.
void Route(MSG& message) {
  HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && ::GetPropW(root, kFormProperty) && ::IsDialogMessageW(root, &message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

}  // namespace

int ScreenDpi() {
  static const int dpi = [] {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    if (HMODULE user = ::GetModuleHandleW(L"user32.dll")) {
      if (auto f = reinterpret_cast<GetDpiForSystemFn>(
              reinterpret_cast<void*>(::GetProcAddress(user, "GetDpiForSystem")))) {
        if (const UINT d = f(); d >= 48) return static_cast<int>(d);
      }
    }
    HDC screen = ::GetDC(nullptr);
    const int d = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return d >= 48 ? d : 96;
  }();
  return dpi;
}

int Scale(int pixels96) { return ::MulDiv(pixels96, ScreenDpi(), 96); }

HINSTANCE ResourceModule() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ResourceModule), &module);
  return module;
}

HFONT MakeFont(const wchar_t* face, int pixels96, bool italic, bool bold) {
  // Fonts live as long as the process: the windows come and go on every
  // call of the library, the few fonts they share are made once.
  static std::map<std::tuple<std::wstring, int, bool, bool>, HFONT> fonts;
  const auto key = std::make_tuple(std::wstring(face), pixels96, italic, bold);
  if (auto it = fonts.find(key); it != fonts.end()) return it->second;
  HFONT font = ::CreateFontW(-Scale(pixels96), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, face);
  fonts[key] = font;
  return font;
}

void SetBusyCursor(bool busy) {
  g_busy = busy;
  // The cursor changes at once, not at the next move of the mouse.
  ::SetCursor(busy ? WaitCursor() : ::LoadCursorW(nullptr, IDC_ARROW));
}

bool BusyCursor() { return g_busy; }

HWND ActiveModalWindow() { return t_modalForms.empty() ? nullptr : t_modalForms.back()->Handle(); }

void ProcessPendingMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Whoever asked the thread to end still gets the request.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Route(message);
  }
}

Form::~Form() {
  if (hwnd_) {
    ::RemovePropW(hwnd_, kFormProperty);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }
}

void Form::Create(const wchar_t* className, const std::wstring& caption, int clientWidth96, int clientHeight96,
                  DWORD style, DWORD exStyle, HWND owner) {
  CreateInPixels(className, caption, Scale(clientWidth96), Scale(clientHeight96), style, exStyle, owner);
}

void Form::CreateInPixels(const wchar_t* className, const std::wstring& caption, int clientWidth, int clientHeight,
                          DWORD style, DWORD exStyle, HWND owner) {
  HINSTANCE module = ResourceModule();
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  if (!::GetClassInfoExW(module, className, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Form::WindowProc;
    wc.hInstance = module;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    // The program's own picture in the title bar and the task switcher.
    wc.hIcon = static_cast<HICON>(::LoadImageW(module, L"ICON_0", IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                               ::GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    wc.hIconSm = static_cast<HICON>(::LoadImageW(module, L"ICON_0", IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    ::RegisterClassExW(&wc);
  }
  owner_ = owner;
  RECT r = {0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int width = r.right - r.left, height = r.bottom - r.top;
  RECT work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;
  ::CreateWindowExW(exStyle, className, caption.c_str(), style, x, y, width, height, owner, nullptr, module, this);
}

HWND Form::AddControl(const wchar_t* controlClass, const std::wstring& text, DWORD style, int id, int x, int y,
                      int width, int height, HFONT font, DWORD exStyle) {
  // Each length scaled on its own: a control keeps its scaled size wherever it sits.
  const RECT bounds = {Scale(x), Scale(y), Scale(x) + Scale(width), Scale(y) + Scale(height)};
  return AddControlInPixels(controlClass, text, style, id, bounds, font, exStyle);
}

HWND Form::AddControlInPixels(const wchar_t* controlClass, const std::wstring& text, DWORD style, int id,
                              RECT bounds, HFONT font, DWORD exStyle) {
  HWND control = ::CreateWindowExW(exStyle, controlClass, text.c_str(), style | WS_CHILD | WS_VISIBLE, bounds.left,
                                   bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ResourceModule(), nullptr);
  if (control && font) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void Form::SetClientHeight(int pixels) {
  RECT window, client;
  ::GetWindowRect(hwnd_, &window);
  ::GetClientRect(hwnd_, &client);
  const int frame = (window.bottom - window.top) - (client.bottom - client.top);
  ::SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, pixels + frame,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ShowModal() {
  HWND before = !t_modalForms.empty() ? t_modalForms.back()->hwnd_ : owner_;
  HWND disabled = nullptr;
  if (before && before != hwnd_ && ::IsWindowEnabled(before)) {
    ::EnableWindow(before, FALSE);
    disabled = before;
  }
  t_modalForms.push_back(this);
  modal_ = true;
  result_ = 0;
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
  if (HWND first = firstFocus_ ? Control(firstFocus_) : nullptr) ::SetFocus(first);
  MSG message;
  while (modal_) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The thread is asked to end: the window goes, and the request stays
      // for the loop that owns the thread.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    Route(message);
  }
  modal_ = false;
  t_modalForms.pop_back();
  // The window before takes input again before this one hides, so the
  // system hands the activation back to it and not to another program.
  if (disabled) ::EnableWindow(disabled, TRUE);
  ::ShowWindow(hwnd_, SW_HIDE);
  if (disabled) ::SetActiveWindow(disabled);
  return result_;
}

void Form::EndModal(int result) {
  result_ = result;
  modal_ = false;
  // Wakes the loop should nothing else be waiting in the queue.
  ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
        OnCancel();
      } else {
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      }
      return 0;
    case WM_CLOSE:
      OnCloseBox();
      return 0;
    case DM_GETDEFID: {
      HWND focus = ::GetFocus();
      if (focus && ::IsChild(hwnd_, focus) && IsPushButton(focus))
        return MAKELRESULT(::GetDlgCtrlID(focus), DC_HASDEFID);
      if (defaultButton_) return MAKELRESULT(defaultButton_, DC_HASDEFID);
      return 0;
    }
    case WM_ACTIVATE:
      // A window that is not a dialog would take the focus itself on
      // activation; the control that had it gets it back, as in a dialog.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (!HIWORD(wParam)) {
        HWND target = lastFocus_ && ::IsWindow(lastFocus_) ? lastFocus_ : (firstFocus_ ? Control(firstFocus_) : nullptr);
        if (target && ::IsWindowEnabled(target)) {
          ::SetFocus(target);
          return 0;
        }
      }
      break;
    case WM_SETCURSOR:
      if (g_busy) {
        ::SetCursor(WaitCursor());
        return TRUE;
      }
      break;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (HBRUSH brush = OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
        return reinterpret_cast<LRESULT>(brush);
      break;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    ::SetPropW(hwnd, kFormProperty, reinterpret_cast<HANDLE>(form));
  }
  auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return form->HandleMessage(message, wParam, lParam);
}

}  // namespace voske::win32
