#pragma once
// The small frame every window of the Win32 front end is built on: a
// top-level window of a class of its own (named after the window, so that a
// test finds it by class), laid out in 96-dpi pixels scaled to the screen's
// DPI, with the keyboard handling of a dialog (Tab, Enter for the default
// button, Esc) and a modal loop of its own.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace voske::win32 {

// The screen's pixels per inch, and a length of the 96-dpi layout scaled to it.
int ScreenDpi();
int Scale(int pixels96);

// The module whose resources (icons, the manifest) the windows use: the
// library when a host loaded it, else the program itself.
HINSTANCE ResourceModule();

// Arial (or another face) at a pixel height of the 96-dpi layout.
HFONT MakeFont(const wchar_t* face, int pixels96, bool italic = false, bool bold = false);

// The busy state of the whole program: while it is on, every window of the
// front end shows the hourglass.
void SetBusyCursor(bool busy);
bool BusyCursor();

// The window of the innermost modal form of this thread (null when none):
// the owner of a message shown now.
HWND ActiveModalWindow();

// Lets every window of the thread repaint and handle what is pending, with
// the keyboard handling of the window each message is for; returns at once
// when nothing is.
void ProcessPendingMessages();

class Form {
 public:
  Form() = default;
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  HWND Handle() const { return hwnd_; }
  HWND Control(int id) const { return ::GetDlgItem(hwnd_, id); }

  // Shows the window and handles its messages until EndModal; the owner (and
  // whatever modal window was showing before) takes no input meanwhile.
  // Returns the result given to EndModal.
  int ShowModal();
  void EndModal(int result);
  bool InModalLoop() const { return modal_; }

 protected:
  // Creates the window: a class named `className` (registered on first use),
  // the client area `clientWidth96` x `clientHeight96`, centred on the screen.
  void Create(const wchar_t* className, const std::wstring& caption, int clientWidth96, int clientHeight96,
              DWORD style, DWORD exStyle, HWND owner);
  // A child control at a rectangle of the 96-dpi layout; WS_CHILD and
  // WS_VISIBLE are added. Controls take the Tab order they are created in.
  HWND AddControl(const wchar_t* controlClass, const std::wstring& text, DWORD style, int id, int x, int y,
                  int width, int height, HFONT font, DWORD exStyle = 0);
  // The same two in the screen's own pixels, for a window sized to its text.
  void CreateInPixels(const wchar_t* className, const std::wstring& caption, int clientWidth, int clientHeight,
                      DWORD style, DWORD exStyle, HWND owner);
  HWND AddControlInPixels(const wchar_t* controlClass, const std::wstring& text, DWORD style, int id, RECT bounds,
                          HFONT font, DWORD exStyle = 0);
  // Changes the client height, keeping the window's top left where it is.
  void SetClientHeight(int pixels);

  // The button Enter presses (0: none).
  void SetDefaultButton(int id) { defaultButton_ = id; }
  // The control that has the focus when the window first shows.
  void SetFirstFocus(int id) { firstFocus_ = id; }

  // Messages the window handles itself; the rest goes to DefWindowProc.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void OnCommand(int id, int code, HWND control) {
    (void)id, (void)code, (void)control;
  }
  // Esc (and IDCANCEL): by default nothing, as a window without a cancel
  // button must be answered with its own buttons.
  virtual void OnCancel() {}
  // The close box: by default the window closes with result 0.
  virtual void OnCloseBox() { EndModal(0); }
  // Owner-drawn controls.
  virtual void OnDrawItem(const DRAWITEMSTRUCT& item) { (void)item; }
  // A colour for a static control; null for the usual.
  virtual HBRUSH OnStaticColour(HDC dc, HWND control) {
    (void)dc, (void)control;
    return nullptr;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  HWND owner_ = nullptr;
  int defaultButton_ = 0;
  int firstFocus_ = 0;
  HWND lastFocus_ = nullptr;  // the control to give the focus back to on activation
  bool modal_ = false;
  int result_ = 0;
};

}  // namespace voske::win32
